// SPDX-License-Identifier: GPL-3.0-or-later
// check, diff and dump over several data files, in-process and as the installed program.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "core/config/data_file_codec.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

using testing::Cli;
using testing::CliRun;

std::string Shell(const std::string& command, int* status) {
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string out;
  if (pipe == nullptr) return out;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  const int raw = ::pclose(pipe);
  if (status != nullptr) *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return out;
}

class CliFiles : public ::testing::Test {
 protected:
  CliFiles() {
    EXPECT_EQ(Cli({"new", a().string()}).status, 0);
    EXPECT_EQ(Cli({"new", b().string()}).status, 0);
  }
  std::filesystem::path a() const { return dir / "a.dat"; }
  std::filesystem::path b() const { return dir / "b.dat"; }
  // Changes b's record and writes it back.
  template <class F>
  void ChangeB(F&& change) {
    const auto bytes = testing::ReadBytes(b());
    RadioConfig r = DecodeDataFile(
        std::span<const std::uint8_t, layout::kDataFileSize>(bytes.data(), layout::kDataFileSize));
    change(r);
    const DataFileBytes out = EncodeDataFile(r);
    testing::WriteBytes(b(), std::vector<std::uint8_t>(out.begin(), out.end()));
  }
  testing::TempDir dir;
};

TEST_F(CliFiles, CheckPrintsOneLinePerFileAndFailsWhenAnyIsRefused) {
  testing::WriteBytes(dir / "short.dat", std::vector<std::uint8_t>(100, 'V'));
  CliRun run = Cli({"check", a().string(), b().string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, a().string() + ": OK\n" + b().string() + ": OK\n");

  run = Cli({"check", a().string(), (dir / "short.dat").string(), (dir / "none.dat").string()});
  EXPECT_EQ(run.status, 1);
  std::istringstream lines(run.out);
  std::string line;
  std::vector<std::string> all;
  while (std::getline(lines, line)) all.push_back(line);
  ASSERT_EQ(all.size(), 3u) << run.out;
  EXPECT_EQ(all[0], a().string() + ": OK");
  EXPECT_EQ(all[1].rfind((dir / "short.dat").string() + ": ", 0), 0u);
  EXPECT_NE(all[1], (dir / "short.dat").string() + ": OK");
  EXPECT_EQ(all[2].rfind((dir / "none.dat").string() + ": ", 0), 0u);
  EXPECT_NE(all[2], (dir / "none.dat").string() + ": OK");
  EXPECT_EQ(Cli({"check"}).status, 2);
}

// Names are UTF-8 on every system: the one given is the one opened, written and printed.
TEST_F(CliFiles, NonAsciiNamesAreOpenedWrittenAndPrintedAsGiven) {
  const std::string name = (dir.path() / "\xE9\xA2\x91\xE9\x81\x93-\xC3\x9C.dat").string();
  const std::string copy = (dir.path() / "\xC3\xA9t\xC3\xA9.dat").string();
  ASSERT_EQ(Cli({"resave", a().string(), name}).status, 0);
  ASSERT_EQ(Cli({"resave", name, copy}).status, 0);
  EXPECT_EQ(testing::ReadBytes(copy), testing::ReadBytes(a()));
  const CliRun run = Cli({"check", name});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, name + ": OK\n");
}

