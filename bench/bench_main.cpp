// SPDX-License-Identifier: GPL-3.0-or-later
// kr4100-bench: how close a read and a write come to the time their bytes need on a 9600-baud
// line. The virtual radio paces both directions at the real rate, so wire time is the floor;
// what the run takes beyond it is the program's own latency (and the virtual radio's). It also
// times check over 1,000 data files in one process.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_app.h"
#include "support/sim_process.h"

namespace {

// Bytes of each exchange, request plus reply, as the frames are laid out.
constexpr std::size_t kHandshake = 7 + 1;                 // "PROGRAM", acknowledge
constexpr std::size_t kIdentity = 1 + 14;                 // request, identity reply
constexpr std::size_t kIdentityAck = 1 + 1;               // acknowledge, acknowledged
constexpr std::size_t kEnd = 1 + 1;                       // "E", acknowledge
constexpr std::size_t kReadBlocks = 120;                  // 0x0000..0x1DC0, 64 bytes each
constexpr std::size_t kReadBlock = 4 + (64 + 5) + 1 + 1;  // request, block, ack, ack
constexpr std::size_t kWriteBlocks = 477;                 // 0x0010..0x1DD0 on a first attempt
constexpr std::size_t kWriteBlock = (16 + 5) + 1;         // block, acknowledge
constexpr std::size_t kSessionFrame = kHandshake + kIdentity + kIdentityAck + kEnd;

constexpr std::size_t kReadBytes = kSessionFrame + kReadBlocks * kReadBlock;     // 9027
constexpr std::size_t kWriteBytes = kSessionFrame + kWriteBlocks * kWriteBlock;  // 10521
static_assert(kReadBytes == 9027 && kWriteBytes == 10521);

constexpr double kBitsPerByte = 10.0;  // start bit, 8 data bits, stop bit
constexpr double kBaud = 9600.0;
constexpr double kTargetRatio = 1.03;

std::filesystem::path OwnFolder(const char* argv0) {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) exe = std::filesystem::absolute(argv0, ec);
  return exe.parent_path();
}

struct Measured {
  int status = -1;
  std::string err;
  kr4100::SessionFigures figures;
  double commandSeconds = 0;
};

Measured Run(const std::filesystem::path& programDir, std::vector<std::string> args) {
  args.insert(args.begin(), "kr4100-cli");
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  std::ostringstream out, err;
  Measured m;
  const auto start = std::chrono::steady_clock::now();
  m.status =
      kr4100::RunCli(static_cast<int>(argv.size()), argv.data(), programDir, out, err, &m.figures);
  m.commandSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  m.err = err.str();
  return m;
}

// One line per transfer; false when it failed or missed the target (none is set for a line with
// an adapter's latency or an echo: those report what they cost).
bool Report(const char* name, const Measured& m, std::size_t frameBytes, bool ideal) {
  if (m.status != 0 || !m.figures.ran) {
    std::printf("%-5s FAILED (exit %d)\n%s\n", name, m.status, m.err.c_str());
    return false;
  }
  const double elapsed = std::chrono::duration<double>(m.figures.elapsed).count();
  const double bound = static_cast<double>(frameBytes) * kBitsPerByte / kBaud;
  const double ratio = elapsed / bound;
  std::printf(
      "%-5s elapsed %7.3f s  bytes on wire %5zu (counted by the port: %zu)  wire bound %7.3f s  "
      "ratio %.4f  (whole command %.3f s)\n",
      name, elapsed, frameBytes, m.figures.bytesOnWire, bound, ratio, m.commandSeconds);
  return (!ideal || ratio <= kTargetRatio) && m.figures.bytesOnWire == frameBytes;
}

constexpr int kCheckFiles = 1000;
constexpr double kCheckTargetSeconds = 1.0;

