// SPDX-License-Identifier: GPL-3.0-or-later
// kr4100-cli stopped from outside in the middle of a radio command, as a process of its own
// against kr4100-sim: the session ends the way Cancel ends it (test mode left, port closed, the
// trace's outcome written) and the status is 130; a second Ctrl+C at once ends it on the spot.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/cli_process.h"
#include "support/cli_run.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

using namespace std::chrono_literals;
using testing::Cli;
using testing::CliProcess;
using testing::Contains;

using Sim = testing::SimProcess;

std::vector<std::string> Lines(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A trace line ("1234.811 ms  TX  poll        1C 0A") as its step and what follows, the
// spacing made single: {"poll", "1C 0A"}.
struct TraceLine {
  std::string label, rest;
};
TraceLine Parse(const std::string& line) {
  std::istringstream words(line);
  std::string time, unit, direction;
  TraceLine parsed;
  words >> time >> unit >> direction >> parsed.label;
  for (std::string word; words >> word;) parsed.rest += (parsed.rest.empty() ? "" : " ") + word;
  return parsed;
}
std::string Label(const std::string& line) {
  return Parse(line).label;
}
std::string Rest(const std::string& line) {
  return Parse(line).rest;
}

bool ExitedWith(const std::optional<int>& status, int code) {
  return status && WIFEXITED(*status) && WEXITSTATUS(*status) == code;
}

const std::string kStopped = "Stopped: the session with the radio was ended and the port closed.\n";

// The run that was found to leave the radio in test mode: polling, stopped by Ctrl+C.
TEST(CliStop, CtrlCWhilePollingLeavesTestModeClosesThePortAndExits130) {
  testing::TempDir dir;
  ASSERT_EQ(Cli({"new", (dir / "new.dat").string()}).status, 0);
  Sim sim(KR4100_SIM_PATH, {});
  ASSERT_FALSE(sim.device().empty());
  const std::filesystem::path trace = dir / "trace.txt";
  CliProcess cli(KR4100_CLI_PATH,
                 {"testmode", "align", "--port", sim.device(), "--item", "12", "--poll", "300",
                  "--trace", trace.string(), (dir / "new.dat").string()});
  ASSERT_TRUE(cli.started());
  // The points are printed once the item is tuned; the polls follow.
  ASSERT_TRUE(cli.waitFor([&] { return Contains(cli.out(), "\n"); }, 10s)) << cli.err();
  std::this_thread::sleep_for(300ms);
  cli.signal(SIGINT);
  const auto status = cli.wait(3s);
  ASSERT_TRUE(ExitedWith(status, 130)) << cli.err();
  EXPECT_EQ(cli.err(), kStopped);

  const std::vector<std::string> lines = Lines(trace);
  ASSERT_GE(lines.size(), 6u);
  const std::size_t n = lines.size();
  EXPECT_EQ(Label(lines[n - 6]), "poll") << lines[n - 6];
  EXPECT_EQ(Label(lines[n - 5]), "stop");
  EXPECT_EQ(Rest(lines[n - 5]), "interrupt");
  // Test mode was entered and is left: the leave goes out unanswered.
  EXPECT_EQ(Label(lines[n - 4]), "farewell") << lines[n - 4];
  EXPECT_EQ(Label(lines[n - 3]), "close");
  EXPECT_EQ(Label(lines[n - 2]), "outcome");
  EXPECT_EQ(Rest(lines[n - 2]), "test mode failed");
  EXPECT_EQ(Label(lines[n - 1]), "totals");

  // The radio is out of test mode: it answers a programming session.
  const auto info = Cli({"info", "--port", sim.device()});
  EXPECT_EQ(info.status, 0) << info.err;
}

// SIGINT and SIGTERM end a read between two blocks: no data file, the read's outcome in the
// trace, and the radio ready for the next session.
TEST(CliStop, ASignalMidReadEndsItAsCancelWithStatus130) {
  testing::TempDir dir;
  Sim sim(KR4100_SIM_PATH, {"--pace"});
  ASSERT_FALSE(sim.device().empty());
  for (const int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    const std::filesystem::path trace = dir / "trace.txt";
    const std::filesystem::path out = dir / "read.dat";
    CliProcess cli(KR4100_CLI_PATH, {"read", "--port", sim.device(), "--no-backup", "--trace",
                                     trace.string(), out.string()});
    ASSERT_TRUE(cli.started());
    // Progress past 0 %: blocks are coming.
    ASSERT_TRUE(cli.waitFor([&] { return cli.err().find('%') != cli.err().rfind('%'); }, 10s))
        << cli.err();
    cli.signal(signal);
    const auto status = cli.wait(3s);
    ASSERT_TRUE(ExitedWith(status, 130)) << cli.err();
    EXPECT_TRUE(Contains(cli.err(), "\n" + kStopped)) << cli.err();
    EXPECT_FALSE(std::filesystem::exists(out));

    const std::vector<std::string> lines = Lines(trace);
    ASSERT_GE(lines.size(), 4u);
    const std::size_t n = lines.size();
    EXPECT_EQ(Label(lines[n - 4]), "stop");
    EXPECT_EQ(Rest(lines[n - 4]), signal == SIGINT ? "interrupt" : "terminate");
    EXPECT_EQ(Label(lines[n - 3]), "close");
    EXPECT_EQ(Label(lines[n - 2]), "outcome");
    EXPECT_EQ(Rest(lines[n - 2]), "read failed");
  }
  // The radio, left halfway through a read, takes the next session.
  const auto info = Cli({"info", "--port", sim.device()});
  EXPECT_EQ(info.status, 0) << info.err;
}

// A second stop before the first has been acted on ends the process without waiting for the
// cleanup. The program is held while both arrive, so that neither can be handled before the
// other is pending (two Ctrl+C would merge into one there: a signal pending once is pending).
TEST(CliStop, ASecondStopRightAfterTheFirstEndsTheProcessAtOnce) {
  testing::TempDir dir;
  ASSERT_EQ(Cli({"new", (dir / "new.dat").string()}).status, 0);
  Sim sim(KR4100_SIM_PATH, {});
  ASSERT_FALSE(sim.device().empty());
  const std::filesystem::path trace = dir / "trace.txt";
  CliProcess cli(KR4100_CLI_PATH,
                 {"testmode", "align", "--port", sim.device(), "--item", "12", "--poll", "300",
                  "--trace", trace.string(), (dir / "new.dat").string()});
  ASSERT_TRUE(cli.started());
  ASSERT_TRUE(cli.waitFor([&] { return Contains(cli.out(), "\n"); }, 10s)) << cli.err();
  cli.signal(SIGSTOP);
  cli.signal(SIGINT);
  cli.signal(SIGTERM);
  cli.signal(SIGCONT);
  const auto status = cli.wait(3s);
  ASSERT_TRUE(ExitedWith(status, 130)) << cli.err();
  // Ended before the session could: nothing of the cleanup was written.
  EXPECT_EQ(cli.err(), "");
  for (const std::string& line : Lines(trace)) EXPECT_NE(Label(line), "outcome") << line;
}

}  // namespace
}  // namespace kr4100
