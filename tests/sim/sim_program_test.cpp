// SPDX-License-Identifier: GPL-3.0-or-later
// The kr4100-sim program end to end: a real pseudo-terminal, opened as a serial device is.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Reads exactly n bytes, or fewer when the time runs out.
Bytes ReadFor(int fd, std::size_t n, std::chrono::milliseconds limit) {
  Bytes got;
  const auto deadline = Clock::now() + limit;
  while (got.size() < n) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) break;
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    std::uint8_t buffer[256];
    const ssize_t r = ::read(fd, buffer, std::min(sizeof buffer, n - got.size()));
    if (r <= 0) break;
    got.insert(got.end(), buffer, buffer + r);
  }
  return got;
}

// The program as a child process; stopped with SIGTERM when the test ends.
class SimProcess {
 public:
  explicit SimProcess(std::vector<std::string> args) {
    args.insert(args.begin(), KR4100_SIM_PATH);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    if (posix_spawn(&pid_, KR4100_SIM_PATH, &actions, nullptr, argv.data(), environ) != 0)
      pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    stdout_ = out[0];
  }
  ~SimProcess() {
    if (device_ >= 0) ::close(device_);
    stop();
    if (stdout_ >= 0) ::close(stdout_);
  }

  // Opens (again) the device named on the first output line, raw, as a serial port is opened.
  int openDevice() {
    for (Bytes b; path_.empty() && (b = ReadFor(stdout_, 1, 5000ms)).size() == 1 && b[0] != '\n';)
      line_.push_back(static_cast<char>(b[0]));
    if (path_.empty()) path_ = line_;
    if (device_ >= 0) ::close(device_);
    device_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    if (device_ < 0 || ::tcgetattr(device_, &tio) != 0) return -1;
    ::cfmakeraw(&tio);
    ::tcsetattr(device_, TCSANOW, &tio);
    return device_;
  }

  // Exit status after SIGTERM (terminate) or after ending by itself; -1 when it did not exit.
  int stop(bool terminate = true) {
    if (pid_ <= 0) return -1;
    if (terminate) ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int stdout_ = -1;
  int device_ = -1;
  std::string line_;
  std::string path_;
};

void Write(int fd, const Bytes& bytes) {
  ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

const Bytes kHandshake{'P', 'R', 'O', 'G', 'R', 'A', 'M'};

TEST(SimProgram, AnswersTheHandshakeAcrossReopensAndStopsOnSignal) {
  SimProcess sim({});
  int fd = sim.openDevice();
  ASSERT_GE(fd, 0);
  Write(fd, kHandshake);
  EXPECT_EQ(ReadFor(fd, 1, 1000ms), Bytes{0x06});

  // A client closing the device must not end the service.
  fd = sim.openDevice();
  ASSERT_GE(fd, 0);
  Write(fd, kHandshake);
  EXPECT_EQ(ReadFor(fd, 1, 1000ms), Bytes{0x06});
  EXPECT_EQ(sim.stop(), 0);
}

TEST(SimProgram, PacedReadReplyTakesItsWireTime) {
  SimProcess sim({"--pace"});
  const int fd = sim.openDevice();
  ASSERT_GE(fd, 0);
  const auto start = Clock::now();
  Write(fd, Bytes{'R', 0x1D, 0xC0, 0x40});
  const Bytes reply = ReadFor(fd, 69, 2000ms);
  const auto took = Clock::now() - start;
  ASSERT_EQ(reply.size(), 69u);
  EXPECT_EQ(reply.front(), 'W');
  EXPECT_EQ(reply.back(), 0xDD);
  // 69 bytes of 10 bits at 9600 baud are 71.9 ms, after the request's own 4.2 ms.
  EXPECT_GE(took, 70ms);
  EXPECT_LT(took, 1000ms);
}

TEST(SimProgram, IdentityOptionsAndSaveAfterTheEndFrame) {
  const auto file = std::filesystem::temp_directory_path() /
                    ("kr4100-sim-" + std::to_string(::getpid()) + ".img");
  std::filesystem::remove(file);
  SimProcess sim({"--model", "AB12", "--band", "1", "--firmware", "V601", "--save", file.string()});
  const int fd = sim.openDevice();
  ASSERT_GE(fd, 0);
  Write(fd, Bytes{0x02});
  EXPECT_EQ(ReadFor(fd, 14, 1000ms),
            (Bytes{'P', 'A', 'B', '1', '2', 0x00, 248, 0x01, 'V', '6', '0', '1', 0x00, 0x00}));
  // 0x00 + 0x20 + 0x02 + 0x12 + 0x34 = 0x68
  Write(fd, Bytes{'W', 0x00, 0x20, 0x02, 0x12, 0x34, 0x68});
  EXPECT_EQ(ReadFor(fd, 1, 1000ms), Bytes{0x06});
  Write(fd, Bytes{'E'});
  EXPECT_EQ(ReadFor(fd, 1, 1000ms), Bytes{0x06});

  std::ifstream in(file, std::ios::binary);
  const Bytes saved{std::istreambuf_iterator<char>(in), {}};
  ASSERT_EQ(saved.size(), 8192u);
  EXPECT_EQ(saved[0x20], 0x12);
  EXPECT_EQ(saved[0x21], 0x34);
  EXPECT_EQ(saved[0x1D91], 'A');
  EXPECT_EQ(sim.stop(), 0);
  std::filesystem::remove(file);
}

TEST(SimProgram, UsageErrorsExitWithTwo) {
  EXPECT_EQ(SimProcess({"--drop-reply", "x"}).stop(false), 2);
  EXPECT_EQ(SimProcess({"--model", "TOOLONG"}).stop(false), 2);
}

}  // namespace
