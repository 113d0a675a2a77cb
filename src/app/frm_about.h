// SPDX-License-Identifier: GPL-3.0-or-later
// The about boxes: the program's title and version, and a second box with the versions of the
// data files and radios this program works with.
#pragma once

#include <QDialog>

#include "gui/ui_context.h"

class QLabel;
class QPushButton;

namespace kr4100 {

class frmAbout : public QDialog {
  Q_OBJECT
 public:
  enum class Variant {
    Program,   // title and version; offers the versions box
    Versions,  // adds the data-file and firmware versions this program accepts
  };

  frmAbout(UiContext& ctx, Variant variant, QWidget* parent = nullptr);

  void reCaption();
  Variant variant() const { return variant_; }
  // Opens the versions box over this one (modal).
  void showVersions();

 private:
  UiContext& ctx_;
  Variant variant_;
  QLabel* labelTitle_ = nullptr;
  QLabel* labelPurpose_ = nullptr;
  QLabel* labelVersion_ = nullptr;
  QLabel* labelDetails_ = nullptr;
  QLabel* labelLicence_ = nullptr;  // the program variant only
  QPushButton* commandOK_ = nullptr;
  QPushButton* commandVersions_ = nullptr;
};

}  // namespace kr4100
