// SPDX-License-Identifier: GPL-3.0-or-later
// Answers the next modal dialog once it is up, as a user would, and notes which one it was: for
// the dialogs a command runs with exec(), which no scripted prompter sees.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QTimer>
#include <functional>

namespace kr4100::testing {

class ModalAnswer {
 public:
  // only: the objectName of the dialog to answer; others (a progress window) are passed over.
  explicit ModalAnswer(std::function<void(QDialog*)> answer, QString only = {})
      : answer_(std::move(answer)), only_(std::move(only)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog || !dialog->isVisible()) return;
      if (!only_.isEmpty() && dialog->objectName() != only_) return;
      poll_.stop();
      seen = dialog->objectName();
      answer_(dialog);
    });
    poll_.start(10);
  }
  QString seen;  // the objectName of the dialog answered; empty while none was

 private:
  QTimer poll_;
  std::function<void(QDialog*)> answer_;
  QString only_;
};

}  // namespace kr4100::testing
