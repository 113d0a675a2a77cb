// SPDX-License-Identifier: GPL-3.0-or-later
// The model dialog: the model code and frequency band of the document. A change clears the
// frequency data, since the main window then starts a new document.
#pragma once

#include "app/field_dialog.h"

class QComboBox;

namespace kr4100 {

class FrmModelInfo : public FieldDialog {
  Q_OBJECT
 public:
  explicit FrmModelInfo(UiContext& ctx, QWidget* parent = nullptr);

  void reCaption() override;
  // OK: a changed model or band is applied once the user accepts the warning, and the dialog
  // closes; a band the document cannot hold is refused with a message and the dialog stays.
  void confirm() override;
  // True after OK applied a change: the main window must start a new document.
  bool modelChanged() const { return changed_; }

 private:
  // The band list of the model in Combo1; KeepIfSame leaves the list alone when it would not
  // change (the user's band stays chosen).
  enum class BandList { Fresh, KeepIfSame };
  void rebuildBands(BandList list);

  bool changed_ = false;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QComboBox* combo2_ = nullptr;
};

}  // namespace kr4100
