#include "core/serial/reply_assembly.h"

#include <algorithm>
#include <utility>

namespace kr4100 {

namespace {

std::size_t Threshold(ReplyAssembly::Ending ending, int replyLength) {
  return static_cast<std::size_t>(
      std::max(ending == ReplyAssembly::Ending::Length ? 1 : 0, replyLength));
}

}  // namespace

void ReplyAssembly::sent(std::span<const std::uint8_t> frame, int replyLength) {
  clear();
  threshold_ = Threshold(ending_, replyLength);
  bytesOnWire_ += frame.size();
}

void ReplyAssembly::clear() {
  input_.clear();
  settling_ = false;
  threshold_ = Threshold(ending_, 0);
}

void ReplyAssembly::opened() {
  clear();
  bytesOnWire_ = 0;
}

std::optional<ReplyAssembly::Reply> ReplyAssembly::take(std::span<const std::uint8_t> bytes) {
  // Nothing awaited: stray bytes never become the start of the next reply.
  if (threshold_ == 0) return std::nullopt;
  input_.insert(input_.end(), bytes.begin(), bytes.end());
  if (input_.size() < threshold_) return std::nullopt;
  if (ending_ == Ending::Length) return handOver();
  settling_ = true;
  return std::nullopt;
}

std::optional<ReplyAssembly::Reply> ReplyAssembly::settle() {
  if (!std::exchange(settling_, false)) return std::nullopt;
  threshold_ = 0;
  return handOver();
}

std::size_t ReplyAssembly::awaited() const {
  return threshold_ > input_.size() ? threshold_ - input_.size() : 1;
}

ReplyAssembly::Reply ReplyAssembly::handOver() {
  Reply reply = std::exchange(input_, {});
  bytesOnWire_ += reply.size();
  return reply;
}

}  // namespace kr4100
