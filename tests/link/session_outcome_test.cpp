// SPDX-License-Identifier: GPL-3.0-or-later
// What a transfer leaves behind: the backups of a read and a write, the read taken into the
// document, and the write's tally with what the user is told at its end.
#include "core/link/session_outcome.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/config/data_file_codec.h"
#include "core/texts/bilingual.h"
#include "sim/virtual_radio.h"
#include "support/session_on_simulated_link.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

using testing::ReadBytes;
using testing::TempDir;

constexpr Timestamp kStamp{2024, 5, 1, 14, 3, 22};
const std::string kCompleted = "Write Data Completed.";
const std::string kVerifyLead =
    "Verify after writing: the radio does not hold what was written. Differences:";

class SessionOutcomeTest : public testing::SessionOnSimulatedLink {};

// The backup is the data file the read makes, named after the radio that answered; a read whose
// image does not unpack keeps no backup and leaves the document alone.
TEST_F(SessionOutcomeTest, AReadIsKeptAsTheFileItMakesOrNotAtAll) {
  TempDir dir;
  sim::VirtualRadio banded({"HT52", 248, 1, "V600"});
  link.plug(&banded);
  doc.state().fileName = "/somewhere/saved.dat";
  doc.state().neverSaved = false;
  ASSERT_TRUE(Read());

  EXPECT_FALSE(BackUpRead(session, doc.working(), {}, kStamp));  // no data folder, no backup
  const auto backup = BackUpRead(session, doc.working(), dir.path(), kStamp);
  ASSERT_TRUE(backup && backup->ok);
  EXPECT_EQ(backup->file.filename(), "20240501-140322_read_KR-4100_band1_V600.dat");
  ASSERT_FALSE(TakeRead(session, doc));
  EXPECT_EQ(doc.state().fileName, "new.dat");
  EXPECT_TRUE(doc.state().neverSaved);
  EXPECT_EQ(doc.state().bandText, kBand1Text);
  const auto encoded = EncodeDataFile(doc.working());
  EXPECT_EQ(ReadBytes(backup->file), std::vector<std::uint8_t>(encoded.begin(), encoded.end()));

  doc.state().fileName = "/somewhere/saved.dat";
  session.image()[0x1D61] = 0x80;  // RbFre beyond what the record holds
  EXPECT_FALSE(BackUpRead(session, doc.working(), dir.path(), kStamp));
  const auto refused = TakeRead(session, doc);
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->what.find("RbFre"), std::string::npos);
  EXPECT_EQ(doc.state().fileName, "/somewhere/saved.dat");
  EXPECT_EQ(testing::NamesIn(dir / "backups").size(), 1u);
}

// Before the radio answers, the document and the firmware last heard name the backup.
TEST_F(SessionOutcomeTest, AWriteIsKeptUnderTheDocumentsBandAndTheFirmwareHeard) {
  TempDir dir;
  doc.state().bandText = kBand1Text;
  EXPECT_FALSE(BackUpWrite(doc, "V610", {}, kStamp));
  const auto backup = BackUpWrite(doc, "V610", dir.path(), kStamp);
  ASSERT_TRUE(backup && backup->ok);
  EXPECT_EQ(backup->file.filename(), "20240501-140322_write_KR-4100_band1_V610.dat");
}

RadioWritten Radio(int number, bool success = true) {
  RadioWritten radio;
  radio.radioNumber = number;
  radio.success = success;
  radio.readBack = success;
  return radio;
}

VerifyResult Differing(std::vector<std::string> differences) {
  VerifyResult result;
  for (std::size_t i = 0; i < differences.size(); ++i)
    result.addresses.push_back(static_cast<int>(i));
  result.differences = std::move(differences);
  return result;
}

TEST(WriteTally, ASingleWriteIsCompletedOnlyWhenItReadsBackRight) {
  TempDir dir;
  WriteTally tally;
  tally.begin(0, true, dir.path());
  tally.radioWritten(Radio(1),
                     Differing({"Group A channel 1 RX frequency: 28.015000 -> 29.015000"}),
                     kEnglish, kStamp);
  EXPECT_EQ(tally.finish(true, kEnglish),
            (std::vector<Notice>{
                {kVerifyLead + "\nGroup A channel 1 RX frequency: 28.015000 -> 29.015000",
                 NoticeLevel::Warning}}));
  EXPECT_TRUE(testing::NamesIn(dir.path()).empty());  // a single write keeps no production log

  // The next write starts clean: the last one's differences are not held against it.
  tally.begin(0, true, dir.path());
  tally.radioWritten(Radio(1), VerifyResult{}, kEnglish, kStamp);
  EXPECT_EQ(tally.finish(true, kEnglish), (std::vector<Notice>{{kCompleted}}));
  EXPECT_TRUE(tally.finish(false, kEnglish).empty());  // the session said why already
}

