// The model dialog: the model code and frequency band of the document. A change clears the
// frequency data, since the main window then starts a new document.
#pragma once

#include <QDialog>

#include "gui/ui_context.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace kr4100 {

class FrmModelInfo : public QDialog {
  Q_OBJECT
 public:
  explicit FrmModelInfo(UiContext& ctx, QWidget* parent = nullptr);

  void reCaption();
  // OK: a changed model or band is applied once the user accepts the warning, and the dialog
  // closes; a band the document cannot hold is refused with a message and the dialog stays.
  void confirm();
  // True after OK applied a change: the main window must start a new document.
  bool modelChanged() const { return changed_; }

 private:
  // The band list of the model in Combo1; keep: leave the list alone when it would not change.
  void rebuildBands(bool keep);

  UiContext& ctx_;
  bool changed_ = false;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QComboBox* combo2_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
};

}  // namespace kr4100
