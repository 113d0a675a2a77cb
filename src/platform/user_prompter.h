// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes behind an interface: windows ask through it, tests answer through a script.
#pragma once

#include <QString>

#include "core/link/session_host.h"

class QWidget;

namespace kr4100 {

// OkExtraCancel: OK, a third button whose text is given (its answer Answer::Extra), Cancel.
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, OkExtraCancel };
enum class MsgIcon { None, Information, Question, Warning, Critical };

class UserPrompter {
 public:
  virtual ~UserPrompter() = default;
  // Shows text with the buttons and icon; returns the button chosen (Cancel when closed). extra:
  // the text of OkExtraCancel's third button.
  virtual Answer ask(const QString& text, MsgButtons buttons, MsgIcon icon,
                     const QString& title = {}, const QString& extra = {}) = 0;
};

// The real thing: modal QMessageBox over the main window, titled with the product name unless
// a title is given.
class MessageBoxPrompter : public UserPrompter {
 public:
  explicit MessageBoxPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  Answer ask(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title = {},
             const QString& extra = {}) override;

 private:
  QWidget* parent_;
};

}  // namespace kr4100
