// SPDX-License-Identifier: GPL-3.0-or-later
// The write confirmation's list: what a write changes in the radio, against its last read or
// completed write.
#include "core/link/write_preview.h"

#include <gtest/gtest.h>

#include "core/config/document.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

const BackupRadio kRadio{"KR-4100", "0", "V600"};

class WritePreviewTest : public ::testing::Test {
 protected:
  WritePreviewTest() {
    doc.InitNewDocument();
    read = doc.working();
    read.ChCount = {1, 0, 0, 0, 0, 0};
    read.slot(1, 0).ChNum = 1;
    read.slot(1, 0).ChUsed = 1;
    read.slot(1, 0).RxFre = "28010000";
    read.slot(1, 0).TxFre = "28010000";
  }
  std::optional<WritePreview> preview(const RadioConfig& record,
                                      const BackupRadio& radio = kRadio) {
    return PreviewWrite(record, radio, dir.path(), VersionTable::BuiltIn(), kEnglish);
  }
  testing::TempDir dir;
  Document doc;
  RadioConfig read;
};

TEST_F(WritePreviewTest, OnlyWhatTheRadioHoldsAgainstItsNewestRead) {
  ASSERT_TRUE(WriteBackup(dir.path(), doc.working(), BackupKind::Read, kRadio, {2024, 1, 1}).ok);
  ASSERT_TRUE(WriteBackup(dir.path(), read, BackupKind::Read, kRadio, {2024, 5, 1}).ok);
  // Later, but neither a read nor a completed write of this radio.
  RadioConfig other = read;
  other.slot(1, 0).RxFre = "29000000";
  ASSERT_TRUE(WriteBackup(dir.path(), other, BackupKind::Write, kRadio, {2024, 6, 1}).ok);
  ASSERT_TRUE(
      WriteBackup(dir.path(), other, BackupKind::Read, {"KR-4100", "1", "V600"}, {2024, 6, 2}).ok);

  RadioConfig record = read;
  record.slot(1, 0).RxFre = "28020000";
  record.KeyAssign[0] = static_cast<Integer>(read.KeyAssign[0] + 1);  // stays in the data file
  const auto p = preview(record);
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->lastKnown.file.filename(), "20240501-000000_read_KR-4100_band0_V600.dat");
  ASSERT_EQ(p->changes.size(), 1u);
  EXPECT_EQ(p->changes[0].place, "Group A channel 1");
  EXPECT_EQ(p->changes[0].name, "RX frequency");
  EXPECT_EQ(p->changes[0].a, "28.010000");
  EXPECT_EQ(p->changes[0].b, "28.020000");

  EXPECT_EQ(WritePreviewQuestion(*p, kEnglish),
            "Write data to radio.\nCompared with what the last KR-4100 (band 0, firmware V600) "
            "this program talked to holds (last read on 2024-05-01 00:00), the write changes 1 of "
            "its settings:");

  // Writing back what was read changes nothing, though the confirmation still measures it.
  const auto same = preview(read);
  ASSERT_TRUE(same.has_value());
  EXPECT_TRUE(same->changes.empty());
  EXPECT_EQ(WritePreviewQuestion(*same, kChinese),
            "向对讲机写入数据。\n本次写入不改变本程序上次连接的 KR-4100（频段 0，固件 V600）"
            "中的任何设置（上次读取于 2024-05-01 00:00）。");

  // Found: after writing `record`, a second write was still measured against the read, listing
  // the change the radio already held, and writing the read back "changed nothing". A completed
  // write is what the radio holds from then on, whatever firmware its backup was named with.
  const BackupResult written =
      WriteBackup(dir.path(), record, BackupKind::Write, {"KR-4100", "0", ""}, {2024, 7, 1, 9, 30});
  ASSERT_TRUE(written.ok);
  const auto marked = MarkWriteCompleted(written.file, kRadio);
  ASSERT_TRUE(marked.has_value());
  EXPECT_EQ(marked->filename(), "20240701-093000_written_KR-4100_band0_V600.dat");
  EXPECT_FALSE(std::filesystem::exists(written.file));
  const auto again = preview(record);
  ASSERT_TRUE(again.has_value());
  EXPECT_TRUE(again->changes.empty());
  const auto back = preview(read);
  ASSERT_TRUE(back.has_value());
  ASSERT_EQ(back->changes.size(), 1u);
  EXPECT_EQ(back->changes[0].a, "28.020000");
  EXPECT_EQ(back->changes[0].b, "28.010000");
  EXPECT_EQ(WritePreviewQuestion(*back, kEnglish),
            "Write data to radio.\nCompared with what the last KR-4100 (band 0, firmware V600) "
            "this program talked to holds (last written on 2024-07-01 09:30), the write changes 1 "
            "of its settings:");
  // Only a write's backup becomes a written one.
  EXPECT_FALSE(MarkWriteCompleted(back->lastKnown.file, kRadio).has_value());
}

TEST_F(WritePreviewTest, NothingToMeasureAgainst) {
  EXPECT_FALSE(preview(read).has_value());  // no backups folder at all
  ASSERT_TRUE(WriteBackup(dir.path(), read, BackupKind::Read, kRadio, {2024, 5, 1}).ok);
  EXPECT_FALSE(preview(read, {"KR-4100", "0", "V601"}).has_value());
  EXPECT_FALSE(PreviewWrite(read, kRadio, {}, VersionTable::BuiltIn(), kEnglish).has_value());
  // The newest read of the radio cannot be opened: no list rather than a wrong one.
  testing::WriteBytes(BackupFolder(dir.path()) / "20250101-000000_read_KR-4100_band0_V600.dat",
                      std::vector<std::uint8_t>(100, 'V'));
  EXPECT_FALSE(preview(read).has_value());
}

}  // namespace
}  // namespace kr4100
