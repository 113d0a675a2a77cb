// SPDX-License-Identifier: GPL-3.0-or-later
// The kr4100-sim program as a child process: started with its options, its pseudo-terminal path
// taken from the first line it prints, stopped with SIGTERM when the object goes.
#pragma once

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace kr4100::testing {

class SimProcess {
 public:
  SimProcess(const std::string& program, std::vector<std::string> args) {
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
      pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (pid_ > 0) device_ = readFirstLine(out[0], std::chrono::seconds(5));
    ::close(out[0]);
  }
  ~SimProcess() { stop(); }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  // The pseudo-terminal to open as the radio's serial port; empty when the program did not start.
  const std::string& device() const { return device_; }

  void stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
  }

 private:
  static std::string readFirstLine(int fd, std::chrono::milliseconds limit) {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return {};
      pollfd p{fd, POLLIN, 0};
      if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
      char c = 0;
      if (::read(fd, &c, 1) != 1) return {};
      if (c == '\n') return line;
      line += c;
    }
  }

  pid_t pid_ = -1;
  std::string device_;
};

}  // namespace kr4100::testing
