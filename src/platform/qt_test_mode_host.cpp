// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_test_mode_host.h"

#include "core/serial/line_loss.h"

namespace kr4100 {

QtTestModeHost::QtTestModeHost(Prompter& prompter, QObject* parent)
    : QObject(parent), prompter_(prompter) {
  for (QTimer* timer : {&waitTimer_, &sendTimer_, &endTimer_}) {
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
  }
  connect(&waitTimer_, &QTimer::timeout, this, [this] {
    stopQuietWait();
    if (driver_) driver_->onWaitTimeout(replies_.settle());
  });
  connect(&sendTimer_, &QTimer::timeout, this, [this] {
    if (driver_) driver_->onSendTimer();
  });
  connect(&endTimer_, &QTimer::timeout, this, [this] {
    if (driver_) driver_->onEndTimer();
  });
  replies_.onEcho([this](std::span<const std::uint8_t> echo, bool intact) {
    if (driver_) driver_->onEcho(echo, intact);
  });
}

void QtTestModeHost::tell(TestModeMessage message) {
  emit messageRaised(message);
}

void QtTestModeHost::identityRefused(const IdentityCheck& check) {
  prompter_.identityRefused(check);
}

void QtTestModeHost::entered() {
  emit testModeEntered();
}

void QtTestModeHost::tuned(std::span<const std::uint8_t> block) {
  emit blockArrived(std::vector<std::uint8_t>(block.begin(), block.end()));
}

void QtTestModeHost::valuesArrived(std::span<const std::uint8_t> values) {
  emit valuesReceived(std::vector<std::uint8_t>(values.begin(), values.end()));
}

void QtTestModeHost::polled(int value) {
  emit valuePolled(value);
}

void QtTestModeHost::ended() {
  emit testModeEnded();
}

void QtTestModeHost::settle() {
  if (auto reply = replies_.settle(); reply && driver_) driver_->onReceived(*reply);
}

void QtTestModeHost::sendComplete() {
  if (driver_) driver_->onSendComplete();
}

void QtTestModeHost::linkLost() {
  EndTestModeOnLineLoss(driver_, prompter_);
}

}  // namespace kr4100
