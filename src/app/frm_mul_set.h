// SPDX-License-Identifier: GPL-3.0-or-later
// The group-write settings dialog: how many radios are to be written one after another.
#pragma once

#include "app/field_dialog.h"

class QLineEdit;

namespace kr4100 {

class FrmMulSet : public FieldDialog {
  Q_OBJECT
 public:
  explicit FrmMulSet(UiContext& ctx, QWidget* parent = nullptr);

  void reCaption() override;
  // The number confirmed with OK (0 until then).
  int radiosToWrite() const { return radios_; }

 private:
  void confirm() override;

  int radios_ = 0;
  QLabel* label1_ = nullptr;
  QLineEdit* text1_ = nullptr;
};

}  // namespace kr4100
