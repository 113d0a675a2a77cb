// SPDX-License-Identifier: GPL-3.0-or-later
// The option features window: the radio's general options as 22 lists and 18 check boxes.
// Every click goes into the option block of the working record through the document.
#pragma once

#include <QWidget>
#include <memory>

#include "gui/editor_window.h"

namespace kr4100 {

class FrmOptFeatures : public QWidget, public EditorWindow {
  Q_OBJECT
 public:
  explicit FrmOptFeatures(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmOptFeatures() override;

  void reCaption() override;
  // Refills the lists in the language in force and shows the record's values again.
  void ReShowData() override;

 private:
  class Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace kr4100
