// SPDX-License-Identifier: GPL-3.0-or-later
// Backups of reads and writes, and the group write's production log.
#include "core/link/backups.h"

#include <gtest/gtest.h>

#include <fstream>

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
  // Found: a read just after a write of the same second was taken as the older one. The copy
  // number counts the second's backups of every kind, so it keeps their order.
  const BackupResult read =
      WriteBackup(dir.path(), doc.working(), BackupKind::Read, {"KR-4100", "0", "V600"}, kStamp);
  EXPECT_EQ(read.file.filename(), "20240501-140322_read_KR-4100_band0_V600-3.dat");
  const auto marked = MarkWriteCompleted(second.file, {"KR-4100", "0", "V600"});
  ASSERT_TRUE(marked);
  EXPECT_EQ(marked->filename(), "20240501-140322_written_KR-4100_band0_V600-2.dat");
  EXPECT_EQ(NewestKnownContentOf(ListBackups(dir / "backups"), {"KR-4100", "0", "V600"})->file,
            read.file);
}

TEST(Backups, TheNewest500AreKept) {
  TempDir dir;
  const auto folder = dir / "backups";
  std::filesystem::create_directories(folder);
  for (int i = 0; i < 502; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "%04d%02d%02d-000000_read_KR-4100_band0_V600.dat",
                  2022 + i / 336, 1 + i / 28 % 12, 1 + i % 28);
    testing::WriteText(folder / name, "x");
  }
  testing::WriteText(folder / "notes.txt", "kept: not a backup");
  RadioConfig config{};
  ASSERT_TRUE(WriteBackup(dir.path(), config, BackupKind::Read, {"KR-4100", "0", "V600"}, kStamp).ok);
  const auto names = testing::NamesIn(folder);
  ASSERT_EQ(names.size(), 501u);  // 500 backups and the text file
  EXPECT_EQ(names.front(), "20220104-000000_read_KR-4100_band0_V600.dat");  // three oldest gone
  EXPECT_EQ(names[499], "20240501-140322_read_KR-4100_band0_V600.dat");
  EXPECT_EQ(names.back(), "notes.txt");
  EXPECT_EQ(PruneBackups(folder, 10), 490u);
}

