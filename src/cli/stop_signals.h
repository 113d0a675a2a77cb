// SPDX-License-Identifier: GPL-3.0-or-later
// Ctrl+C and the other ways a console program is told to stop, caught for as long as a radio
// command runs. The first sets the process's stop request; the command's loop sees it at once and
// ends the session as Cancel does, so the radio is not left in test mode or half talked to. A
// second within kStopAgainWithin ends the process on the spot, for a cleanup that hangs.
//
// Linux: SIGINT, SIGTERM and SIGHUP, each unless it was ignored when the program started (as a
// background job's are). Windows: Ctrl+C, Ctrl+Break and the console window closing; the system
// ends the process once the handler of a close returns, so that handler waits, bounded, for the
// command to have cleaned up.
#pragma once

#include <chrono>

#include "core/link/stop_request.h"

namespace kr4100 {

inline constexpr std::chrono::milliseconds kStopAgainWithin{2000};
// How long the handler of a console close waits for the cleanup.
inline constexpr std::chrono::milliseconds kConsoleCloseWait{4000};

// One at a time: the handlers are the process's.
class StopSignals {
 public:
  // Installs the handlers, with no stop requested.
  StopSignals();
  // Puts back what was there before.
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  const StopRequest& request() const;
  // Readable once a stop has been requested, to wake an event loop that waits on descriptors;
  // -1 where there is none (Windows).
  int wakeFd() const;
};

}  // namespace kr4100
