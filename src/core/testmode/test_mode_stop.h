// SPDX-License-Identifier: GPL-3.0-or-later
// A stop requested from outside ends test mode as a cancelled retry does: the transmitter
// released and test mode left, unanswered, before the port closes.
#pragma once

#include "core/link/stop_request.h"

namespace kr4100 {

class TestModeDriver;

// When a stop is requested and test mode still runs, ends it, with a trace line saying why
// (trace may be null). True when it ended test mode.
bool StopOnRequest(const StopRequest& stop, TestModeDriver& driver, SerialTrace* trace);

}  // namespace kr4100
