// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/port_search.h"

#include "core/link/identity.h"
#include "core/link/serial_trace.h"

namespace kr4100 {
namespace {

constexpr int kHandshakesPerCombination = 3;
constexpr int kCombinationsPerPort = 8;  // stop bits 1, 2 times handshaking 0..3
constexpr int kHandshakingModes = 4;

}  // namespace

PortSearch::Result PortSearch::start(std::string programModel) {
  programModel_ = std::move(programModel);
  candidates_ = host_.candidatePorts();
  candidate_ = 0;
  combination_ = -1;
  otherModel_.reset();
  return tryNextCombination();
}

PortSearch::Result PortSearch::tryNextCombination() {
  for (;;) {
    if (++combination_ >= kCombinationsPerPort) {
      ++candidate_;
      combination_ = 0;
    }
    if (candidate_ >= candidates_.size()) return Result::Exhausted;
    const PortSettings next{candidates_[candidate_], 1 + combination_ / kHandshakingModes,
                            combination_ % kHandshakingModes};
    stop();
    const bool opened = host_.openPort(next);
    if (trace_) opened ? trace_->opened(next) : trace_->openFailed(next, host_.openError());
    if (!opened) {
      // A port that cannot be opened will not open with other settings either: skip all of them.
      ++candidate_;
      combination_ = -1;
      continue;
    }
    portOpen_ = true;
    trying_ = next;
    step_ = Step::HandshakeSent;
    handshakes_ = 1;
    send(BuildHandshake(), 1);
    return Result::Trying;
  }
}

void PortSearch::send(const Frame& frame, int expectedReplyLength) {
  host_.startReplyTimer(kReplyTimeout);
  if (trace_) trace_->sent("search", frame);
  host_.send(frame, expectedReplyLength);
}

void PortSearch::stop() {
  if (portOpen_) {
    host_.closePort();
    if (trace_) trace_->closed();
  }
  portOpen_ = false;
}

PortSearch::Result PortSearch::onReply(ReplyType type, std::span<const std::uint8_t> bytes) {
  switch (step_) {
    case Step::HandshakeSent:
      if (type != ReplyType::Ack) return Result::Trying;
      step_ = Step::IdentityRequested;
      send(BuildIdentityRequest(), kIdentityReplyLength);
      return Result::Trying;
    case Step::IdentityRequested: {
      if (type != ReplyType::Identity) return Result::Trying;
      const auto identity = ParseIdentityReply(bytes);
      sameModel_ = identity && SameModel(programModel_, *identity);
      step_ = Step::IdentityAcknowledged;
      send(BuildAck(), 1);
      return Result::IdentityReceived;
    }
    case Step::IdentityAcknowledged:
      if (type != ReplyType::Ack) return Result::Trying;
      host_.stopReplyTimer();
      if (sameModel_) {
        portOpen_ = false;  // the session goes on with this port as it is
        return Result::Found;
      }
      // Another model may still be the radio the user means; a radio of our own model on a later
      // combination is preferred.
      if (!otherModel_) otherModel_ = trying_;
      return tryNextCombination();
  }
  return Result::Trying;
}

PortSearch::Result PortSearch::onTimer() {
  if (step_ == Step::HandshakeSent && handshakes_ < kHandshakesPerCombination) {
    ++handshakes_;
    send(BuildHandshake(), 1);
    return Result::Trying;
  }
  return tryNextCombination();
}

}  // namespace kr4100
