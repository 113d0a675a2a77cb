// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands (new, dump, check, diff, resave) and the backups listing. Each data file is
// opened exactly as the program's Open opens it.
#pragma once

#include <filesystem>

#include "cli/cli_common.h"

namespace kr4100 {

// The backups in <dataDir>/backups: a header row, then one row per backup, newest first; the
// columns are separated by a tab, and what a name does not tell is an empty column.
int RunBackups(const CliContext& context, const std::filesystem::path& dataDir);

}  // namespace kr4100
