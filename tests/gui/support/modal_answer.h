// Answers the next modal dialog once it is up, as a user would, and notes which one it was.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <utility>

namespace kr4100::testing {

class ModalAnswer {
 public:
  explicit ModalAnswer(std::function<void(QDialog*)> answer) : answer_(std::move(answer)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog || !dialog->isVisible()) return;
      poll_.stop();
      seen = dialog->objectName();
      answer_(dialog);
    });
    poll_.start(10);
  }
  QString seen;

 private:
  QTimer poll_;
  std::function<void(QDialog*)> answer_;
};

}  // namespace kr4100::testing
