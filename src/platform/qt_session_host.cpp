// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_session_host.h"

namespace kr4100 {

QtSessionHost::QtSessionHost(Prompter& prompter, QObject* parent)
    : QObject(parent), ReportingSessionHost(prompter) {
  clock_.start();
  replyTimer_.setSingleShot(true);
  replyTimer_.setTimerType(Qt::PreciseTimer);
  connect(&replyTimer_, &QTimer::timeout, this, [this] { replyTimedOut(); });
  replies_.onEcho(
      [this](std::span<const std::uint8_t> echo, bool intact) { echoed(echo, intact); });
}

void QtSessionHost::startReplyTimer(std::chrono::milliseconds interval) {
  replyTimer_.start(interval);
}

void QtSessionHost::stopReplyTimer() {
  replyTimer_.stop();
}

void QtSessionHost::received(std::span<const std::uint8_t> bytes) {
  if (auto reply = replies_.take(bytes)) deliver(*reply);
}

std::chrono::milliseconds QtSessionHost::now() const {
  return std::chrono::milliseconds(clock_.elapsed());
}

}  // namespace kr4100