// check over 1,000 files in one process, through the command itself: a mix of good files and
// files Open refuses (too short, unknown version). False when it took a second or more.
bool BenchCheck(const std::filesystem::path& programDir) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("kr4100-bench-check-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto good = dir / "good.dat";
  std::ostringstream out, err;
  {
    const std::vector<std::string> args{"kr4100-cli", "new", good.string()};
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    if (kr4100::RunCli(static_cast<int>(argv.size()), argv.data(), programDir, out, err) != 0) {
      std::printf("check FAILED: cannot make a data file\n%s\n", err.str().c_str());
      return false;
    }
  }
  std::vector<std::string> args{"kr4100-cli", "check"};
  int refused = 0;
  for (int i = 0; i < kCheckFiles; ++i) {
    const auto file = dir / ("f" + std::to_string(i) + ".dat");
    if (i % 10 == 3) {
      std::ofstream(file, std::ios::binary) << "V600 too short";
      ++refused;
    } else if (i % 10 == 7) {
      std::filesystem::copy_file(good, file, std::filesystem::copy_options::overwrite_existing);
      std::fstream(file, std::ios::in | std::ios::out | std::ios::binary) << "XXXX";
      ++refused;
    } else {
      std::filesystem::copy_file(good, file, std::filesystem::copy_options::overwrite_existing);
    }
    args.push_back(file.string());
  }
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  std::ostringstream checkOut, checkErr;
  const auto start = std::chrono::steady_clock::now();
  const int status =
      kr4100::RunCli(static_cast<int>(argv.size()), argv.data(), programDir, checkOut, checkErr);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);

  const std::string lines = checkOut.str();
  const auto notOk = static_cast<int>(std::count(lines.begin(), lines.end(), '\n')) - [&] {
    int ok = 0;
    for (std::size_t at = 0; (at = lines.find(": OK\n", at)) != std::string::npos; ++at) ++ok;
    return ok;
  }();
  std::printf("check %d files (%d refused) in one process: %.3f s  target < %.1f s\n", kCheckFiles,
              notOk, seconds, kCheckTargetSeconds);
  return status == 1 && notOk == refused && seconds < kCheckTargetSeconds;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path programDir = OwnFolder(argc > 0 ? argv[0] : ".");
  std::string simPath = (programDir / "kr4100-sim").string();
  int runs = 1;
  bool unpaced = false;
  CLI::App app{"Times a read and a write against the virtual radio at 9600 baud"};
  app.name("kr4100-bench");
  app.add_option("--sim", simPath, "The kr4100-sim program")->check(CLI::ExistingFile);
  app.add_option("--runs", runs, "How many reads and writes")->check(CLI::Range(1, 100));
  app.add_flag("--unpaced", unpaced, "Let the virtual radio answer at once (no 9600-baud pacing)");
  bool checkOnly = false;
  app.add_flag("--check-only", checkOnly, "Time the 1,000-file check alone, without the radio");
  int latency = 0;
  app.add_option("--adapter-latency", latency,
                 "The virtual radio's replies come through a USB adapter with this latency (ms)")
      ->check(CLI::Range(0, 1000));
  bool echo = false;
  app.add_flag("--echo", echo, "The cable echoes every byte sent");
  CLI11_PARSE(app, argc, argv);
  const bool ideal = latency == 0 && !echo;

  const bool checkGood = BenchCheck(programDir);
  if (checkOnly) return checkGood ? 0 : 1;

  std::vector<std::string> simArgs;
  if (!unpaced) simArgs.push_back("--pace");
  if (latency > 0) simArgs.insert(simArgs.end(), {"--adapter-latency", std::to_string(latency)});
  if (echo) simArgs.push_back("--echo");
  kr4100::testing::SimProcess sim(simPath, simArgs);
  if (sim.device().empty()) {
    std::fprintf(stderr, "kr4100-bench: %s did not start\n", simPath.c_str());
    return 1;
  }
  const auto file = std::filesystem::temp_directory_path() /
                    ("kr4100-bench-" + std::to_string(::getpid()) + ".dat");
  std::printf("virtual radio on %s%s, adapter latency %d ms%s; target ratio <= %.2f%s\n",
              sim.device().c_str(), unpaced ? " (unpaced)" : ", paced at 9600 baud", latency,
              echo ? ", echoing cable" : "", kTargetRatio, ideal ? "" : " (not applied)");

  // The commands keep their backups as a user's would, in a folder of the run's own: the
  // benchmark times that too, and leaves nothing among the user's backups.
  const auto dataDir = std::filesystem::temp_directory_path() /
                       ("kr4100-bench-data-" + std::to_string(::getpid()));
  bool good = true;
  for (int i = 0; i < runs; ++i) {
    const Measured read = Run(programDir, {"read", "--port", sim.device(), "--data-dir",
                                           dataDir.string(), file.string()});
    good = Report("read", read, kReadBytes, ideal) && good;
    if (read.status != 0) break;
    const Measured write = Run(programDir, {"write", "--port", sim.device(), "--data-dir",
                                            dataDir.string(), file.string()});
    good = Report("write", write, kWriteBytes, ideal) && good;
  }
  std::error_code ec;
  std::filesystem::remove(file, ec);
  std::filesystem::remove_all(dataDir, ec);
  return (unpaced || good) && checkGood ? 0 : 1;
}