TEST_F(CliFiles, DiffListsEachDifferenceAndExitsOneWhenAny) {
  CliRun run = Cli({"diff", a().string(), b().string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");

  ChangeB([](RadioConfig& r) {
    r.ChCount[1] = 1;
    r.slot(1, 1) = ChInfo{12, 1, FixedText<8>("28125000"), FixedText<8>("28130000")};
    r.KeyAssign[0] = 4;
  });
  ASSERT_NE(Cli({"check", b().string()}).status, 1);
  run = Cli({"diff", a().string(), b().string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("Group B channel 12 Channel: absent -> present\n"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("Key Assignment: PF1: "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(" -> Monitor\n"), std::string::npos) << run.out;

  run = Cli({"--lang", "zh", "diff", a().string(), b().string()});
  EXPECT_NE(run.out.find("B组 信道12 信道：无 -> 有\n"), std::string::npos) << run.out;
}

TEST_F(CliFiles, DiffRefusesAFileAsOpenDoes) {
  testing::WriteBytes(dir / "short.dat", std::vector<std::uint8_t>(100, 'V'));
  const CliRun run = Cli({"diff", a().string(), (dir / "short.dat").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(run.err.empty());
}

TEST_F(CliFiles, DumpOfSeveralFilesIsOneDocumentPerLine) {
  ChangeB([](RadioConfig& r) { r.CurGroup = 4; });
  const CliRun one = Cli({"dump", a().string()});
  EXPECT_EQ(one.out.rfind("{\n  \"Version\": \"V600\",\n", 0), 0u);  // indented as always

  const CliRun two = Cli({"dump", a().string(), b().string()});
  EXPECT_EQ(two.status, 0);
  std::istringstream lines(two.out);
  std::string first, second, rest;
  ASSERT_TRUE(std::getline(lines, first));
  ASSERT_TRUE(std::getline(lines, second));
  EXPECT_FALSE(std::getline(lines, rest));
  EXPECT_EQ(nlohmann::json::parse(first), nlohmann::json::parse(one.out));
  EXPECT_EQ(nlohmann::json::parse(second)["CurGroup"], 4);

  testing::WriteBytes(dir / "short.dat", std::vector<std::uint8_t>(100, 'V'));
  const CliRun bad = Cli({"dump", a().string(), (dir / "short.dat").string(), b().string()});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(std::count(bad.out.begin(), bad.out.end(), '\n'), 2);
}

// The file commands start without Qt: the installed kr4100-cli needs none of its libraries, and a
// radio command still works through it (handed to the program that has the serial port).
TEST_F(CliFiles, InstalledFileCommandsLoadNoQt) {
  int status = -1;
  const std::string libraries = Shell("ldd " + std::string(KR4100_CLI_PATH), &status);
  ASSERT_EQ(status, 0);
  EXPECT_EQ(libraries.find("libQt"), std::string::npos) << libraries;

  const std::string out =
      Shell(std::string(KR4100_CLI_PATH) + " check " + a().string() + " 2>&1", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out, a().string() + ": OK\n");
}

// The installed kr4100-cli has no serial side: every command of the table that needs it must reach
// kr4100-cli-radio and end there as it ends in-process, never as a usage error of kr4100-cli.
TEST_F(CliFiles, EveryRadioCommandOfTheTableReachesTheRadioProgram) {
  const std::string port = (dir / "no-such-port").string();
  const std::map<std::string, std::vector<std::string>> invocations{
      {"read", {"read", "--port", port, (dir / "r.dat").string()}},
      {"write", {"write", "--port", port, a().string()}},
      {"info", {"info", "--port", port}},
      {"ports", {"ports"}},
      {"channels", {"testmode", "channels", "--port", port, a().string()}},
      {"align", {"testmode", "align", "--port", port, a().string(), "--item", "1"}},
      {"backups", {"backups", "--data-dir", dir.path().string()}},
  };
  for (const CliGroup& group : {RadioCommands(), TestModeCommands(), BackupCommands()}) {
    for (const CliCommand& command : group.commands) {
      if (command.run == nullptr) continue;  // only holds subcommands
      EXPECT_TRUE(command.needsRadio) << command.name;
      const auto found = invocations.find(command.name);
      if (found == invocations.end()) {
        ADD_FAILURE() << "no invocation for " << command.name;
        continue;
      }
      const CliRun here = Cli(found->second);
      std::string line = KR4100_CLI_PATH;
      for (const std::string& argument : found->second) line += " '" + argument + "'";
      int status = -1;
      const std::string out = Shell(line + " 2>/dev/null", &status);
      EXPECT_NE(status, kExitUsage) << line;
      EXPECT_EQ(status, here.status) << line;
      EXPECT_EQ(out, here.out) << line;
    }
  }
}

}  // namespace
}  // namespace kr4100
