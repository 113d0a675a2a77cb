// SPDX-License-Identifier: GPL-3.0-or-later
// What every window is handed: the program's state, the message boxes, and the texts in the
// language in force.
#pragma once

#include <QString>

#include "core/settings/app_state.h"
#include "core/texts/bilingual.h"
#include "core/texts/messages.h"
#include "core/texts/shell_texts.h"
#include "platform/user_prompter.h"

namespace kr4100 {

class UiContext {
 public:
  UiContext(AppState& app, UserPrompter& prompter) : app_(app), prompter_(prompter) {}

  AppState& app() { return app_; }
  const AppState& app() const { return app_; }
  Document& doc() { return app_.doc(); }
  const Document& doc() const { return app_.doc(); }
  StartupState& state() { return app_.state(); }
  const StartupState& state() const { return app_.state(); }
  StartupSettings& settings() { return app_.settings(); }
  const StartupSettings& settings() const { return app_.state().settings; }
  const InstallLayout& install() const { return app_.install(); }
  UserPrompter& prompter() { return prompter_; }

  int language() const { return app_.language(); }
  QString pick(const Bilingual& text) const { return QString::fromUtf8(text.in(language())); }
  QString msg(MessageId id) const { return pick(Message(id)); }
  QString shell(ShellText id) const { return pick(Shell(id)); }

  // Message boxes with the program's message texts.
  Answer ask(MessageId id, MsgButtons buttons, MsgIcon icon) {
    return prompter_.ask(msg(id), buttons, icon);
  }
  void tell(MessageId id, MsgIcon icon = MsgIcon::None) { prompter_.ask(msg(id), MsgButtons::Ok, icon); }

 private:
  AppState& app_;
  UserPrompter& prompter_;
};

}  // namespace kr4100
