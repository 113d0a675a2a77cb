// SPDX-License-Identifier: GPL-3.0-or-later
// read, write and info: sessions with a radio on a serial port, run to their end without asking
// anyone (every question is answered Cancel or No, and the question is printed). ports and
// backups, which need the system's serial ports and its per-user data folder.
#pragma once

#include <filesystem>

#include "cli/cli_common.h"

namespace kr4100 {

int RunRead(const CliContext& context);
int RunWrite(const CliContext& context);
int RunInfo(const CliContext& context);
// The serial ports, one a line, with what the system knows of each.
int RunPorts(const CliContext& context);
// The backups in the per-user data folder (or the one --data-dir names).
int RunBackupList(const CliContext& context);

// The program's per-user data folder (where the desktop program keeps its backups too), or the
// one --data-dir names.
std::filesystem::path UserDataDir(const CliContext& context);

}  // namespace kr4100
