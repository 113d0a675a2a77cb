#include <unistd.h>

#include <cerrno>
#include <cstring>
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

#ifdef KR4100_RADIO_HANDOFF
// The radio commands live in a program of their own beside this one, so that the file commands
// start without loading Qt and the serial port. It takes over this process: same arguments, same
// streams, and its exit status is ours.
int HandOff(const std::filesystem::path& programDir, char** argv) {
  const std::string radio = (programDir / "kr4100-cli-radio").string();
  argv[0] = const_cast<char*>(radio.c_str());
  execv(radio.c_str(), argv);
  std::cerr << radio << ": " << std::strerror(errno) << '\n';
  return kr4100::kExitFailed;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path programDir = ProgramDir(argc > 0 ? argv[0] : ".");
  const int status = kr4100::RunCli(argc, argv, programDir, std::cout, std::cerr);
#ifdef KR4100_RADIO_HANDOFF
  if (status == kr4100::kExitHandOff) {
    std::cout.flush();
    return HandOff(programDir, argv);
  }
#endif
  return status;
}
