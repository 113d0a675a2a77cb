// SPDX-License-Identifier: GPL-3.0-or-later
// export-csv and import-csv, run in-process.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

using testing::Cli;
using testing::CliRun;

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

constexpr const char* kChannels =
    "Group,CH No.,RX Frequency,TX Frequency,BUSY,ECHO,HI-CUT,Plus 10KHz,NB/ANL,RB,Scan\r\n"
    "A,9,29.100000,29.200000,Enable,Disable,Disable,Disable,Disable,Disable,Add\r\n"
    "A,2,28.500000,28.500000,Disable,Enable,Enable,Disable,Disable,Disable,Del\r\n"
    "C,60,28.010000,28.010000,Disable,Enable,Disable,Enable,Enable,Enable,Add\r\n";

class CliCsv : public ::testing::Test {
 protected:
  CliCsv() { EXPECT_EQ(Cli({"new", dat.string()}).status, 0); }
  testing::TempDir dir;
  std::filesystem::path dat = dir / "in.dat";
  std::filesystem::path csv = dir / "channels.csv";
  std::filesystem::path out = dir / "out.dat";
};

TEST_F(CliCsv, ImportThenExportGivesTheFileBack) {
  const CliRun first = Cli({"export-csv", dat.string(), csv.string()});
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_TRUE(ReadText(csv).starts_with(
      "Group,CH No.,RX Frequency,TX Frequency,BUSY,ECHO,HI-CUT,Plus 10KHz,NB/ANL,RB,Scan\r\nA,1,"));

  WriteText(csv, kChannels);
  const CliRun imported = Cli({"import-csv", dat.string(), csv.string(), out.string()});
  ASSERT_EQ(imported.status, 0) << imported.err;
  const auto again = dir / "again.csv";
  ASSERT_EQ(Cli({"export-csv", out.string(), again.string()}).status, 0);
  EXPECT_EQ(ReadText(again), kChannels);
}

TEST_F(CliCsv, BadRowsArePrintedAndNothingIsWritten) {
  WriteText(csv, std::string(kChannels) +
                     "A,9,28.3,,Disable,Enable,Disable,Disable,Disable,Disable,Add\r\n"
                     "B,1,31,,Disable,Enable,Disable,Disable,Disable,Disable,Add\r\n");
  const CliRun run = Cli({"import-csv", dat.string(), csv.string(), out.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "The channels were not imported; nothing was changed. Rows with errors:\n"
            "Line 5: group A channel 9 is already on line 2\n"
            "Line 6: RX frequency \"31\" is outside the band 28.000000 - 29.700000 MHz\n");
  EXPECT_FALSE(std::filesystem::exists(out));

  const CliRun zh = Cli({"--lang", "zh", "import-csv", dat.string(), csv.string(), out.string()});
  EXPECT_EQ(zh.status, 1);
  EXPECT_NE(zh.err.find("第 5 行：A 组信道 9 已在第 2 行出现\n"), std::string::npos) << zh.err;
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(CliCsv, UnreadableFilesAndMissingArgumentsFail) {
  EXPECT_EQ(Cli({"import-csv", dat.string(), (dir / "none.csv").string(), out.string()}).status, 1);
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(Cli({"export-csv", (dir / "none.dat").string(), csv.string()}).status, 1);
  EXPECT_FALSE(std::filesystem::exists(csv));
  EXPECT_EQ(Cli({"import-csv", dat.string(), csv.string()}).status, 2);
}

}  // namespace
}  // namespace kr4100