TEST(WriteTally, AGroupWriteIsCountedLoggedAndSummedUp) {
  TempDir dir;
  WriteTally tally;
  tally.begin(3, true, dir.path());
  tally.radioWritten(Radio(1), VerifyResult{}, kEnglish, kStamp);
  tally.radioWritten(Radio(2), Differing({"first", "second"}), kEnglish, kStamp);
  tally.radioWritten(Radio(3), VerifyResult{}, kEnglish, kStamp);
  EXPECT_EQ(tally.succeeded(), 2);
  EXPECT_EQ(tally.failed(), 1);
  EXPECT_EQ(tally.finish(true, kEnglish),
            (std::vector<Notice>{{"2 of 3 radios written\n1 failed\n\n" + kVerifyLead +
                                      "\nRadio 2: first\nRadio 2: second",
                                  NoticeLevel::Warning}}));
  const auto log = ReadBytes(dir / "group-write.csv");
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4);  // the header and three radios

  // A run that went to its end with every radio right is complete, then summed up; a radio that
  // was never read back does not count as written.
  tally.begin(2, true, dir.path());
  tally.radioWritten(Radio(1), VerifyResult{}, kEnglish, kStamp);
  tally.radioWritten(Radio(2), VerifyResult{}, kEnglish, kStamp);
  EXPECT_EQ(
      tally.finish(true, kEnglish),
      (std::vector<Notice>{{kCompleted}, {"2 of 2 radios written", NoticeLevel::Information}}));
  tally.begin(2, true, dir.path());
  tally.radioWritten(Radio(1), std::nullopt, kEnglish, kStamp);
  EXPECT_EQ(tally.failed(), 1);
  EXPECT_TRUE(tally.finish(false, kEnglish).empty());  // ended by Cancel or the window's close
}

// The write's backup becomes what the radio holds only once the radio took it whole and read back
// right; a radio left with part of a write is said to be so, in the log too.
TEST(WriteTally, AWrittenBackupOnlyForAWholeWriteAndAPartOneSaidAndLogged) {
  TempDir dir;
  Document doc;
  doc.InitNewDocument();
  const RadioIdentity identity{"HT52", 248, 0, "V601"};
  const auto fresh = [&] {
    return WriteBackup(dir.path(), doc.working(), BackupKind::Write, {"KR-4100", "0", ""}, kStamp)
        .file;
  };
  WriteTally tally;
  tally.begin(0, true, {});
  tally.setWriteBackup(fresh());
  RadioWritten wrong = Radio(1);
  wrong.identity = identity;
  tally.radioWritten(wrong, Differing({"x"}), kEnglish, kStamp);
  const auto unverified = tally.writeBackup();
  EXPECT_EQ(unverified.filename(), "20240501-140322_write_KR-4100_band0_unknown.dat");

  tally.begin(0, true, {});
  tally.setWriteBackup(unverified);
  RadioWritten right = Radio(1);
  right.identity = identity;
  tally.radioWritten(right, VerifyResult{}, kEnglish, kStamp);
  EXPECT_EQ(tally.writeBackup().filename(), "20240501-140322_written_KR-4100_band0_V601.dat");
  EXPECT_TRUE(std::filesystem::exists(tally.writeBackup()));
  EXPECT_FALSE(tally.partial());

  tally.begin(2, false, dir.path());
  tally.radioWritten(right, std::nullopt, kEnglish, kStamp);
  RadioWritten part = Radio(2, false);
  part.identity = identity;
  part.partial = true;
  tally.radioWritten(part, std::nullopt, kEnglish, kStamp);
  ASSERT_TRUE(tally.partial());
  EXPECT_EQ(tally.finish(false, kEnglish),
            (std::vector<Notice>{{"Radio 2: The write did not finish. The radio may now hold part "
                                  "of the new configuration: write it again before using the "
                                  "radio.",
                                  NoticeLevel::Warning}}));
  const auto log = ReadBytes(dir / "group-write.csv");
  EXPECT_NE(std::string(log.begin(), log.end()).find(",2,partial,KR-4100,0,V601,"),
            std::string::npos);
  // What restores it: the newest of that radio's reads and completed writes.
  const auto restore = RestorePointOf(part, dir.path());
  ASSERT_TRUE(restore);
  EXPECT_EQ(restore->file.filename(), "20240501-140322_written_KR-4100_band0_V601.dat");
  EXPECT_FALSE(RestorePointOf(part, {}));
}

// A log that cannot be written is said with its place, and the run is no longer called clean;
// without a data folder no log is kept and nothing is said about it.
TEST(WriteTally, TheProductionLogsTroubleIsPartOfTheSummary) {
  TempDir dir;
  testing::WriteText(dir / "file", "in the way");
  WriteTally tally;
  tally.begin(1, false, dir / "file");
  tally.radioWritten(Radio(1), std::nullopt, kEnglish, kStamp);
  const std::string place = (dir / "file" / "group-write.csv").string();
  EXPECT_EQ(tally.finish(true, kEnglish),
            (std::vector<Notice>{
                {kCompleted},
                {"1 of 1 radios written\n\nThe production log could not be written:\n" + place,
                 NoticeLevel::Warning}}));
  tally.begin(1, false, {});
  tally.radioWritten(Radio(1), std::nullopt, kEnglish, kStamp);
  EXPECT_EQ(tally.finish(true, kEnglish).back(),
            (Notice{"1 of 1 radios written", NoticeLevel::Information}));
}

}  // namespace
}  // namespace kr4100
