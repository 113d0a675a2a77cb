// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/simulated_link.h"

#include <algorithm>

namespace kr4100::sim {

SimulatedLink::SimulatedLink() {
  replies_.onEcho([this](std::span<const std::uint8_t> bytes, bool intact) {
    if (session_) session_->onEcho(bytes, intact);
  });
}

void SimulatedLink::at(std::chrono::milliseconds when, std::function<void()> action) {
  actions_.emplace(std::chrono::duration_cast<Micros>(when), std::move(action));
}

std::chrono::milliseconds SimulatedLink::now() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(now_);
}

bool SimulatedLink::connected() const {
  return radio_ != nullptr && open_ && (!radioPort_ || *radioPort_ == *open_);
}

bool SimulatedLink::openPort(const PortSettings& settings) {
  if (unopenable.count(settings.port) != 0) return false;
  open_ = settings;
  opened.push_back(settings);
  replies_.opened();
  return true;
}

void SimulatedLink::closePort() {
  open_.reset();
  replies_.clear();
  arriving_.clear();
}

void SimulatedLink::send(std::span<const std::uint8_t> frame, int expectedReplyLength) {
  sent.emplace_back(frame.begin(), frame.end());
  replies_.sent(frame, expectedReplyLength);
  // The radio acts once the frame is in; its reply then takes its own wire time, after anything
  // it is still sending.
  const Micros frameIn = now_ + WireTime(frame.size());
  if (echo && open_) arrive(frameIn, {frame.begin(), frame.end()});
  if (!connected()) return;
  std::vector<std::uint8_t> reply = radio_->receive(frame);
  if (second_ && repliesOnWire_ + 1 >= secondFrom_) {
    const std::vector<std::uint8_t> other = second_->receive(frame);
    if (reply.size() < other.size()) reply.resize(other.size(), 0xFF);
    for (std::size_t i = 0; i < other.size(); ++i) reply[i] &= other[i];
  }
  if (reply.empty()) return;
  const Micros start = std::max(frameIn, lineFree_);
  lineFree_ = start + WireTime(reply.size());
  if (++repliesOnWire_ == lateReply) lineFree_ = std::max(lineFree_, now_ + lateArrival);
  arrive(lineFree_, std::move(reply));
  if (whenReplying) whenReplying(repliesOnWire_);
}

void SimulatedLink::startReplyTimer(std::chrono::milliseconds interval) {
  timer_ = now_ + std::chrono::duration_cast<Micros>(interval);
}

Answer SimulatedLink::ask(Question question) {
  questions.push_back(question);
  if (duringQuestion) duringQuestion();
  if (answers.empty()) return Answer::Cancel;
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

Answer SimulatedLink::identityRefused(const IdentityCheck& check) {
  refusals.push_back(check);
  return identityAnswer;
}

void SimulatedLink::arrive(Micros lastIn, std::vector<std::uint8_t> bytes) {
  if (adapterLatency <= Micros(0)) {
    arriving_.emplace(lastIn, std::move(bytes));
    return;
  }
  std::size_t from = 0;
  for (const auto& [at, count] :
       AdapterPackets(lastIn - WireTime(bytes.size() - 1), bytes.size(), adapterLatency)) {
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(from);
    arriving_.emplace(at,
                      std::vector<std::uint8_t>(begin, begin + static_cast<std::ptrdiff_t>(count)));
    from += count;
  }
}

void SimulatedLink::deliver(std::vector<std::uint8_t> bytes) {
  if (!open_) return;
  // The receive event fires once the armed number of bytes is waiting, with all that is waiting.
  if (auto reply = replies_.take(bytes); reply && session_) session_->onReceived(*reply);
}

bool SimulatedLink::runUntilIdle(std::chrono::milliseconds limit) {
  const Micros end = std::chrono::duration_cast<Micros>(limit);
  while (session_ && session_->active()) {
    if (stop && StopOnRequest(*stop, *session_, nullptr)) continue;
    Micros next = end;
    if (timer_) next = std::min(next, *timer_);
    if (!arriving_.empty()) next = std::min(next, arriving_.begin()->first);
    if (!actions_.empty()) next = std::min(next, actions_.begin()->first);
    if (next >= end) return false;
    now_ = std::max(now_, next);

    // Scripted actions first, then bytes on the wire, then the timer: a reply that is in by the
    // time the timer fires is seen first, as on a real event queue.
    if (!actions_.empty() && actions_.begin()->first <= now_) {
      auto action = std::move(actions_.begin()->second);
      actions_.erase(actions_.begin());
      action();
    } else if (!arriving_.empty() && arriving_.begin()->first <= now_) {
      auto bytes = std::move(arriving_.begin()->second);
      arriving_.erase(arriving_.begin());
      deliver(std::move(bytes));
    } else if (timer_ && *timer_ <= now_) {
      timer_.reset();
      session_->onTimer();
    }
  }
  return true;
}

}  // namespace kr4100::sim
