// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_app.h"
#include "support/cli_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "core/config/data_file_codec.h"
#include "support/distinct_record.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

using testing::Cli;
using testing::CliRun;

nlohmann::json Dump(const std::filesystem::path& file) {
  const CliRun run = Cli({"dump", file.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  return nlohmann::json::parse(run.out);
}

TEST(Cli, NewWritesADocumentWithEveryDefault) {
  testing::TempDir dir;
  const auto file = dir / "new.dat";
  ASSERT_EQ(Cli({"new", file.string()}).status, 0);
  EXPECT_EQ(std::filesystem::file_size(file), 14531u);

  const auto j = Dump(file);
  EXPECT_EQ(j["Version"], "V600");
  EXPECT_EQ(j["ChCount"], nlohmann::json({1, 1, 1, 1, 1, 1}));
  ASSERT_EQ(j["Ch"].size(), 6u);
  ASSERT_EQ(j["Ch"][0].size(), 60u);
  EXPECT_EQ(j["Ch"][5][0]["RxFre"], "28025000");
  EXPECT_EQ(j["Ch"][5][0]["TxFre"], "28025000");
  EXPECT_EQ(j["Ch"][5][0]["Scan"], 1);
  EXPECT_EQ(j["Ch"][5][0]["Echo"], 1);
  EXPECT_EQ(j["ModelInfo"]["ModelCode"], std::string("HT52\0 ", 6));
  EXPECT_EQ(j["ModelInfo"]["BandType"], 0);
  EXPECT_EQ(j["OptFeat"][1], 105);
  EXPECT_EQ(j["OptFeat"][40], 100);
  EXPECT_EQ(j["ScanInfo"], nlohmann::json({0, 255, 31, 51, 1, 3, 3}));
  EXPECT_EQ(j["Fleet"]["DataTxModDelay"], 400);
  EXPECT_EQ(j["Dtmf"]["IdCode"], "000       ");
  EXPECT_EQ(j["TestFreCount"], 6);
  EXPECT_EQ(j["Autodial"].size(), 8u);
  EXPECT_EQ(j["TestFre"].size(), 16u);
  EXPECT_EQ(j["FleetList"].size(), 8u);

  // The installed band-1 template is read over the defaults.
  ASSERT_EQ(Cli({"new", "--band", "1", file.string()}).status, 0);
  EXPECT_EQ(Dump(file)["ModelInfo"]["BandType"], 1);
  EXPECT_EQ(Dump(file)["ModelInfo"]["BandType2"], 1);
}

// SOURCE_DATE_EPOCH dates what the build makes, which asks for it; a user's new document is
// dated by the computer whatever the environment holds.
TEST(Cli, NewTakesTheBuildsDateOnlyWhenAsked) {
  testing::TempDir dir;
  ::setenv("SOURCE_DATE_EPOCH", "0", 1);
  const CliRun user = Cli({"new", "--no-template", (dir / "user.dat").string()});
  const CliRun build =
      Cli({"new", "--no-template", "--source-date-epoch", (dir / "build.dat").string()});
  ::unsetenv("SOURCE_DATE_EPOCH");
  ASSERT_EQ(user.status, 0) << user.err;
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_NE(Dump(dir / "user.dat")["ModelInfo"]["ProgDate"], "19700101");
  EXPECT_EQ(Dump(dir / "build.dat")["ModelInfo"]["ProgDate"], "19700101");
}

TEST(Cli, DumpShowsEveryStoredCharacterAndResaveKeepsTheFile) {
  testing::TempDir dir;
  const RadioConfig record = testing::DistinctRecord();
  const DataFileBytes bytes = EncodeDataFile(record);
  testing::WriteBytes(dir / "in.dat", {bytes.begin(), bytes.end()});

  const CliRun run = Cli({"dump", (dir / "in.dat").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  // Raw JSON text: bytes from 0x80 up appear as \u0080..\u00ff escapes.
  EXPECT_NE(run.out.find("\\u00"), std::string::npos);
  const auto j = nlohmann::json::parse(run.out);
  const std::string msg = j["EmbMsg1"];
  std::string expectedMsg;
  for (char c : record.EmbMsg1.raw()) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      expectedMsg += c;
    } else {
      expectedMsg += static_cast<char>(0xC0 | (b >> 6));
      expectedMsg += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  EXPECT_EQ(msg, expectedMsg);
  EXPECT_EQ(j["Ch"][4][59]["TxSubCode"], record.slot(60, 4).TxSubCode);
  EXPECT_EQ(j["Ch"][0][0]["ChNum"], record.slot(1, 0).ChNum);
  EXPECT_LT(j["Ch"][0][0]["ChNum"].template get<int>(), 0);
  EXPECT_EQ(j["Fleet"]["OwnId"], record.Fleet.OwnId);
  EXPECT_EQ(j["FleetList"][7]["Id"], record.FleetList[7].Id);
  EXPECT_EQ(j["CurGroup"], 3);

  ASSERT_EQ(Cli({"resave", (dir / "in.dat").string(), (dir / "out.dat").string()}).status, 0);
  const auto out = testing::ReadBytes(dir / "out.dat");
  ASSERT_EQ(out.size(), 14531u);
  for (std::size_t i = 0; i < out.size(); ++i) {
    // ModelCode/ModelType/BandType and ModelName are rewritten from the document state.
    const bool rewritten = (i >= 13698 && i < 13710) || (i >= 13721 && i < 13727);
    if (!rewritten && out[i] != bytes[i]) FAIL() << "offset " << i;
  }
}

TEST(Cli, RefusalsAndUsageErrorsHaveTheirExitStatus) {
  testing::TempDir dir;
  testing::WriteBytes(dir / "bad.dat", std::vector<std::uint8_t>(14531, 'x'));
  CliRun run = Cli({"dump", (dir / "bad.dat").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Unknown version Of DataFile!\n");
  run = Cli({"--lang", "zh", "resave", (dir / "bad.dat").string(), (dir / "o.dat").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "未能识别的数据版本!\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "o.dat"));

  ASSERT_EQ(Cli({"new", (dir / "own.dat").string()}).status, 0);
  testing::WriteText(dir / "Version.ini", "[Version]\nSoftVersionCount=1\nFirmVersionCount=1\n"
                                          "[Soft]\nVersion0=V600\n[Firm]\nFirm0=V600V601\n");
  run = Cli({"--version-ini", (dir / "Version.ini").string(), "dump", (dir / "own.dat").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("incompatible version.", 0), 0u) << run.err;

  EXPECT_EQ(Cli({}).status, 2);
  EXPECT_EQ(Cli({"dump"}).status, 2);
  EXPECT_EQ(Cli({"new", "--band", "2", (dir / "x.dat").string()}).status, 2);
  EXPECT_EQ(Cli({"frobnicate"}).status, 2);
  EXPECT_EQ(Cli({"--help"}).status, 0);
  EXPECT_EQ(Cli({"new", (dir / "no" / "such" / "x.dat").string()}).status, 1);
}

TEST(Cli, InstalledProgramRunsFromItsLayout) {
  testing::TempDir dir;
  const std::string command = std::string(KR4100_CLI_PATH) + " new " + (dir / "a.dat").string() +
                              " && " + KR4100_CLI_PATH + " dump " + (dir / "a.dat").string() +
                              " > " + (dir / "a.json").string();
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_GT(std::filesystem::file_size(dir / "a.json"), 10000u);
}

}  // namespace
}  // namespace kr4100
