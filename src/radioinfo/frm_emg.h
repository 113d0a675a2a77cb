// The embedded-information window: shows, read-only, the block of texts the radio keeps about
// itself (manufacture, stock, sales and maintenance data) as the last read brought it.
#pragma once

#include <QDialog>

#include <string>

#include "core/link/radio_image.h"
#include "gui/ui_context.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kr4100 {

class FrmEMG : public QDialog {
  Q_OBJECT
 public:
  explicit FrmEMG(UiContext& ctx, QWidget* parent = nullptr);

  void reCaption();
  // Fills every box from the block and the firmware the radio named in the same session; also
  // called when new data arrive while the window is open.
  void ShowByData(const RadioInfo& info, const std::string& firmware);

  static constexpr int kTextCount = 12;
  static constexpr int kLabelCount = 14;

 private:
  void build();
  void createControls();
  void layOut();

  UiContext& ctx_;
  QLabel* labelAreaCode_ = nullptr;
  QLabel* label1_[kLabelCount] = {};
  QLineEdit* text1_[kTextCount] = {};  // box 4 is the multi-line description below
  QPlainTextEdit* description_ = nullptr;
  QComboBox* combo1_[2] = {};
  QGroupBox* frame1_ = nullptr;
  QPushButton* commandClose_ = nullptr;
  QPushButton* commandHelp_ = nullptr;
};

}  // namespace kr4100
