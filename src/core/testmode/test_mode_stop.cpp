// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/testmode/test_mode_stop.h"

#include "core/link/serial_trace.h"
#include "core/testmode/test_mode_driver.h"

namespace kr4100 {

bool StopOnRequest(const StopRequest& stop, TestModeDriver& driver, SerialTrace* trace) {
  if (!stop.requested() || !driver.active()) return false;
  if (trace) trace->note("stop", StopCauseName(stop.cause()));
  driver.end();
  return true;
}

}  // namespace kr4100