// Found: a file the user saved into the folder was deleted by the next read; with 500 backups
// dated ahead (a clock once set wrong) the backup just written went at once; a same-second "-2"
// went before the older copy. Pruning is by date, time and copy, of the program's own names only.
TEST(Backups, PruningTouchesOnlyTheProgramsOwnNamesAndNeverTheNewest) {
  TempDir dir;
  const auto folder = BackupFolder(dir.path());
  std::filesystem::create_directories(folder);
  const BackupRadio radio{"KR-4100", "0", "V600"};
  for (const char* mine : {"1st radio.dat", "20230101-000000_read_KR-4100_band0_V600 copy.dat",
                           "20230101-000000_read.dat", "20231301-000000_read_KR_band0_V.dat"})
    testing::WriteText(folder / mine, "the user's");
  const auto put = [&](const Timestamp& when, BackupKind kind, const BackupRadio& r, int copy) {
    std::string name = BackupFileName(when, kind, r);
    if (copy > 1) name.insert(name.size() - 4, "-" + std::to_string(copy));
    testing::WriteText(folder / name, "x");
    return name;
  };
  const std::string older = put({2023, 2, 1}, BackupKind::Read, radio, 1);
  const std::string newer = put({2023, 2, 1}, BackupKind::Read, radio, 2);
  // The only read of another radio, and a completed write of a third, both oldest of all.
  const std::string otherRead = put({2020, 1, 1}, BackupKind::Read, {"KR-4100", "1", "V600"}, 1);
  const std::string otherWritten =
      put({2020, 1, 2}, BackupKind::Written, {"KR-4100", "0", "V601"}, 1);
  const std::string otherWrite = put({2020, 1, 3}, BackupKind::Write, {"KR-4100", "0", "V602"}, 1);
  EXPECT_EQ(PruneBackups(folder, 1), 2u);  // the older copy and the unfinished write
  auto names = testing::NamesIn(folder);
  EXPECT_EQ(std::count(names.begin(), names.end(), older), 0);
  EXPECT_EQ(std::count(names.begin(), names.end(), otherWrite), 0);
  for (const std::string& kept : {newer, otherRead, otherWritten})
    EXPECT_EQ(std::count(names.begin(), names.end(), kept), 1) << kept;
  EXPECT_EQ(names.size(), 7u);  // the user's four files are all there

  // 500 backups dated ahead of today: today's backup is written and stays.
  for (int i = 0; i < 500; ++i)
    put({2099 + i / 336, 1 + i / 28 % 12, 1 + i % 28}, BackupKind::Read, radio, 1);
  RadioConfig config{};
  const BackupResult today = WriteBackup(dir.path(), config, BackupKind::Read, radio, kStamp);
  ASSERT_TRUE(today.ok);
  EXPECT_TRUE(std::filesystem::exists(today.file));
  names = testing::NamesIn(folder);
  EXPECT_EQ(std::count(names.begin(), names.end(), "1st radio.dat"), 1);
  EXPECT_EQ(std::count(names.begin(), names.end(), otherRead), 1);
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

// What a name made by BackupFileName tells comes back from it, in the form the name spells it.
TEST(BackupNames, ReadBackWhatBackupFileNameWrote) {
  struct Case {
    Timestamp stamp;
    BackupKind kind;
    BackupRadio radio;
    BackupRadio spelt;
  };
  const Case cases[] = {
      {kStamp, BackupKind::Read, {"KR-4100", "0", "V600"}, {"KR-4100", "0", "V600"}},
      {{2031, 12, 9, 3, 4, 5}, BackupKind::Write, {"7731", "1", ""}, {"7731", "1", ""}},
      // '_' stands for what a file name cannot hold, in the model and the firmware alike.
      {kStamp, BackupKind::Read, {"KR 4100 band", "1", "V6 0"}, {"KR_4100_band", "1", "V6_0"}},
      {kStamp, BackupKind::Write, {"", "-1", "V6-0"}, {"", "-1", "V6-0"}},
  };
  for (const Case& c : cases) {
    const std::string name = BackupFileName(c.stamp, c.kind, c.radio);
    SCOPED_TRACE(name);
    const BackupEntry e = ParseBackupFileName(name);
    ASSERT_TRUE(e.stamp.has_value());
    EXPECT_EQ(*e.stamp, c.stamp);
    EXPECT_EQ(e.kind, c.kind);
    EXPECT_EQ(e.radio.model, c.spelt.model);
    EXPECT_EQ(e.radio.band, c.spelt.band);
    EXPECT_EQ(e.radio.firmware, c.spelt.firmware);
    EXPECT_EQ(e.copy, 1);
    EXPECT_EQ(e.file, name);
  }
  const BackupEntry later = ParseBackupFileName("20240501-140322_read_KR-4100_band0_V600-12.dat");
  EXPECT_EQ(later.copy, 12);
  EXPECT_EQ(later.radio.firmware, "V600");
  EXPECT_EQ(BackupRowOf(later, kEnglish),
            (BackupRow{"2024-05-01", "14:03:22", "Read", "KR-4100", "0", "V600",
                       "20240501-140322_read_KR-4100_band0_V600-12.dat"}));
  EXPECT_EQ(
      BackupRowOf(ParseBackupFileName(BackupFileName(kStamp, BackupKind::Write, {})), kChinese)[2],
      "写入");
}

// Names from elsewhere tell what they can and nothing they do not.
TEST(BackupNames, ForeignAndOddNamesAreReadAsFarAsTheyGo) {
  const auto stampOnly = [](const char* name) {
    const BackupEntry e = ParseBackupFileName(name);
    return e.stamp.has_value() && !e.kind && e.radio.model.empty() && e.radio.firmware.empty();
  };
  for (const char* name :
       {"", ".dat", "notes.dat", "_____.dat", "20241301-000000_read_x_band0_V.dat",
        "20240501-2403_read.dat", "2024050a-140322_read_KR_band0_V600.dat",
        "20240501_140322_read_KR_band0_V600.dat"}) {
    SCOPED_TRACE(name);
    const BackupEntry e = ParseBackupFileName(name);
    EXPECT_FALSE(e.stamp.has_value());
    EXPECT_FALSE(e.kind.has_value());
    const BackupRow row = BackupRowOf(e, kEnglish);
    EXPECT_EQ(row[0] + row[1] + row[2] + row[3] + row[4] + row[5], "");
    EXPECT_EQ(row[6], name);
  }
  EXPECT_TRUE(stampOnly("20240501-140322.dat"));
  EXPECT_TRUE(stampOnly("20240501-140322_copy_KR-4100_band0_V600.dat"));
  // Date and kind, but no radio: no band part, or nothing after it.
  for (const char* name : {"20240501-140322_read_KR-4100.dat", "20240501-140322_read_KR_band0.dat",
                           "20240501-140322_read_band0_V600.dat"}) {
    SCOPED_TRACE(name);
    const BackupEntry e = ParseBackupFileName(name);
    EXPECT_EQ(e.kind, BackupKind::Read);
    EXPECT_EQ(e.radio.model + e.radio.band + e.radio.firmware, "");
  }
  // A "-" the counter cannot have made stays the firmware's.
  EXPECT_EQ(ParseBackupFileName("20240501-140322_read_M_band0_V-1.dat").radio.firmware, "V-1");
  EXPECT_EQ(ParseBackupFileName("20240501-140322_read_M_band0_-5.dat").radio.firmware, "-5");
  EXPECT_EQ(ParseBackupFileName("20240501-140322_read_M_band0_V-1000.dat").copy, 1);
}

TEST(BackupNames, ListedNewestFirstAndTheLastReadOfARadioFound) {
  TempDir dir;
  EXPECT_TRUE(ListBackups(dir / "none").empty());
  const std::filesystem::path folder = BackupFolder(dir.path());
  Document doc;
  doc.InitNewDocument();
  const BackupRadio radio{"KR-4100", "0", "V600"};
  auto write = [&](const Timestamp& when, BackupKind kind, const BackupRadio& r) {
    return WriteBackup(dir.path(), doc.working(), kind, r, when).file.filename().string();
  };
  const std::string oldRead = write({2023, 1, 2, 3, 4, 5}, BackupKind::Read, radio);
  const std::string read = write(kStamp, BackupKind::Read, radio);
  const std::string sameSecond = write(kStamp, BackupKind::Read, radio);  // "-2"
  const std::string otherBand =
      write({2024, 6, 1, 0, 0, 0}, BackupKind::Read, {"KR-4100", "1", "V600"});
  const std::string otherFirmware =
      write({2024, 6, 2, 0, 0, 0}, BackupKind::Read, {"KR-4100", "0", "V601"});
  const std::string newerWrite = write({2024, 7, 1, 0, 0, 0}, BackupKind::Write, radio);
  std::ofstream(folder / "zz-mine.dat") << "x";
  std::ofstream(folder / "aa-mine.dat") << "x";
  std::ofstream(folder / "20990101-000000_read_KR-4100_band0_V600.txt") << "x";
  std::filesystem::create_directories(folder / "20990101-000000_read_KR-4100_band0_V600.dat");

  std::vector<std::string> names;
  const auto backups = ListBackups(folder);
  for (const BackupEntry& e : backups) names.push_back(e.file.filename().string());
  EXPECT_EQ(names, (std::vector<std::string>{newerWrite, otherFirmware, otherBand, sameSecond, read,
                                             oldRead, "aa-mine.dat", "zz-mine.dat"}));
  EXPECT_EQ(sameSecond, "20240501-140322_read_KR-4100_band0_V600-2.dat");
  EXPECT_EQ(backups[0].file, folder / newerWrite);

  auto newest = NewestReadBackupOf(backups, radio);
  ASSERT_TRUE(newest.has_value());
  EXPECT_EQ(newest->file.filename(), sameSecond);
  // The order handed in does not matter.
  std::vector<BackupEntry> reversed(backups.rbegin(), backups.rend());
  EXPECT_EQ(NewestReadBackupOf(reversed, radio)->file.filename(), sameSecond);
  // A radio whose texts a file name cannot hold is found as its backups spell it.
  const std::string odd = write({2025, 1, 1, 0, 0, 0}, BackupKind::Read, {"KR 4100", "0", ""});
  EXPECT_EQ(NewestReadBackupOf(ListBackups(folder), {"KR 4100", "0", ""})->file.filename(), odd);
  EXPECT_FALSE(NewestReadBackupOf(backups, {"KR-4100", "1", "V601"}).has_value());
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
// third falls silent partway and the connection question's Cancel ends the run.
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
  EXPECT_EQ(r3[2], "partial");  // silent after 30 of its blocks: it holds part of the write
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
