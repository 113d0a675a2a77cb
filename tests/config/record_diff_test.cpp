// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/record_diff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "core/config/document.h"
#include "core/link/image_diff.h"
#include "core/link/radio_image.h"

namespace kr4100 {

void PrintTo(const FieldDifference& d, std::ostream* os) {
  *os << "{" << d.place << " | " << d.name << " | " << d.a << " | " << d.b << " | " << d.section
      << "}";
}

namespace {

using Bytes = std::vector<std::uint8_t>;
using Diffs = std::vector<FieldDifference>;

ChInfo Channel(int number, const char* rx, const char* tx) {
  ChInfo c;
  c.ChNum = static_cast<Integer>(number);
  c.ChUsed = 1;
  c.RxFre = rx;
  c.TxFre = tx;
  return c;
}

class RecordDiffTest : public ::testing::Test {
 protected:
  RecordDiffTest() {
    doc.setToday([] { return CalendarDate{2026, 3, 5}; });
    doc.InitNewDocument();
    a = doc.working();
    a.ChCount = {0, 2, 0, 0, 0, 0};
    a.slot(1, 1) = Channel(3, "28010000", "28010000");
    a.slot(2, 1) = Channel(12, "28125000", "28125000");
    b = a;
  }
  Document doc;
  RadioConfig a;
  RadioConfig b;
};

TEST_F(RecordDiffTest, EqualRecordsHaveNoDifference) {
  EXPECT_TRUE(DiffRecords(a, b, kEnglish).empty());
}

TEST_F(RecordDiffTest, ChannelFieldsByGroupNumberAndNameInBothLanguages) {
  b.slot(2, 1).RxFre = "28130000";
  b.slot(2, 1).Busy = 1;
  b.slot(2, 1).Scan = 1;
  EXPECT_EQ(DiffRecords(a, b, kEnglish),
            (Diffs{{"Group B channel 12", "RX frequency", "28.125000", "28.130000", false},
                   {"Group B channel 12", "BUSY", "Disable", "Enable", false},
                   {"Group B channel 12", "Scan", "Del", "Add", false}}));
  EXPECT_EQ(DiffRecords(a, b, kChinese),
            (Diffs{{"B组 信道12", "接收频率", "28.125000", "28.130000", false},
                   {"B组 信道12", "BUSY", "不使用", "使用", false},
                   {"B组 信道12", "扫描", "删除", "添加", false}}));
}

TEST_F(RecordDiffTest, ChannelsAreMatchedByNumberNotSlot) {
  std::swap(b.slot(1, 1), b.slot(2, 1));
  // Same channels in another slot order: only the stored layout differs, and it is still shown.
  const Diffs diffs = DiffRecords(a, b, kEnglish);
  ASSERT_FALSE(diffs.empty());
  for (const auto& d : diffs) EXPECT_EQ(d.place, "Stored record") << d.name;
}

TEST_F(RecordDiffTest, ChannelOnOneSideOnly) {
  b.ChCount[1] = 1;
  b.ChCount[5] = 1;
  b.slot(1, 5) = Channel(60, "29000000", "29000000");
  EXPECT_EQ(DiffRecords(a, b, kEnglish),
            (Diffs{{"Group B channel 12", "Channel", "present", "absent", false},
                   {"Group F channel 60", "Channel", "absent", "present", false}}));
}

TEST_F(RecordDiffTest, SettingsShowAsTheirWindowsShowThem) {
  a.OptFeat[kScanResumeTime] = 4;
  b.OptFeat[kScanResumeTime] = 9;
  a.KeyAssign[1] = 2;
  b.KeyAssign[1] = 9;
  a.EmbMsg2 = std::string("HELLO\0", 6);
  b.EmbMsg2 = std::string("WORLD\0", 6);
  a.OptFeat[kEmgCh0 + 2] = 4;
  b.OptFeat[kEmgCh0 + 2] = 11;
  EXPECT_EQ(DiffRecords(a, b, kEnglish),
            (Diffs{{"Group C", "Emergency Channel", "5", "12", false},
                   {"Option", "Scan Resume Time", "5", "10", true},
                   {"Key Assignment", "PF2", "Key Lock", "Squelch Off", true},
                   {"Embedded Message", "Message 2", "HELLO", "WORLD", true}}));
  const Diffs zh = DiffRecords(a, b, kChinese);
  ASSERT_EQ(zh.size(), 4u);
  EXPECT_EQ(zh[1].name, "扫描恢复时间");
  EXPECT_EQ(zh[2].a, "按键锁定");
  EXPECT_EQ(zh[2].b, "取消静噪");
}

TEST_F(RecordDiffTest, EmptyValuesAndTestFrequencyRows) {
  b.EmbMsg1 = std::string("X\0", 2);
  a.EmbMsg1 = std::string("\0", 1);
  const Diffs diffs = DiffRecords(a, b, kEnglish);
  ASSERT_EQ(diffs.size(), 1u);
  EXPECT_EQ(diffs[0].a, "(empty)");
  EXPECT_EQ(diffs[0].b, "X");
}

TEST(RecordDiffTitle, ItemsJoinWithABlankSectionsWithAColon) {
  const FieldDifference channel{"Group B channel 12", "RX frequency", "28.125000", "28.130000",
                                false};
  const FieldDifference option{"Option", "Scan Resume Time", "5", "10", true};
  EXPECT_EQ(DifferenceTitle(channel, kEnglish), "Group B channel 12 RX frequency");
  EXPECT_EQ(DifferenceTitle(option, kEnglish), "Option: Scan Resume Time");
  EXPECT_EQ(DifferenceLine(option, kEnglish), "Option: Scan Resume Time: 5 -> 10");
  EXPECT_EQ(DifferenceTitle({"选项", "扫描恢复时间", "5", "10", true}, kChinese),
            "选项：扫描恢复时间");
}

class ImageDiffTest : public RecordDiffTest {
 protected:
  Bytes Packed() {
    doc.ReplaceWorking(a);
    RadioImage image;
    PrepareImage(image);
    const auto error = PackImage(doc.working(), image);
    EXPECT_FALSE(error) << error->what;
    return Bytes(image.begin(), image.end());
  }
};

TEST_F(ImageDiffTest, IdenticalImagesHaveNoDifference) {
  const Bytes sent = Packed();
  EXPECT_TRUE(DiffImages(sent, sent, a, {}, kEnglish).empty());
}

TEST_F(ImageDiffTest, AChannelByteIsNamedByItsChannelAndField) {
  const Bytes sent = Packed();
  Bytes read = sent;
  // Group B channel 12 begins at 0x0010 + 18 * (60 + 11) = 0x050E; its receive frequency is the
  // BCD 28 12 50 (hundreds of hertz), so 0x50 -> 0x60 reads 28.126000.
  ASSERT_EQ(sent[0x0510], 0x50);
  read[0x0510] = 0x60;
  EXPECT_EQ(DiffImages(sent, read, a, {}, kEnglish),
            (Diffs{{"Group B channel 12", "RX frequency", "28.125000", "28.126000", false}}));
  EXPECT_EQ(DifferenceTitle(DiffImages(sent, read, a, {}, kEnglish)[0], kEnglish),
            "Group B channel 12 RX frequency");
}

TEST_F(ImageDiffTest, AnOptionByteIsNamedByItsOption) {
  a.OptFeat[kScanResumeTime] = 4;
  const Bytes sent = Packed();
  Bytes read = sent;
  ASSERT_EQ(sent[0x1D67], 4);  // options at 0x1D60, the resume time seventh
  read[0x1D67] = 9;
  EXPECT_EQ(DiffImages(sent, read, a, {}, kEnglish),
            (Diffs{{"Option", "Scan Resume Time", "5", "10", true}}));
}

TEST_F(ImageDiffTest, BytesOfNoFieldAreListedByAddress) {
  const Bytes sent = Packed();
  Bytes read = sent;
  read[0x1D7F] = 0x00;                     // the option block's unused byte
  read[0x050E + 15] ^= 0x01;               // past the fields of a present channel's record
  EXPECT_EQ(DiffImages(sent, read, a, {}, kEnglish),
            (Diffs{{"Memory", "0x051D", "0xFF", "0xFE", true},
                   {"Memory", "0x1D7F", "0xFF", "0x00", true}}));
  EXPECT_EQ(DiffImages(sent, read, a, {}, kChinese)[0].place, "存储器");
}

TEST_F(ImageDiffTest, OnlyTheSentRangeCountsAndMissingBytesDiffer) {
  const Bytes sent = Packed();
  Bytes read = sent;
  read[0x1F00] = 0x12;  // the radio-information block is not part of a write
  read[0x0003] ^= 0xFF;
  EXPECT_TRUE(DiffImages(sent, read, a, {0x0010, 0x1DE0}, kEnglish).empty());
  read.resize(0x1DDE);
  const Diffs diffs = DiffImages(sent, read, a, {0x0010, 0x1DE0}, kEnglish);
  ASSERT_EQ(diffs.size(), 2u);
  EXPECT_EQ(diffs[0].name, "0x1DDE");
  EXPECT_EQ(diffs[0].b, "--");
}

TEST_F(ImageDiffTest, NamedFieldsComeFirstThenBytesByAddress) {
  const Bytes sent = Packed();
  Bytes read = sent;
  read[0x193C] = 0x28;  // group F channel 59 is absent: its record's bytes name nothing
  read[0x0510] = 0x60;
  read[0x046C] = 0xAB;  // group B channel 3's receive frequency no longer reads: dropped
  EXPECT_EQ(DiffImages(sent, read, a, {}, kEnglish),
            (Diffs{{"Group B channel 3", "Channel", "present", "absent", false},
                   {"Group B channel 12", "RX frequency", "28.125000", "28.126000", false},
                   {"Memory", "0x193C", "0xFF", "0x28", true}}));
}

TEST_F(ImageDiffTest, AReadBackOfNothingButZerosLosesNoByte) {
  const Bytes sent = Packed();
  const Bytes read(sent.size(), 0x00);
  const Diffs diffs = DiffImages(sent, read, a, {0x0010, 0x1DE0}, kEnglish);
  // Every differing byte is either named or listed; the listed ones are exactly the differing
  // bytes that change no field.
  std::size_t differing = 0;
  for (std::size_t at = 0x0010; at < 0x1DE0; ++at) differing += sent[at] != 0 ? 1 : 0;
  std::size_t listed = 0;
  for (const auto& d : diffs) listed += d.place == "Memory" ? 1 : 0;
  EXPECT_GT(listed, 0u);
  EXPECT_LT(listed, differing);
  EXPECT_NE(std::find_if(diffs.begin(), diffs.end(),
                         [](const FieldDifference& d) { return d.place == "Group B channel 12"; }),
            diffs.end());
}

}  // namespace
}  // namespace kr4100
