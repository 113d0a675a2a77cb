// Backups of reads and writes, and the group write's production log.
#include "core/link/backups.h"

#include <gtest/gtest.h>

#include "core/config/data_file_codec.h"
#include "core/config/document.h"
#include "core/link/production_log.h"
#include "core/link/transfer_session.h"
#include "sim/virtual_radio.h"
#include "support/session_on_simulated_link.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

using namespace std::chrono_literals;
using testing::ReadBytes;
using testing::TempDir;

constexpr Timestamp kStamp{2024, 5, 1, 14, 3, 22};

TEST(Backups, NamesCarryDateTimeKindAndTheRadioSafeForAFileSystem) {
  EXPECT_EQ(BackupFileName(kStamp, BackupKind::Read, {"KR-4100", "0", "V600"}),
            "20240501-140322_read_KR-4100_band0_V600.dat");
  EXPECT_EQ(BackupFileName({2031, 12, 9, 3, 4, 5}, BackupKind::Write, {"7731", "1", ""}),
            "20311209-030405_write_7731_band1_unknown.dat");
  EXPECT_EQ(SanitiseForFileName("../a b\\c:*"), ".._a_b_c__");
  EXPECT_EQ(SanitiseForFileName(".."), "unknown");
  EXPECT_EQ(SanitiseForFileName("\xE5\xAE\x9D"), "___");
  EXPECT_EQ(FormatTimestamp(kStamp), "2024-05-01 14:03:22");
}

TEST(Backups, WrittenAsTheDataFileOfTheRecordAndNeverOverAnEarlierOne) {
  TempDir dir;
  Document doc;
  doc.setToday([] { return CalendarDate{2026, 12, 8}; });
  doc.InitNewDocument();
  doc.working().OptFeat[3] = 7;
  const BackupResult first =
      WriteBackup(dir.path(), doc.working(), BackupKind::Write, {"KR-4100", "0", "V600"}, kStamp);
  ASSERT_TRUE(first.ok);
  EXPECT_EQ(first.file, dir / "backups" / "20240501-140322_write_KR-4100_band0_V600.dat");
  const auto encoded = EncodeDataFile(doc.working());
  EXPECT_EQ(ReadBytes(first.file), std::vector<std::uint8_t>(encoded.begin(), encoded.end()));
  const BackupResult second =
      WriteBackup(dir.path(), doc.working(), BackupKind::Write, {"KR-4100", "0", "V600"}, kStamp);
  ASSERT_TRUE(second.ok);
  EXPECT_EQ(second.file.filename(), "20240501-140322_write_KR-4100_band0_V600-2.dat");
  EXPECT_EQ(testing::NamesIn(dir / "backups").size(), 2u);
}

TEST(Backups, TheNewest500AreKept) {
  TempDir dir;
  const auto folder = dir / "backups";
  std::filesystem::create_directories(folder);
  for (int i = 0; i < 502; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "2023%04d-000000_read_KR-4100_band0_V600.dat", 1000 + i);
    testing::WriteText(folder / name, "x");
  }
  testing::WriteText(folder / "notes.txt", "kept: not a backup");
  RadioConfig config{};
  ASSERT_TRUE(WriteBackup(dir.path(), config, BackupKind::Read, {"KR-4100", "0", "V600"}, kStamp).ok);
  const auto names = testing::NamesIn(folder);
  ASSERT_EQ(names.size(), 501u);  // 500 backups and the text file
  EXPECT_EQ(names.front(), "20231003-000000_read_KR-4100_band0_V600.dat");  // three oldest gone
  EXPECT_EQ(names[499], "20240501-140322_read_KR-4100_band0_V600.dat");
  EXPECT_EQ(names.back(), "notes.txt");
  EXPECT_EQ(PruneBackups(folder, 10), 490u);
}

TEST(Backups, AFolderThatCannotBeMadeIsReportedNotThrown) {
  TempDir dir;
  testing::WriteText(dir / "file", "in the way");
  RadioConfig config{};
  const BackupResult r = WriteBackup(dir / "file", config, BackupKind::Read, {}, kStamp);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.file.parent_path(), dir / "file" / "backups");
  EXPECT_FALSE(WriteBackup({}, config, BackupKind::Read, {}, kStamp).ok);
}

