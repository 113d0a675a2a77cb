// SPDX-License-Identifier: GPL-3.0-or-later
// A request from outside the program to stop (Ctrl+C, a termination signal, the console window
// closing). The loop that runs a session sees it and ends the session the way Cancel does: the
// port closed, the radio left as after a cancelled session, the trace given its outcome. Setting
// it only stores to a lock-free atomic, so that a signal handler may.
#pragma once

#include <atomic>

namespace kr4100 {

class SerialTrace;
class TransferSession;

enum class StopCause : int { None = 0, Interrupt, Terminate, HangUp, ConsoleClosed };

// The status a program stopped so exits with: 130, as after Ctrl+C; 1 when its console closed.
int StopExitStatus(StopCause cause);
// "interrupt", "terminate" ... for the trace.
const char* StopCauseName(StopCause cause);

class StopRequest {
 public:
  // Safe in a signal handler. The first cause is the one kept.
  void request(StopCause cause) noexcept {
    int none = 0;
    cause_.compare_exchange_strong(none, static_cast<int>(cause));
  }
  StopCause cause() const noexcept { return static_cast<StopCause>(cause_.load()); }
  bool requested() const noexcept { return cause() != StopCause::None; }
  void clear() noexcept { cause_.store(0); }

 private:
  static_assert(std::atomic<int>::is_always_lock_free);
  std::atomic<int> cause_{0};
};

// When a stop is requested and the session still runs, ends it as Cancel does, with a trace line
// saying why (trace may be null). True when it ended the session.
bool StopOnRequest(const StopRequest& stop, TransferSession& session, SerialTrace* trace);

}  // namespace kr4100
