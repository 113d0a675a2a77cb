// SPDX-License-Identifier: GPL-3.0-or-later
// kr4100-cli: the core behind a command line, for scripting and checks.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <iosfwd>

namespace kr4100 {

// Exit statuses: 0 success, 1 refused or failed (the program's own message on err), 2 usage.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
// Not an exit status: a radio command parsed by a kr4100-cli built without the serial side, which
// hands the whole command line to the program that has it.
inline constexpr int kExitHandOff = -1;

// What the serial session of a radio command (read, write, info) measured, for the benchmark.
struct SessionFigures {
  bool ran = false;                    // a session was started on an opened port
  std::chrono::nanoseconds elapsed{};  // from the first handshake to the session's end
  std::size_t bytesOnWire = 0;         // both directions, frames sent and replies taken
};

// programDir is the folder of the executable; the version table and the templates are found
// through the installation layout around it.
int RunCli(int argc, const char* const* argv, const std::filesystem::path& programDir,
           std::ostream& out, std::ostream& err);
// The same, reporting the figures of a radio command's session when figures is not null.
int RunCli(int argc, const char* const* argv, const std::filesystem::path& programDir,
           std::ostream& out, std::ostream& err, SessionFigures* figures);

}  // namespace kr4100
