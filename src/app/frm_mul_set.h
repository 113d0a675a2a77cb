// The group-write settings dialog: how many radios are to be written one after another.
#pragma once

#include <QDialog>

#include "gui/ui_context.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kr4100 {

class FrmMulSet : public QDialog {
  Q_OBJECT
 public:
  explicit FrmMulSet(UiContext& ctx, QWidget* parent = nullptr);

  void reCaption();
  // The number confirmed with OK (0 until then).
  int radiosToWrite() const { return radios_; }

 private:
  void confirm();

  UiContext& ctx_;
  int radios_ = 0;
  QLabel* label1_ = nullptr;
  QLineEdit* text1_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
};

}  // namespace kr4100
