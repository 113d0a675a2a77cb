// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/link_loop.h"

#include <algorithm>

namespace kr4100 {

using std::chrono::milliseconds;

LinkLoop::Clock LinkLoop::SteadyClock() {
  return [start = std::chrono::steady_clock::now()] {
    return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
  };
}

LinkLoop::LinkLoop(std::unique_ptr<SerialLink> link, Clock clock)
    : link_(std::move(link)), clock_(std::move(clock)) {}

LinkLoop::TimerId LinkLoop::addTimer(std::function<void()> onDue) {
  timers_.push_back({std::move(onDue), std::nullopt});
  return timers_.size() - 1;
}

void LinkLoop::startTimer(TimerId timer, milliseconds interval) {
  timers_[timer].due = clock() + interval;
}

void LinkLoop::stopTimer(TimerId timer) {
  timers_[timer].due.reset();
}

void LinkLoop::post(std::function<void()> event) {
  posted_.push_back(std::move(event));
}

LinkLoop::Timer* LinkLoop::nextTimer() {
  Timer* next = nullptr;
  for (Timer& t : timers_)
    if (t.due && (next == nullptr || *t.due < *next->due)) next = &t;
  return next;
}

bool LinkLoop::runUntil(const std::function<bool()>& done, milliseconds limit) {
  const milliseconds end = clock() + limit;
  while (!done()) {
    if (stop_ && stop_->requested()) return false;
    if (!posted_.empty()) {
      const std::function<void()> event = std::move(posted_.front());
      posted_.pop_front();
      event();
      continue;
    }
    const milliseconds now = clock();
    Timer* timer = nextTimer();
    if (timer != nullptr && *timer->due <= now) {
      timer->due.reset();
      timer->onDue();
      continue;
    }
    if (now >= end || (timer == nullptr && !link_->isOpen())) return false;
    milliseconds until = timer != nullptr ? std::min(*timer->due, end) : end;
    if (stop_) until = std::min(until, now + kStopSlice);
    got_.clear();
    const bool ok = link_->read(got_, std::max<std::size_t>(1, awaited()), until - now);
    // What came before a failure still counts.
    if (!got_.empty()) received(got_);
    if (!ok) lineFailed();
  }
  return true;
}

}  // namespace kr4100
