// SPDX-License-Identifier: GPL-3.0-or-later
// The frame the small settings dialogs share (port, language, group-write count, model): their
// labelled fields on top, OK and Cancel at the right, the texts in the language in force.
#pragma once

#include <QDialog>

#include "gui/ui_context.h"

class QGridLayout;
class QLabel;
class QPushButton;

namespace kr4100 {

class FieldDialog : public QDialog {
  Q_OBJECT
 public:
  // Every text of the dialog from its tables, in the language in force.
  virtual void reCaption() = 0;

 protected:
  // The names by which tests and assistive tools find the dialog and its buttons.
  struct Names {
    const char* dialog;
    const char* ok;
    const char* cancel;
  };
  FieldDialog(UiContext& ctx, const Names& names, QWidget* parent);

  // A row: its label, named labelName, captions the box for screen readers and keyboard users.
  QLabel* addField(const char* labelName, QWidget* box);
  // Once the fields are in: OK and Cancel under them, the dialog at the size they need.
  void layOut();
  // The title and the OK and Cancel texts (after layOut()).
  void captionFrame(const QString& title);
  // OK: the dialog's own check and storing; it closes the dialog when it accepts.
  virtual void confirm() = 0;

  UiContext& ctx() const { return ctx_; }
  QPushButton* okButton() const { return ok_; }

 private:
  UiContext& ctx_;
  Names names_;
  QGridLayout* fields_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  int rows_ = 0;
};

}  // namespace kr4100
