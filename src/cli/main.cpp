// SPDX-License-Identifier: GPL-3.0-or-later
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "cli/cli_app.h"

namespace {

#ifdef _WIN32
// The folder of the running executable, so the installation around it is found wherever the
// program is started from.
std::filesystem::path ProgramDir(const char*) {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return std::filesystem::current_path();
    if (length < name.size()) {
      name.resize(length);
      break;
    }
    name.resize(name.size() * 2);
  }
  return std::filesystem::path(name).parent_path();
}

// The arguments as UTF-8, the encoding every command takes its file names in; a narrow argv
// would be in the ANSI code page, which cannot hold most names.
std::vector<std::string> Utf8Arguments(int argc, wchar_t** wide) {
  std::vector<std::string> result;
  for (int i = 0; i < argc; ++i) {
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string text(bytes > 0 ? static_cast<std::size_t>(bytes) : 1u, '\0');
    if (bytes > 0) ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), bytes, nullptr, nullptr);
    text.resize(text.size() - 1);
    result.push_back(std::move(text));
  }
  return result;
}
#else
std::filesystem::path ProgramDir(const char* argv0) {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) exe = std::filesystem::absolute(argv0, ec);
  return exe.parent_path();
}
#endif

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

#ifdef _WIN32
int wmain(int argc, wchar_t** wargv) {
  // The same bytes out as on Linux: no LF to CRLF on the way, UTF-8 text passed through as is.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  const std::vector<std::string> arguments = Utf8Arguments(argc, wargv);
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  argv.push_back(nullptr);
  return kr4100::RunCli(argc, argv.data(), ProgramDir(nullptr), std::cout, std::cerr);
}
#else
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
#endif
