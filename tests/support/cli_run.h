// SPDX-License-Identifier: GPL-3.0-or-later
// The command line run in-process, as the CLI tests call it: the arguments after the program's
// name, what it printed on each stream, and its exit status.
#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"

namespace kr4100::testing {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline CliRun Cli(std::vector<std::string> args) {
  args.insert(args.begin(), "kr4100-cli");
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  std::ostringstream out, err;
  const int status =
      RunCli(static_cast<int>(argv.size()), argv.data(), KR4100_PROGRAM_DIR, out, err);
  return {status, out.str(), err.str()};
}

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace kr4100::testing
