// The language dialog: which interface language the program uses from now on.
#pragma once

#include <QDialog>

#include "gui/ui_context.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace kr4100 {

class FrmSetLanguage : public QDialog {
  Q_OBJECT
 public:
  explicit FrmSetLanguage(UiContext& ctx, QWidget* parent = nullptr);

  void reCaption();
  // OK: makes the chosen language current, stores it in the settings file and closes.
  void confirm();
  // True after OK when the chosen language differs from the one that was in force.
  bool languageChanged() const { return changed_; }

 private:
  void fillList();

  UiContext& ctx_;
  bool changed_ = false;
  QLabel* label1_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
};

}  // namespace kr4100
