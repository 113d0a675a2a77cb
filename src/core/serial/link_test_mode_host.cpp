#include "core/serial/link_test_mode_host.h"

#include <algorithm>
#include <utility>

namespace kr4100 {

LinkTestModeHost::LinkTestModeHost(std::unique_ptr<SerialLink> link, Prompter& prompter,
                                   Clock clock)
    : LinkLoop(std::move(link), std::move(clock)),
      prompter_(prompter),
      waitTimer_(addTimer([this] {
        // A reply that is all in but still settling counts as in time.
        if (settling_) deliverReply();
        if (driver_) driver_->onWaitTimeout();
      })),
      sendTimer_(addTimer([this] {
        if (driver_) driver_->onSendTimer();
      })),
      endTimer_(addTimer([this] {
        if (driver_) driver_->onEndTimer();
      })),
      quietTimer_(addTimer([this] { deliverReply(); })) {}

bool LinkTestModeHost::openPort(const PortSettings& settings) {
  link().close();
  if (!link().open(settings)) return false;
  resetReply();
  return true;
}

void LinkTestModeHost::closePort() {
  if (link().isOpen()) {
    waitSent(kTestDrainBound);
    link().close();
  }
  resetReply();
}

void LinkTestModeHost::resetReply() {
  stopTimer(quietTimer_);
  settling_ = false;
  input_.clear();
  threshold_ = 0;
}

void LinkTestModeHost::send(std::span<const std::uint8_t> bytes, int expectedReplyLength) {
  resetReply();
  threshold_ = static_cast<std::size_t>(std::max(0, expectedReplyLength));
  const unsigned send = ++sends_;
  if (!link().isOpen()) return;
  // Only what came in is dropped: an exchange that awaits nothing may still be on its way out.
  link().purge(false);
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
  // While a reply settles, any byte more is read (and makes it too long).
  return threshold_ > input_.size() ? threshold_ - input_.size() : 1;
}

void LinkTestModeHost::received(std::span<const std::uint8_t> bytes) {
  // Nothing awaited: stray bytes never become the start of the next reply.
  if (threshold_ == 0) return;
  input_.insert(input_.end(), bytes.begin(), bytes.end());
  // Enough is in: the reply is whole once nothing more follows for a moment.
  if (input_.size() < threshold_) return;
  settling_ = true;
  startTimer(quietTimer_, kReplyQuietGap);
}

void LinkTestModeHost::deliverReply() {
  stopTimer(quietTimer_);
  settling_ = false;
  if (threshold_ == 0 || input_.size() < threshold_) return;
  const std::vector<std::uint8_t> reply = std::exchange(input_, {});
  threshold_ = 0;
  if (driver_) driver_->onReceived(reply);
}

void LinkTestModeHost::lineLost() {
  // Ended before the box shows: nothing may go on the line while the user reads it.
  const bool running = driver_ && driver_->active();
  if (driver_) driver_->end();
  if (running) prompter_.portError();
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
