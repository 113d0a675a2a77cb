// Commands over several data files: dump, check, diff and the backups listing. Each file is opened
// exactly as the program's Open opens it.
#pragma once

#include <filesystem>
#include <string>

#include "cli/cli_common.h"

namespace kr4100 {

// One line of check: "<path>: OK" or "<path>: <the refusal message on one line>".
struct CheckedFile {
  bool ok = false;
  std::string line;
};
CheckedFile CheckDataFile(const std::filesystem::path& path, const VersionTable& versions,
                          int language);

int RunDump(const CliContext& context);
int RunCheck(const CliContext& context);
int RunDiff(const CliContext& context);
// The backups in <dataDir>/backups: a header row, then one row per backup, newest first; the
// columns are separated by a tab, and what a name does not tell is an empty column.
int RunBackups(const CliContext& context, const std::filesystem::path& dataDir);

}  // namespace kr4100
