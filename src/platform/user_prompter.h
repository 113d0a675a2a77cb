// Message boxes behind an interface: windows ask through it, tests answer through a script.
#pragma once

#include <QString>

#include "core/link/session_host.h"

class QWidget;

namespace kr4100 {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Information, Question, Warning, Critical };

class UserPrompter {
 public:
  virtual ~UserPrompter() = default;
  // Shows text with the buttons and icon; returns the button chosen (Cancel when closed).
  virtual Answer ask(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title = {}) = 0;
};

// The real thing: modal QMessageBox over the main window, titled with the product name unless
// a title is given.
class MessageBoxPrompter : public UserPrompter {
 public:
  explicit MessageBoxPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  Answer ask(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title = {}) override;

 private:
  QWidget* parent_;
};

}  // namespace kr4100