TEST(ProductionLog, CsvQuotingAndOneHeaderForAFileThatGrows) {
  EXPECT_EQ(CsvField("plain"), "plain");
  EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");

  TempDir dir;
  ProductionLogRow row;
  row.when = kStamp;
  row.radioNumber = 2;
  row.result = "written";
  row.model = "KR-4100";
  row.band = "0";
  row.firmware = "V,6";
  row.seconds = 12.345;
  row.verify = "passed";
  ASSERT_TRUE(AppendProductionLog(dir.path(), row));
  row.radioNumber = 3;
  ASSERT_TRUE(AppendProductionLog(dir.path(), row));
  const auto bytes = ReadBytes(dir / "group-write.csv");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "Date and time,Radio,Result,Model,Band,Firmware,Duration (s),Verify\r\n"
            "2024-05-01 14:03:22,2,written,KR-4100,0,\"V,6\",12.3,passed\r\n"
            "2024-05-01 14:03:22,3,written,KR-4100,0,\"V,6\",12.3,passed\r\n");
}

class GroupWriteLogTest : public testing::SessionOnSimulatedLink {};

// Three radios: the first written and read back well, the second stores a byte wrongly, the
// third falls silent and the connection question's Cancel ends the run.
TEST_F(GroupWriteLogTest, OneRowPerRadioWithTheFailingOnesSaidSo) {
  TempDir dir;
  sim::VirtualRadio second({"HT52", 248, 0, "V601"});
  sim::VirtualRadio third;
  second.faults().storeWrongAddress = 0x0200;
  third.faults().silentAfterBlocks = 30;
  PlugInTurn({&radio, &second, &third});
  link.whenRadioWritten = [&](const RadioWritten& w) {
    std::optional<VerifyResult> verify;
    if (w.readBack) verify = VerifyWrite(session.image(), session.readBackImage(), w.sentFrom, doc.working(), kEnglish);
    AppendProductionLog(dir.path(),
                        MakeProductionLogRow(w, true, verify ? &*verify : nullptr, kStamp));
  };
  session.setReadBack(true);
  ASSERT_TRUE(session.open(SessionKind::Write));
  ASSERT_FALSE(session.prepareWrite(doc.working()).has_value());
  session.startGroupWrite(4);
  ASSERT_TRUE(link.runUntilIdle());
  EXPECT_FALSE(link.result->second);

  const auto bytes = ReadBytes(dir / "group-write.csv");
  std::string text(bytes.begin(), bytes.end());
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const auto end = text.find("\r\n", at);
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  ASSERT_EQ(lines.size(), 4u);  // header and three radios; the fourth was never connected
  auto fields = [](const std::string& line) {
    std::vector<std::string> out;
    std::size_t at = 0;
    for (auto comma = line.find(','); comma != std::string::npos; comma = line.find(',', at)) {
      out.push_back(line.substr(at, comma - at));
      at = comma + 1;
    }
    out.push_back(line.substr(at));
    return out;
  };
  const auto r1 = fields(lines[1]), r2 = fields(lines[2]), r3 = fields(lines[3]);
  EXPECT_EQ(r1, (std::vector<std::string>{"2024-05-01 14:03:22", "1", "written", "KR-4100", "0",
                                          "V600", r1[6], "passed"}));
  EXPECT_GT(std::stod(r1[6]), 0.5);  // 478 blocks and 120 read back at 9600 baud take a while
  EXPECT_EQ(r2[1], "2");
  EXPECT_EQ(r2[2], "verify failed");
  EXPECT_EQ(r2[5], "V601");
  EXPECT_EQ(r2[7], "1 difference");
  EXPECT_EQ(r3[1], "3");
  EXPECT_EQ(r3[2], "failed");
  EXPECT_EQ(r3[7], "not completed");
}

TEST(ProductionLog, RowWordsForVerifyOffAndANeverAnsweringRadio) {
  RadioWritten w;
  w.radioNumber = 4;
  w.success = true;
  w.duration = 2500ms;
  const ProductionLogRow off = MakeProductionLogRow(w, false, nullptr, kStamp);
  EXPECT_EQ(off.result, "written");
  EXPECT_EQ(off.verify, "off");
  EXPECT_EQ(off.model, "");
  EXPECT_DOUBLE_EQ(off.seconds, 2.5);
  EXPECT_TRUE(RadioSucceeded(w, false, nullptr));
  EXPECT_FALSE(RadioSucceeded(w, true, nullptr));  // verify on but nothing compared
  VerifyResult two;
  two.addresses = {1, 2, 3};
  two.differences = {"Group A channel 1 RX frequency: 28.000000 -> 28.100000", "Memory: 0x0003"};
  EXPECT_EQ(MakeProductionLogRow(w, true, &two, kStamp).verify, "2 differences");
}

}  // namespace
}  // namespace kr4100
