// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/link_session_host.h"

#include <utility>

namespace kr4100 {

LinkSessionHost::LinkSessionHost(std::unique_ptr<SerialLink> link, Prompter& prompter, Clock clock)
    : ReportingSessionHost(prompter),
      LinkLoop(std::move(link), std::move(clock)),
      replyTimer_(addTimer([this] { replyTimedOut(); })) {
  replies_.onEcho(
      [this](std::span<const std::uint8_t> echo, bool intact) { echoed(echo, intact); });
}

bool LinkSessionHost::openPort(const PortSettings& settings) {
  link().close();
  if (!link().open(settings)) return false;
  replies_.opened();
  forgetIdentity();
  return true;
}

void LinkSessionHost::closePort() {
  stopTimer(replyTimer_);
  link().close();
  replies_.clear();
}

void LinkSessionHost::send(std::span<const std::uint8_t> frame, int expectedReplyLength) {
  // A frame the line would not take is as good as lost: the reply timer decides, as it does
  // for a frame lost on the wire.
  replies_.sent(frame, expectedReplyLength);
  if (!link().isOpen()) return;
  link().purge(true);
  link().write(frame);
}

void LinkSessionHost::startReplyTimer(std::chrono::milliseconds interval) {
  startTimer(replyTimer_, interval);
}

void LinkSessionHost::stopReplyTimer() {
  stopTimer(replyTimer_);
}

std::size_t LinkSessionHost::awaited() const {
  return replies_.awaited();
}

void LinkSessionHost::received(std::span<const std::uint8_t> bytes) {
  if (auto reply = replies_.take(bytes)) deliver(*reply);
}

}  // namespace kr4100
