// SPDX-License-Identifier: GPL-3.0-or-later
// Answers message boxes from a script and records what was asked, so window tests run unattended.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>

#include "platform/user_prompter.h"

namespace kr4100::testing {

class ScriptedPrompter : public UserPrompter {
 public:
  std::deque<Answer> answers;  // next answers; when empty: Ok for Ok-only boxes, else Cancel
  QStringList asked;           // every text shown, in order

  QList<MsgButtons> buttonsAsked;  // the buttons of each, in the same order

  Answer ask(const QString& text, MsgButtons buttons, MsgIcon, const QString& = {},
             const QString& = {}) override {
    asked << text;
    buttonsAsked << buttons;
    if (!answers.empty()) {
      const Answer a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == MsgButtons::Ok ? Answer::Ok : Answer::Cancel;
  }
};

}  // namespace kr4100::testing
