// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/link_test_mode_host.h"

#include <utility>

namespace kr4100 {

LinkTestModeHost::LinkTestModeHost(std::unique_ptr<SerialLink> link, Prompter& prompter,
                                   Clock clock)
    : LinkLoop(std::move(link), std::move(clock)),
      prompter_(prompter),
      waitTimer_(addTimer([this] {
        stopTimer(quietTimer_);
        if (driver_) driver_->onWaitTimeout(replies_.settle());
      })),
      sendTimer_(addTimer([this] {
        if (driver_) driver_->onSendTimer();
      })),
      endTimer_(addTimer([this] {
        if (driver_) driver_->onEndTimer();
      })),
      quietTimer_(addTimer([this] { settle(); })) {
  replies_.onEcho([this](std::span<const std::uint8_t> echo, bool intact) {
    if (driver_) driver_->onEcho(echo, intact);
  });
}

bool LinkTestModeHost::openPort(const PortSettings& settings) {
  link().close();
  if (!link().open(settings)) return false;
  replies_.opened();
  return true;
}

void LinkTestModeHost::closePort() {
  if (link().isOpen()) {
    waitSent(kTestDrainBound);
    link().close();
  }
  stopTimer(quietTimer_);
  replies_.clear();
}

void LinkTestModeHost::send(std::span<const std::uint8_t> bytes, int expectedReplyLength) {
  stopTimer(quietTimer_);
  const bool echoOwed = replies_.echoOwed();
  replies_.sent(bytes, expectedReplyLength);
  const unsigned send = ++sends_;
  if (!link().isOpen()) return;
  // Only what came in is dropped: an exchange that awaits nothing may still be on its way out,
  // and on an echoing cable what came in may be its echo, still to be checked.
  if (!echoOwed) link().purge(false);
  if (!link().write(bytes)) {
    post([this] { lineLost(); });
    return;
  }
  // The line has taken the bytes, as Qt's port reports them written; the driver hears it from
  // the loop, after this send has returned.
  post([this, send] {
    if (send == sends_ && link().isOpen() && driver_) driver_->onSendComplete();
  });
}

void LinkTestModeHost::waitSent(std::chrono::milliseconds bound) {
  if (link().isOpen() && !link().drain(bound)) post([this] { lineLost(); });
}

std::size_t LinkTestModeHost::awaited() const {
  return replies_.awaited();
}

void LinkTestModeHost::received(std::span<const std::uint8_t> bytes) {
  replies_.take(bytes);
  if (replies_.settling()) startTimer(quietTimer_, kReplyQuietGap);
}

void LinkTestModeHost::settle() {
  stopTimer(quietTimer_);
  if (auto reply = replies_.settle(); reply && driver_) driver_->onReceived(*reply);
}

void LinkTestModeHost::tell(TestModeMessage message) {
  if (listener_) listener_->messageRaised(message);
}

void LinkTestModeHost::entered() {
  if (listener_) listener_->testModeEntered();
}

void LinkTestModeHost::tuned(std::span<const std::uint8_t> block) {
  if (listener_) listener_->blockArrived(block);
}

void LinkTestModeHost::valuesArrived(std::span<const std::uint8_t> values) {
  if (listener_) listener_->valuesReceived(values);
}

void LinkTestModeHost::polled(int value) {
  if (listener_) listener_->valuePolled(value);
}

void LinkTestModeHost::ended() {
  if (listener_) listener_->testModeEnded();
}

}  // namespace kr4100
