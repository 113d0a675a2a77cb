// SPDX-License-Identifier: GPL-3.0-or-later
// What a test-mode host does when its line fails or its adapter goes away, over Qt's port and
// over the core's line alike.
#pragma once

#include "core/link/reporting_session_host.h"
#include "core/testmode/test_mode_driver.h"

namespace kr4100 {

// Test mode ends at once, before the port error shows: nothing may go on the line while the user
// reads it. Told only when test mode was running (driver may be null).
void EndTestModeOnLineLoss(TestModeDriver* driver, Prompter& prompter);

}  // namespace kr4100
