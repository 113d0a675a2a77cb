// SPDX-License-Identifier: GPL-3.0-or-later
// The embedded-information window: shows, read-only, the block of texts the radio keeps about
// itself (manufacture, stock, sales and maintenance data) as the last read brought it.
#pragma once

#include <QDialog>
#include <string>

#include "core/link/radio_image.h"
#include "gui/editor_window.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;

namespace kr4100 {

class FrmEMG : public QDialog, public EditorWindow {
  Q_OBJECT
 public:
  explicit FrmEMG(UiContext& ctx, QWidget* parent = nullptr);

  void reCaption() override;
  // Fills every box from the block and the firmware the radio named in the same session; also
  // called when new data arrive while the window is open.
  void ShowByData(const RadioInfo& info, const std::string& firmware);

  static constexpr int kTextCount = 12;
  static constexpr int kLabelCount = 14;

 private:
  void createControls();
  QLayout* layOutUnit();    // the unit's identity and history
  QWidget* layOutDealer();  // the dealer's frame
  void layOut();

  QLabel* areaCodeLabel_ = nullptr;
  // By the index of their names, Text1(k) and Label1(k); box 4 is the description below.
  QLabel* fieldLabels_[kLabelCount] = {};
  QLineEdit* fieldBoxes_[kTextCount] = {};
  QPlainTextEdit* description_ = nullptr;
  QComboBox* typeCombo_ = nullptr;
  QComboBox* bandCombo_ = nullptr;
  QGroupBox* dealerFrame_ = nullptr;
};

}  // namespace kr4100
