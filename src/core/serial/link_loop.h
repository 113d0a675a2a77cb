// SPDX-License-Identifier: GPL-3.0-or-later
// The wait loop of a host that runs without Qt: its timers are deadlines on a clock, and the one
// place it sleeps is the line's own read, until the bytes awaited are in or the next deadline
// comes. The transfer session and the test-mode driver run on it in kr4100-cli.exe.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "core/link/stop_request.h"
#include "core/serial/serial_link.h"

namespace kr4100 {

class LinkLoop {
 public:
  // Milliseconds since some fixed moment; the tests pass a simulated clock their line advances.
  using Clock = std::function<std::chrono::milliseconds()>;
  static Clock SteadyClock();

  // Runs the line, the timers and posted events until done() holds (true), or until limit has
  // passed, or nothing is left that could make done() hold: no timer running, nothing posted
  // and the line closed, or a stop watched is requested (false unless done() holds).
  bool runUntil(const std::function<bool()>& done,
                std::chrono::milliseconds limit = std::chrono::hours(24));

  // From now on runUntil returns soon after stop is requested (null: no stop is watched). Nothing
  // can wake the line's read, so while a stop is watched the loop reads in slices.
  void watchStop(const StopRequest* stop) { stop_ = stop; }
  static constexpr std::chrono::milliseconds kStopSlice{100};

 protected:
  using TimerId = std::size_t;

  LinkLoop(std::unique_ptr<SerialLink> link, Clock clock);
  virtual ~LinkLoop() = default;
  LinkLoop(const LinkLoop&) = delete;
  LinkLoop& operator=(const LinkLoop&) = delete;

  SerialLink& link() { return *link_; }
  const SerialLink& link() const { return *link_; }
  std::chrono::milliseconds clock() const { return clock_(); }

  // A one-shot timer that calls onDue once it runs out, unless stopped first.
  TimerId addTimer(std::function<void()> onDue);
  void startTimer(TimerId timer, std::chrono::milliseconds interval);
  void stopTimer(TimerId timer);
  // Runs event from the loop, before any timer and before the line is read again.
  void post(std::function<void()> event);

  // How many bytes the host still awaits; the line is read for at least one.
  virtual std::size_t awaited() const = 0;
  virtual void received(std::span<const std::uint8_t> bytes) = 0;
  // The line failed; it is closed now.
  virtual void lineFailed() {}

 private:
  struct Timer {
    std::function<void()> onDue;
    std::optional<std::chrono::milliseconds> due;
  };
  Timer* nextTimer();

  std::unique_ptr<SerialLink> link_;
  Clock clock_;
  std::vector<Timer> timers_;
  std::deque<std::function<void()>> posted_;
  std::vector<std::uint8_t> got_;
  const StopRequest* stop_ = nullptr;
};

}  // namespace kr4100
