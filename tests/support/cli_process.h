// SPDX-License-Identifier: GPL-3.0-or-later
// kr4100-cli as a child process, for what only a process of its own shows: its reaction to a
// signal and the status it exits with. Both streams are collected as they come.
#pragma once

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace kr4100::testing {

class CliProcess {
 public:
  CliProcess(const std::string& program, std::vector<std::string> args) {
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int out[2], err[2];
    if (::pipe(out) != 0) return;
    if (::pipe(err) != 0) {
      ::close(out[0]);
      ::close(out[1]);
      return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    for (int fd : {out[0], out[1], err[0], err[1]}) posix_spawn_file_actions_addclose(&actions, fd);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
      pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    out_ = out[0];
    err_ = err[0];
  }
  ~CliProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    for (int fd : {out_, err_})
      if (fd >= 0) ::close(fd);
  }
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  bool started() const { return pid_ > 0; }
  const std::string& out() const { return outText_; }
  const std::string& err() const { return errText_; }

  // Collects output until seen() holds (true) or limit has passed (false).
  bool waitFor(const std::function<bool()>& seen, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!seen()) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0 || !collect(left)) return seen();
    }
    return true;
  }

  void signal(int number) { ::kill(pid_, number); }

  // The wait status once the process has ended, collecting its output; nothing if it is still
  // running after limit.
  std::optional<int> wait(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        while (collect(std::chrono::milliseconds(0))) {
        }
        return status;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return std::nullopt;
      collect(std::min(left, std::chrono::milliseconds(20)));
    }
  }

 private:
  // Reads what one of the streams has within limit; false when both have ended or nothing came.
  bool collect(std::chrono::milliseconds limit) {
    pollfd p[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
    if (::poll(p, 2, static_cast<int>(limit.count())) <= 0) return false;
    bool got = false;
    char buffer[4096];
    for (int i = 0; i < 2; ++i) {
      if ((p[i].revents & (POLLIN | POLLHUP)) == 0) continue;
      const ssize_t n = ::read(p[i].fd, buffer, sizeof buffer);
      if (n <= 0) {  // the stream has ended
        ::close(p[i].fd);
        (i == 0 ? out_ : err_) = -1;
        continue;
      }
      (i == 0 ? outText_ : errText_).append(buffer, static_cast<std::size_t>(n));
      got = true;
    }
    return got;
  }

  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
  std::string outText_;
  std::string errText_;
};

}  // namespace kr4100::testing
