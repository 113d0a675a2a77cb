// SPDX-License-Identifier: GPL-3.0-or-later
// The language dialog: which interface language the program uses from now on.
#pragma once

#include "app/field_dialog.h"

class QComboBox;

namespace kr4100 {

class FrmSetLanguage : public FieldDialog {
  Q_OBJECT
 public:
  explicit FrmSetLanguage(UiContext& ctx, QWidget* parent = nullptr);

  void reCaption() override;
  // OK: makes the chosen language current, stores it in the settings file and closes.
  void confirm() override;
  // True after OK when the chosen language differs from the one that was in force.
  bool languageChanged() const { return changed_; }

 private:
  void fillList();

  bool changed_ = false;
  QLabel* label1_ = nullptr;
  QComboBox* combo1_ = nullptr;
};

}  // namespace kr4100
