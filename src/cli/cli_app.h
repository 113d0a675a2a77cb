// kr4100-cli: the core behind a command line, for scripting and checks.
#pragma once

#include <filesystem>
#include <iosfwd>

namespace kr4100 {

// Exit statuses: 0 success, 1 refused or failed (the program's own message on err), 2 usage.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// programDir is the folder of the executable; the version table and the templates are found
// through the installation layout around it.
int RunCli(int argc, const char* const* argv, const std::filesystem::path& programDir,
           std::ostream& out, std::ostream& err);

}  // namespace kr4100
