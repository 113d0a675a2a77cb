// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/data_file_codec.h"

#include <gtest/gtest.h>

#include <string>

#include "support/distinct_record.h"

namespace kr4100 {
namespace {

// Offsets below are written out by hand from the file layout, not taken from the encoder.
std::string At(const DataFileBytes& b, std::size_t offset, std::size_t n) {
  return std::string(reinterpret_cast<const char*>(b.data() + offset), n);
}
int Int16At(const DataFileBytes& b, std::size_t o) {
  return static_cast<std::int16_t>(b[o] | (b[o + 1] << 8));
}
long Int32At(const DataFileBytes& b, std::size_t o) {
  return static_cast<std::int32_t>(b[o] | (b[o + 1] << 8) | (b[o + 2] << 16) |
                                   (static_cast<std::uint32_t>(b[o + 3]) << 24));
}

TEST(DataFileCodec, FieldsLandAtTheirFileOffsets) {
  RadioConfig r;
  r.Version = "V600";
  r.CurGroup = -2;
  r.ChCount[3] = 0x0102;
  ChInfo& e = r.slot(2, 1);  // entry (2, 1): 18 + 38 * (1 + 60) = 2336
  e.ChNum = 42;
  e.RxFre = "28015000";
  e.TxFre = "29";
  e.Rb = 1;
  e.TxSubCode = -300;
  r.slot(60, 5).TxSubCode = 0x1234;  // last entry: 18 + 38 * 359 = 13660, its end 13698
  r.ModelInfo.ModelCode = std::string("HT52\0", 5);
  r.ModelInfo.ModelType = 248;
  r.ModelInfo.SoftVer = "V6.00";
  r.ModelInfo.SeriesChar = 67;
  r.OptFeat[44] = 31;
  r.KeyAssign[1] = 10;
  r.ScanInfo[6] = 3;
  r.Dtmf.IdCode = "000";
  r.Dtmf.StunType = 7;
  r.Fleet.OwnId = 0x12345678;
  r.Fleet.MsgModeTimer = -5;
  r.Fleet.PttIdSideTone = 1;
  r.AutodialCount = 8;
  r.Autodial[7].Digits = "0123456789ABCDEF";
  r.TestFreCount = 16;
  r.TestFre[15].TxMark = 15;
  r.EmbMsg1 = "hello";
  r.EmbMsg2 = std::string(32, 'z');
  r.FleetListCount = 8;
  r.FleetList[7].Id = -1;

  const DataFileBytes b = EncodeDataFile(r);
  EXPECT_EQ(At(b, 0, 4), "V600");
  EXPECT_EQ(b[4], 0xFE);
  EXPECT_EQ(b[5], 0xFF);
  EXPECT_EQ(Int16At(b, 12), 0x0102);
  EXPECT_EQ(b[12], 0x02);
  EXPECT_EQ(Int16At(b, 2336), 42);
  EXPECT_EQ(At(b, 2336 + 4, 8), "28015000");
  EXPECT_EQ(At(b, 2336 + 12, 8), "29      ");
  EXPECT_EQ(Int16At(b, 2336 + 32), 1);
  EXPECT_EQ(Int16At(b, 2336 + 36), -300);
  EXPECT_EQ(Int16At(b, 13696), 0x1234);
  EXPECT_EQ(At(b, 13698, 6), std::string("HT52\0 ", 6));
  EXPECT_EQ(Int16At(b, 13704), 248);
  EXPECT_EQ(At(b, 13716, 5), "V6.00");
  EXPECT_EQ(Int16At(b, 13729), 67);
  EXPECT_EQ(Int16At(b, 13819), 31);
  EXPECT_EQ(Int16At(b, 13823), 10);
  EXPECT_EQ(Int16At(b, 13837), 3);
  EXPECT_EQ(At(b, 13851, 10), "000       ");
  EXPECT_EQ(Int16At(b, 13881), 7);
  EXPECT_EQ(b[13885], 0x78);
  EXPECT_EQ(b[13888], 0x12);
  EXPECT_EQ(Int32At(b, 13895), -5);
  EXPECT_EQ(Int16At(b, 13899), 1);
  EXPECT_EQ(Int16At(b, 13901), 8);
  EXPECT_EQ(At(b, 14031, 16), "0123456789ABCDEF");
  EXPECT_EQ(Int16At(b, 14047), 16);
  EXPECT_EQ(Int16At(b, 14399), 15);
  EXPECT_EQ(At(b, 14401, 32), "hello" + std::string(27, ' '));
  EXPECT_EQ(At(b, 14433, 32), std::string(32, 'z'));
  EXPECT_EQ(Int16At(b, 14465), 8);
  EXPECT_EQ(Int32At(b, 14527), -1);
}

TEST(DataFileCodec, DecodeGivesBackEveryByteAndField) {
  const RadioConfig r = testing::DistinctRecord();
  const DataFileBytes b = EncodeDataFile(r);
  const RadioConfig back = DecodeDataFile(b);
  EXPECT_EQ(back, r);
  EXPECT_EQ(EncodeDataFile(back), b);
}

TEST(FixedText, PadsCutsAndReadsBackToTheFirstNul) {
  FixedText<8> t;
  t = "085";
  EXPECT_EQ(t.raw(), "085     ");
  EXPECT_EQ(t.text(), "085");
  t = "123456789";
  EXPECT_EQ(t.raw(), "12345678");
  t = std::string("V6\0xy", 5);
  EXPECT_EQ(t.text(), "V6");
  t = "  a  ";
  EXPECT_EQ(t.text(), "  a");
  EXPECT_EQ(FixedText<4>().text(), "");
}

}  // namespace
}  // namespace kr4100
