#include <filesystem>
#include <iostream>
#include <system_error>

#include "cli/cli_app.h"

namespace {

// The folder of the running executable, so the installation around it is found wherever the
// program is started from.
std::filesystem::path ProgramDir(const char* argv0) {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) exe = std::filesystem::absolute(argv0, ec);
  return exe.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  return kr4100::RunCli(argc, argv, ProgramDir(argc > 0 ? argv[0] : "."), std::cout, std::cerr);
}
