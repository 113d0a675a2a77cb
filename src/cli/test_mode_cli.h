// SPDX-License-Identifier: GPL-3.0-or-later
// testmode channels and testmode align: a radio's test mode from the command line, run to its
// end without asking anyone (every question is answered Cancel and printed).
#pragma once

#include "cli/cli_common.h"

namespace kr4100 {

int RunTestModeChannels(const CliContext& context);
int RunTestModeAlign(const CliContext& context);

}  // namespace kr4100
