// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/reply_assembly.h"

#include <algorithm>
#include <utility>

namespace kr4100 {

namespace {

std::size_t Threshold(ReplyAssembly::Ending ending, int replyLength) {
  return static_cast<std::size_t>(
      std::max(ending == ReplyAssembly::Ending::Length ? 1 : 0, replyLength));
}

// A single byte tells nothing: the acknowledge goes out as 0x06 and comes back as 0x06.
constexpr std::size_t kShortestProbe = 2;

}  // namespace

void ReplyAssembly::sent(std::span<const std::uint8_t> frame, int replyLength) {
  // Test mode goes on once a frame that awaits nothing has left; its echo is still on the wire.
  Reply owed;
  if (ending_ == Ending::Quiet && awaitedNothing_ && echoOwed())
    owed.assign(echo_.begin() + static_cast<std::ptrdiff_t>(echoAt_), echo_.end());
  clear();
  threshold_ = Threshold(ending_, replyLength);
  awaitedNothing_ = replyLength <= 0;
  bytesOnWire_ += frame.size();
  if (line_ == Line::Echoing) {
    echo_ = std::move(owed);
    echo_.insert(echo_.end(), frame.begin(), frame.end());
  } else if (line_ == Line::Unknown && frame.size() >= kShortestProbe) {
    probe_.assign(frame.begin(), frame.end());
  }
}

void ReplyAssembly::clear() {
  input_.clear();
  settling_ = false;
  threshold_ = Threshold(ending_, 0);
  probe_.clear();
  held_.clear();
  echo_.clear();
  echoAt_ = 0;
  spoilt_ = false;
  awaitedNothing_ = false;
}

void ReplyAssembly::opened() {
  clear();
  line_ = Line::Unknown;
  bytesOnWire_ = 0;
}

std::optional<ReplyAssembly::Reply> ReplyAssembly::take(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) {
    if (!probe_.empty()) {
      probe(byte);
    } else if (echoOwed()) {
      echoByte(byte);
    } else {
      replyByte(byte);
    }
  }
  if (spoilt_ || threshold_ == 0 || input_.size() < threshold_) return std::nullopt;
  if (ending_ == Ending::Length) return handOver();
  settling_ = true;
  return std::nullopt;
}

void ReplyAssembly::probe(std::uint8_t byte) {
  held_.push_back(byte);
  if (std::equal(held_.begin(), held_.end(), probe_.begin())) {
    if (held_.size() < probe_.size()) return;
    // All of the frame came back before anything else: the cable echoes.
    line_ = Line::Echoing;
    probe_.clear();
    reportEcho(true);
    return;
  }
  // Something else came first, so it is no echo: what was held starts the reply.
  line_ = Line::Plain;
  probe_.clear();
  for (const std::uint8_t start : std::exchange(held_, {})) replyByte(start);
}

void ReplyAssembly::echoByte(std::uint8_t byte) {
  // A reply to an earlier frame that came after its time-out, ahead of this frame's echo: on a
  // plain cable it would be taken for this frame's reply; here it is no echo, and goes.
  if (echoAt_ == 0 && byte != echo_.front()) return;
  held_.push_back(byte);
  if (byte != echo_[echoAt_]) {
    spoilt_ = true;
    echo_.clear();
    echoAt_ = 0;
    reportEcho(false);
    return;
  }
  if (++echoAt_ < echo_.size()) return;
  echo_.clear();
  echoAt_ = 0;
  reportEcho(true);
}

void ReplyAssembly::replyByte(std::uint8_t byte) {
  // Nothing awaited: stray bytes never become the start of the next reply.
  if (threshold_ == 0 || spoilt_) return;
  input_.push_back(byte);
}

void ReplyAssembly::reportEcho(bool intact) {
  if (echoHeard_) echoHeard_(held_, intact);
  held_.clear();
}

std::optional<ReplyAssembly::Reply> ReplyAssembly::settle() {
  if (!std::exchange(settling_, false)) return std::nullopt;
  threshold_ = 0;
  return handOver();
}

std::size_t ReplyAssembly::awaited() const {
  if (spoilt_) return 1;
  const std::size_t reply = threshold_ > input_.size() ? threshold_ - input_.size() : 0;
  // While the first frame may come back, only a start that matches it is read on for.
  std::size_t echo = echo_.size() - echoAt_;
  if (!probe_.empty()) echo = held_.empty() ? 0 : probe_.size() - held_.size();
  return std::max<std::size_t>(1, echo + reply);
}

ReplyAssembly::Reply ReplyAssembly::handOver() {
  Reply reply = std::exchange(input_, {});
  bytesOnWire_ += reply.size();
  return reply;
}

}  // namespace kr4100
