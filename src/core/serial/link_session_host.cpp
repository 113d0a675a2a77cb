#include "core/serial/link_session_host.h"

#include <algorithm>
#include <utility>

namespace kr4100 {

LinkSessionHost::LinkSessionHost(std::unique_ptr<SerialLink> link, Prompter& prompter, Clock clock)
    : ReportingSessionHost(prompter),
      LinkLoop(std::move(link), std::move(clock)),
      replyTimer_(addTimer([this] { replyTimedOut(); })) {}

bool LinkSessionHost::openPort(const PortSettings& settings) {
  link().close();
  if (!link().open(settings)) return false;
  input_.clear();
  bytesOnWire_ = 0;
  forgetIdentity();
  return true;
}

void LinkSessionHost::closePort() {
  stopTimer(replyTimer_);
  link().close();
  input_.clear();
}

void LinkSessionHost::send(std::span<const std::uint8_t> frame, int expectedReplyLength) {
  // Each frame starts from empty buffers; a late reply to the last one must not count for this.
  // A frame the line would not take is as good as lost: the reply timer decides, as it does
  // for a frame lost on the wire.
  input_.clear();
  if (link().isOpen()) {
    link().purge(true);
    link().write(frame);
  }
  threshold_ = static_cast<std::size_t>(std::max(1, expectedReplyLength));
  bytesOnWire_ += frame.size();
}

void LinkSessionHost::startReplyTimer(std::chrono::milliseconds interval) {
  startTimer(replyTimer_, interval);
}

void LinkSessionHost::stopReplyTimer() {
  stopTimer(replyTimer_);
}

std::size_t LinkSessionHost::awaited() const {
  return threshold_ > input_.size() ? threshold_ - input_.size() : 1;
}

void LinkSessionHost::received(std::span<const std::uint8_t> bytes) {
  input_.insert(input_.end(), bytes.begin(), bytes.end());
  // The session sees a reply only once the armed number of bytes is in, then all that is in.
  if (input_.size() < threshold_ || !session_) return;
  const std::vector<std::uint8_t> reply = std::exchange(input_, {});
  bytesOnWire_ += reply.size();
  deliver(reply);
}

}  // namespace kr4100
