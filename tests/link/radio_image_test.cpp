// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/radio_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kr4100 {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Slice(const RadioImage& image, int at, int n) {
  return Bytes(image.begin() + at, image.begin() + at + n);
}

void Put(RadioImage& image, int at, const Bytes& bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) image[static_cast<std::size_t>(at) + i] = bytes[i];
}

RadioImage Prepared() {
  RadioImage image{};
  PrepareImage(image);
  return image;
}

// The identity reply a KR-4100 of the given band sends: "P", "HT52", one byte, type 248, band.
void PutIdentity(RadioImage& image, std::uint8_t band) {
  Put(image, 0x1D90, {0x50, 'H', 'T', '5', '2', 0x00, 248, band, 'V', '6', '0', '0', 0, 0});
}

class CountingObserver : public DocumentObserver {
 public:
  void documentReplaced() override { ++replaced; }
  int replaced = 0;
};

class RadioImageTest : public ::testing::Test {
 protected:
  RadioImageTest() { Init(doc); }
  static void Init(Document& d) {
    d.setToday([] { return CalendarDate{2026, 3, 5}; });
    d.InitNewDocument();
  }
  RadioImage Packed() {
    RadioImage image = Prepared();
    const auto error = PackImage(doc.working(), image);
    EXPECT_FALSE(error) << error->what;
    return image;
  }
  void Set(int group, int chNum, int column, const char* value) {
    doc.working().CurGroup = static_cast<Integer>(group);
    doc.SetChannelValue(chNum, column, value);
  }
  Integer& Opt(int index) { return doc.working().OptFeat[static_cast<std::size_t>(index)]; }

  Document doc;
};

TEST(RadioImageBasics, PrepareAndPadFreText) {
  const RadioImage image = Prepared();
  EXPECT_EQ(image[0], 0xFF);
  EXPECT_EQ(image[0x1CFF], 0xFF);
  EXPECT_EQ(image[0x1D00], 0x00);
  EXPECT_EQ(image[0x1D5F], 0x00);
  EXPECT_EQ(image[0x1D60], 0xFF);
  EXPECT_EQ(image[0x1FFF], 0xFF);

  EXPECT_EQ(PadFreText("", 8), "FFFFFFFF");
  EXPECT_EQ(PadFreText("FFFFFFFF", 8), "FFFFFFFF");
  EXPECT_EQ(PadFreText("        ", 8), "FFFFFFFF");
  EXPECT_EQ(PadFreText("285     ", 8), "28500000");
  EXPECT_EQ(PadFreText(std::string("2801\0 99", 8), 8), "28010000");
  EXPECT_EQ(PadFreText("28015060", 8), "28015060");
}

TEST_F(RadioImageTest, ChannelGoesWhereItsNumberSays) {
  Set(1, 9, kColRxFre, "28.5");
  Set(1, 9, kColTxFre, "29.1234");
  Set(1, 9, kColBusy, "1");
  Set(1, 9, kColRb, "1");
  const RadioImage image = Packed();

  // Channel 9 of group B: record at 16 + 18 * 68, present and scan bits in the second byte.
  EXPECT_EQ(Slice(image, 1240, 18),
            (Bytes{0x28, 0x50, 0x00, 0x00, 0x00, 0x29, 0x12, 0x34, 0x00, 0x00, 0x8A, 0xFF, 0xFF,
                   0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(image[1239], 0xFF);  // channel 8 of group B does not exist
  EXPECT_EQ(image[7432], 0x01);  // channel 1 of group B
  EXPECT_EQ(image[7433], 0x01);
  EXPECT_EQ(image[7481], 0x01);
  // Channel 1 of group A of the new document: echo only.
  EXPECT_EQ(Slice(image, 16, 11),
            (Bytes{0x28, 0x01, 0x50, 0x00, 0x00, 0x28, 0x01, 0x50, 0x00, 0x00, 0x08}));
  EXPECT_EQ(image[7424], 0x01);
  EXPECT_EQ(image[7472], 0x01);
  // Scan off leaves the scan bit clear.
  Set(1, 9, kColScan, "0");
  EXPECT_EQ(Packed()[7481], 0x00);
}

TEST_F(RadioImageTest, TenHertzDigitGoesIntoTheFineOffset) {
  Set(0, 1, kColRxFre, "28.015060");
  Set(0, 1, kColTxFre, "29.12345");
  ASSERT_EQ(doc.working().slot(1, 0).RxFre.raw(), "28015060");
  const RadioImage image = Packed();
  // 28.0150 MHz in BCD and 6 steps of 10 Hz added; 29.1234 MHz and 5 steps.
  EXPECT_EQ(Slice(image, 16, 10),
            (Bytes{0x28, 0x01, 0x50, 0x06, 0x00, 0x29, 0x12, 0x34, 0x05, 0x00}));

  Document read;
  Init(read);
  ASSERT_FALSE(UnpackImage(image, read));
  EXPECT_EQ(read.working().slot(1, 0).RxFre.raw(), "28015060");
  EXPECT_EQ(read.working().slot(1, 0).TxFre.raw(), "29123450");
}

TEST_F(RadioImageTest, ReadThenWriteGivesTheRadioWhatItHad) {
  RadioImage radio = Packed();
  PutIdentity(radio, 0);
  // Channel 1 of group A: 28.014950 and 29.699990; channel 60 of group D: 28.000010 both ways.
  Put(radio, 16, {0x28, 0x01, 0x49, 0x05, 0x00, 0x29, 0x69, 0x99, 0x09, 0x00, 0x8A});
  const int d60 = image_map::ChannelRecord(60, 3);
  Put(radio, d60, {0x28, 0x00, 0x00, 0x01, 0x00, 0x28, 0x00, 0x00, 0x01, 0x00, 0x08});
  radio[7424 + 3 * 8 + 7] |= 0x08;  // present bit of channel 60 of group D
  Document read;
  Init(read);
  ASSERT_FALSE(UnpackImage(radio, read));
  ASSERT_EQ(read.working().slot(1, 0).RxFre.raw(), "28014950");
  ASSERT_EQ(read.working().slot(2, 3).TxFre.raw(), "28000010");

  RadioImage written = Prepared();
  ASSERT_FALSE(PackImage(read.working(), written));
  // Everything a write sends is as the radio had it; only the identity is not written.
  EXPECT_EQ(Slice(written, 0, 0x1D90), Slice(radio, 0, 0x1D90));
  EXPECT_EQ(Slice(written, 0x1DA0, 0x60), Slice(radio, 0x1DA0, 0x60));

  // An offset the radio keeps as "subtract" goes back as the same frequency, added from below.
  Put(radio, 16, {0x28, 0x01, 0x50, 0x05, 0x80});
  ASSERT_FALSE(UnpackImage(radio, read));
  written = Prepared();
  ASSERT_FALSE(PackImage(read.working(), written));
  EXPECT_EQ(Slice(written, 16, 5), (Bytes{0x28, 0x01, 0x49, 0x05, 0x00}));
  ASSERT_FALSE(UnpackImage(written, read));
  EXPECT_EQ(read.working().slot(1, 0).RxFre.raw(), "28014950");
}

TEST_F(RadioImageTest, FineOffsetsMoveTheFrequency) {
  RadioImage image = Packed();
  // Channel 1 of group A: receive 50 Hz down, transmit 20 Hz up.
  Put(image, 16, {0x28, 0x01, 0x50, 0x05, 0x80, 0x28, 0x01, 0x50, 0x02, 0x00});
  ASSERT_FALSE(UnpackImage(image, doc));
  const ChInfo& e = doc.working().slot(1, 0);
  EXPECT_EQ(e.RxFre.raw(), "28014950");
  EXPECT_EQ(e.RxSubCode, 50);
  EXPECT_EQ(e.TxFre.raw(), "28015020");
  EXPECT_EQ(e.TxSubCode, 20);

  // The largest offset an Integer holds is read; one step more is refused.
  Put(image, 16 + 3, {0xCC, 0x0C});
  ASSERT_FALSE(UnpackImage(image, doc));
  EXPECT_EQ(doc.working().slot(1, 0).RxFre.raw(), "28047760");
  EXPECT_EQ(doc.working().slot(1, 0).RxSubCode, 32760);

  // Below 10 MHz the stored form keeps its leading zero.
  Put(image, 16, {0x05, 0x00, 0x00, 0x01, 0x80});
  ASSERT_FALSE(UnpackImage(image, doc));
  EXPECT_EQ(doc.working().slot(1, 0).RxFre.raw(), "04999990");
}

TEST_F(RadioImageTest, ChannelsComeBackSortedByNumber) {
  Set(0, 30, kColRxFre, "28.3");
  Set(0, 2, kColRxFre, "28.02");
  Set(0, 17, kColRxFre, "28.17");
  const RadioImage image = Packed();
  EXPECT_EQ(image[7424], 0x03);  // 1, 2
  EXPECT_EQ(image[7426], 0x01);  // 17
  EXPECT_EQ(image[7427], 0x20);  // 30

  Document read;
  Init(read);
  ASSERT_FALSE(UnpackImage(image, read));
  const RadioConfig& r = read.working();
  ASSERT_EQ(r.ChCount[0], 4);
  EXPECT_EQ(r.slot(1, 0).ChNum, 1);
  EXPECT_EQ(r.slot(2, 0).ChNum, 2);
  EXPECT_EQ(r.slot(3, 0).ChNum, 17);
  EXPECT_EQ(r.slot(4, 0).ChNum, 30);
  EXPECT_EQ(r.slot(4, 0).RxFre.raw(), "28300000");
}

TEST_F(RadioImageTest, EmbeddedMessages) {
  doc.working().EmbMsg1 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
  doc.working().EmbMsg2 = std::string("Hi  \0zz", 7);
  const RadioImage image = Packed();
  EXPECT_EQ(image[7584], 'A');
  EXPECT_EQ(image[7615], '5');  // 32 characters: no 0xFF after them
  EXPECT_EQ(Slice(image, 7616, 4), (Bytes{'H', 'i', 0xFF, 0xFF}));
  EXPECT_EQ(image[7647], 0xFF);

  Document read;
  Init(read);
  ASSERT_FALSE(UnpackImage(image, read));
  EXPECT_EQ(read.working().EmbMsg1.raw(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");
  EXPECT_EQ(read.working().EmbMsg2.raw(), std::string("Hi\0", 3) + std::string(29, ' '));
}

TEST_F(RadioImageTest, OptionBlockByteByByte) {
  // Values chosen so that most bytes equal their offset in the block.
  const std::pair<int, int> values[] = {
      {kTot, 1}, {kRbFre, 0x0102}, {kRbTime, 3}, {kCwSideTone, 0x0405}, {kFreStep, 6},
      {kScanResumeTime, 7}, {kLcdDisplayInTx, 8}, {kSwrProtect, 9}, {kBatVoltMax, 10},
      {kBatVoltMin, 11}, {kLsbEnable, 1}, {kUsbEnable, 0}, {kFmEnable, 1}, {kAmEnable, 0},
      {kPaEnable, 1}, {kCwEnable, 1}, {kSingleChangeData, 13}, {kBusyOpt, 1}, {kEchoOpt, 0},
      {kHiCutOpt, 1}, {kPlus10KOpt, 0}, {kNbAnlOpt, 1}, {kRbOpt, 1}, {kSingleChangeRxTxFre, 15},
      {kLcdDisplay, 16}, {kScanMode, 17}, {kFmSqCloseDelay, 18}, {kAmSqCloseDelay, 19},
      {kSsbSqCloseDelay, 20}, {kEmgCh0, 21}, {kEmgCh0 + 1, 22}, {kEmgCh0 + 2, 23},
      {kEmgCh0 + 3, 24}, {kEmgCh0 + 4, 25}, {kEmgCh0 + 5, 26}, {kSwrProtectEnable, 27},
      {kDcProtectEnable, 28}, {kSingleTone, 0x1D1E}, {kClarifierMode, 32}, {kPushMode, 33},
      {kMicGain, 34}, {kMonGain, 35}, {kCwSideVol, 36}, {kBeepVol, 37}, {kCommonOption, 99}};
  for (const auto& [index, value] : values) Opt(index) = static_cast<Integer>(value);
  const RadioImage image = Packed();

  const Bytes expected = {0x01, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09,
                          0x0A, 0x0B, 0x35, 0x0D, 0xD2, 0x0F, 0x10, 0x11, 0x12, 0x13,
                          0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D,
                          0x1E, 0xFF, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25};
  EXPECT_EQ(Slice(image, 7520, 38), expected);
  EXPECT_EQ(image[7519], 0x00);
  EXPECT_EQ(image[7558], 0xFF);

  // Reading it back gives every value again; CommonOption has no byte and keeps the reader's.
  Document read;
  Init(read);
  ASSERT_FALSE(UnpackImage(image, read));
  for (const auto& [index, value] : values) {
    SCOPED_TRACE(index);
    EXPECT_EQ(read.working().OptFeat[static_cast<std::size_t>(index)],
              index == kCommonOption ? 0 : value);
  }
}

TEST_F(RadioImageTest, EmergencyChannelsAndVolumes) {
  Opt(kEmgCh0 + 3) = -1;  // a group without channels
  Opt(kEmgCh0 + 4) = 255;
  RadioImage image = Packed();
  EXPECT_EQ(image[7544], 0xFF);
  EXPECT_EQ(image[7545], 0xFF);

  image[7541] = 0xFF;  // group A without an emergency channel
  image[7556] = 64;    // CwSideVol
  image[7557] = 63;    // BeepVol
  Opt(kCommonOption) = 7;
  ASSERT_FALSE(UnpackImage(image, doc));
  EXPECT_EQ(Opt(kEmgCh0), -1);
  EXPECT_EQ(Opt(kCwSideVol), 0);
  EXPECT_EQ(Opt(kBeepVol), 63);
  EXPECT_EQ(Opt(kCommonOption), 7);
}

TEST_F(RadioImageTest, RoundTripThroughTheImage) {
  Set(0, 5, kColRxFre, "28.0056");
  Set(0, 5, kColTxFre, "29.6999");
  Set(0, 5, kColHiCut, "1");
  Set(0, 5, kColPlus10K, "1");
  Set(0, 5, kColNbAnl, "1");
  Set(0, 5, kColEcho, "0");
  Set(3, 60, kColRxFre, "29.7");
  Set(3, 60, kColScan, "0");
  Set(5, 1, kColBusy, "1");
  Opt(kEmgCh0 + 3) = 59;
  Opt(kMicGain) = 12;
  Opt(kRbFre) = 32767;
  doc.working().EmbMsg1 = std::string("CQ CQ\0", 6);
  RadioImage image = Packed();
  PutIdentity(image, 0);

  Document read;
  Init(read);
  const RadioConfig savedBefore = read.saved();
  ASSERT_FALSE(UnpackImage(image, read));
  const RadioConfig& w = doc.working();
  const RadioConfig& r = read.working();
  for (int g = 0; g < kGroupCount; ++g) {
    ASSERT_EQ(r.ChCount[static_cast<std::size_t>(g)], w.ChCount[static_cast<std::size_t>(g)]);
    for (int c = 1; c <= w.ChCount[static_cast<std::size_t>(g)]; ++c) {
      const ChInfo& original = w.slot(c, g);
      const int slot = read.FindChannelSlot(original.ChNum, g);
      ASSERT_NE(slot, 0);
      EXPECT_EQ(r.slot(slot, g), original) << "channel " << original.ChNum << " group " << g;
    }
  }
  EXPECT_EQ(r.OptFeat, w.OptFeat);
  EXPECT_EQ(r.EmbMsg1, w.EmbMsg1);
  EXPECT_EQ(r.EmbMsg2, w.EmbMsg2);
  // The read document is new and unsaved: the saved copy is untouched, so it counts as modified.
  EXPECT_EQ(read.saved(), savedBefore);
  EXPECT_TRUE(read.IsDocumentModified());
}

TEST_F(RadioImageTest, IdentityDecidesModelAndBand) {
  RadioImage image = Packed();
  PutIdentity(image, 1);
  CountingObserver observer;
  doc.addObserver(&observer);
  ASSERT_FALSE(UnpackImage(image, doc));
  const ModelInfo& m = doc.working().ModelInfo;
  EXPECT_EQ(m.ModelCode.raw(), std::string("HT52\0 ", 6));
  EXPECT_EQ(m.ModelType, 248);
  EXPECT_EQ(m.BandType, 1);
  EXPECT_EQ(doc.state().modelText, "HT52");
  EXPECT_EQ(doc.state().bandText, "25.615000 - 30.105000 MHz");
  EXPECT_DOUBLE_EQ(doc.state().edges.lower, 25.615);
  EXPECT_EQ(observer.replaced, 1);

  // A code shorter than four characters arrives padded with 0xFF.
  Put(image, 0x1D91, {'A', 'B', 0xFF, 0xFF});
  ASSERT_FALSE(UnpackImage(image, doc));
  EXPECT_EQ(doc.working().ModelInfo.ModelCode.raw(), std::string("AB\0\0\0 ", 6));
  EXPECT_EQ(doc.state().modelText, "AB");
  doc.removeObserver(&observer);
}

// ---- Refusals and damaged images ----------------------------------------------------------------

class RefusedReadTest : public RadioImageTest {
 protected:
  RefusedReadTest() : image(Packed()) {
    PutIdentity(image, 1);
    Set(0, 1, kColTxFre, "29");  // so a read that went through would be seen
    before = doc.working();
    doc.addObserver(&observer);
  }
  ~RefusedReadTest() override { doc.removeObserver(&observer); }
  void ExpectRefusedNaming(const std::string& name) {
    const auto error = UnpackImage(image, doc);
    ASSERT_TRUE(error);
    EXPECT_NE(error->what.find(name), std::string::npos) << error->what;
    EXPECT_EQ(doc.working(), before);
    EXPECT_EQ(doc.state().bandText, "28.000000 - 29.700000 MHz");
    EXPECT_EQ(observer.replaced, 0);
  }

  RadioImage image;
  RadioConfig before;
  CountingObserver observer;
};

TEST_F(RefusedReadTest, WordOptionWithHighBitLeavesDocumentAlone) {
  image[7549] = 0x80;  // SingleTone
  ExpectRefusedNaming("SingleTone");
}

TEST_F(RefusedReadTest, ReceiveOffsetTooLargeForAnInteger) {
  Put(image, 16 + 3, {0xCD, 0x0C});  // 3277 steps of 10 Hz
  ExpectRefusedNaming("Channel 1 of group A");
}

TEST_F(RefusedReadTest, TransmitOffsetTooLargeForAnInteger) {
  Put(image, image_map::ChannelRecord(1, 4) + 8, {0xFF, 0xFF});
  ExpectRefusedNaming("Channel 1 of group E");
}

TEST_F(RadioImageTest, DamagedChannelsInARead) {
  RadioImage image = Packed();
  // Channel 1 of group B: present, but no receive frequency: dropped.
  Put(image, 16 + 18 * 60, {0xFF, 0xFF, 0xFF});
  // Channel 1 of group C: transmit bytes not BCD (their offset bytes are garbage too).
  Put(image, 16 + 18 * 120, {0x28, 0x11, 0x50, 0x05, 0x80, 0x2A, 0xFF, 0xFF, 0xFF, 0xFF});
  // The slot held another transmit frequency before the read.
  doc.working().slot(1, 2).TxFre = "29000000";
  ASSERT_FALSE(UnpackImage(image, doc));
  EXPECT_EQ(doc.working().ChCount[1], 0);
  const ChInfo& e = doc.working().slot(1, 2);
  EXPECT_EQ(e.RxFre.raw(), "28114950");
  EXPECT_EQ(e.TxFre.raw(), "28114950");
  EXPECT_EQ(e.TxSubCode, 0);
}

class RefusedWriteTest : public RadioImageTest {
 protected:
  void ExpectRefusedNaming(const std::string& name) {
    RadioImage image = Prepared();
    image[5000] = 0x42;  // anything already there must survive
    const RadioImage untouched = image;
    const auto error = PackImage(doc.working(), image);
    ASSERT_TRUE(error);
    EXPECT_NE(error->what.find(name), std::string::npos) << error->what;
    EXPECT_EQ(image, untouched);
  }
};

TEST_F(RefusedWriteTest, OptionValuesThatDoNotFit) {
  Opt(kRbTime) = 256;
  ExpectRefusedNaming("RbTime");
  Opt(kRbTime) = 2;
  Opt(kMicGain) = -1;
  ExpectRefusedNaming("MicGain");
  Opt(kMicGain) = 31;
  Opt(kRbFre) = -5;
  ExpectRefusedNaming("RbFre");
  Opt(kRbFre) = 105;
  Opt(kEmgCh0 + 2) = -2;
  ExpectRefusedNaming("EmgCh(2)");
  Opt(kEmgCh0 + 2) = 0;
  Opt(kUsbEnable) = 200;  // 400 in the sum
  ExpectRefusedNaming("UsbEnable");
  Opt(kUsbEnable) = 1;
  Opt(kRbOpt) = -1;
  ExpectRefusedNaming("RbOpt");
  Opt(kRbOpt) = 0;
}

// 2 in a switch would land in the next bit: LsbEnable 2 switches USB on, BusyOpt 2 sets bit 2.
TEST_F(RefusedWriteTest, SwitchesSharingAByteTakeOnlyZeroOrOne) {
  const std::pair<int, const char*> switches[] = {
      {kLsbEnable, "LsbEnable"}, {kUsbEnable, "UsbEnable"}, {kFmEnable, "FmEnable"},
      {kAmEnable, "AmEnable"},   {kPaEnable, "PaEnable"},   {kCwEnable, "CwEnable"},
      {kBusyOpt, "BusyOpt"},     {kEchoOpt, "EchoOpt"},     {kHiCutOpt, "HiCutOpt"},
      {kPlus10KOpt, "Plus10KOpt"}, {kNbAnlOpt, "NbAnlOpt"}, {kRbOpt, "RbOpt"}};
  for (const auto& [index, name] : switches) {
    SCOPED_TRACE(name);
    const Integer before = Opt(index);
    Opt(index) = 2;
    ExpectRefusedNaming(name);
    Opt(index) = before;
  }

  ChInfo& e = doc.working().slot(1, 2);
  const std::pair<Integer ChInfo::*, const char*> flags[] = {
      {&ChInfo::Busy, "Busy"},       {&ChInfo::Echo, "Echo"},   {&ChInfo::HiCut, "HiCut"},
      {&ChInfo::Plus10K, "Plus10K"}, {&ChInfo::NbAnl, "NbAnl"}, {&ChInfo::Rb, "Rb"}};
  for (const auto& [field, name] : flags) {
    SCOPED_TRACE(name);
    const Integer before = e.*field;
    e.*field = 2;
    ExpectRefusedNaming(std::string("Channel 1 of group C: ") + name);
    e.*field = before;
  }
  // With every switch back at 0 or 1 the record packs.
  RadioImage image = Prepared();
  EXPECT_FALSE(PackImage(doc.working(), image));
}

// The fine offset counts 10 Hz steps; a 1 Hz digit would reach the radio as another frequency.
TEST_F(RefusedWriteTest, FrequencyWithAOneHertzDigit) {
  ChInfo& e = doc.working().slot(1, 4);
  e.RxFre = "28015065";
  ExpectRefusedNaming("Channel 1 of group E: receive frequency 28.015065 MHz");
  e.RxFre = "2801506";  // the missing digit is a 0: 28.015060
  e.TxFre = "29000001";
  ExpectRefusedNaming("Channel 1 of group E: transmit frequency 29.000001 MHz");
}

TEST_F(RefusedWriteTest, ChannelsThatCannotBeStored) {
  ChInfo& e = doc.working().slot(1, 2);
  e.ChNum = 61;
  ExpectRefusedNaming("Channel 61 of group C");
  e.ChNum = 0;
  ExpectRefusedNaming("Channel 0 of group C");
  e.ChNum = 1;
  e.Busy = 124;  // 248 + 8 for the echo
  ExpectRefusedNaming("Channel 1 of group C");
  e.Busy = 0;
  e.Rb = -1;  // -128 + 8
  ExpectRefusedNaming("Channel 1 of group C");
  e.Rb = 0;
  e.Scan = 2;
  ExpectRefusedNaming("Channel 1 of group C");
}

TEST_F(RadioImageTest, FrequencyTextThatIsNoNumberIsSentAsNone) {
  ChInfo& e = doc.working().slot(1, 0);
  e.RxFre = "28O15000";  // letter O
  e.TxFre = "";
  RadioImage image = Packed();
  EXPECT_EQ(Slice(image, 16, 11),
            (Bytes{0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x08}));
  EXPECT_EQ(image[7424], 0x01);
  // Numeric, but not six digits: the radio could not read it either.
  e.RxFre = "2.5";
  image = Packed();
  EXPECT_EQ(Slice(image, 16, 3), (Bytes{0xFF, 0xFF, 0xFF}));
  // Such a channel does not come back from the radio.
  ASSERT_FALSE(UnpackImage(image, doc));
  EXPECT_EQ(doc.working().ChCount[0], 0);
}

// ---- Radio information --------------------------------------------------------------------------

TEST(RadioInfoTest, AreasReadUntilFFOrNul) {
  RadioImage image = Prepared();
  Put(image, 0x1F08, {'1', '2', 0xFF, '9'});                 // area code
  Put(image, 0x1F10, {'S', 'N', ' ', '7', ' ', ' ', 0x00});  // serial number, trailing blanks
  Put(image, 0x1F38, {'A', 'B', 'C', 'D'});                  // user code, full area
  Put(image, 0x1F3C, {'X'});                                 // beyond the user code's area
  const RadioInfo info = UnpackRadioInfo(image);
  EXPECT_EQ(info.AreaCode.raw(), std::string("12\0 ", 4));
  EXPECT_EQ(info.SerialNumber.raw(), std::string("SN 7\0", 5) + std::string(11, ' '));
  EXPECT_EQ(info.UserCode.raw(), "ABCD");
  EXPECT_EQ(info.ProductionDate.raw(), std::string(1, '\0') + std::string(15, ' '));
}

TEST(RadioInfoTest, PackWritesTextThenFF) {
  RadioInfo info;
  info.AreaCode = std::string("86\0", 3);
  info.Seller = "Shop";
  info.MaintenanceDescription = std::string(96, 'm');
  RadioImage image = Prepared();
  image[0x1F0C] = 0x11;  // between two areas
  PackRadioInfo(info, image);
  EXPECT_EQ(Slice(image, 0x1F08, 5), (Bytes{'8', '6', 0xFF, 0xFF, 0x11}));
  EXPECT_EQ(Slice(image, 0x1F80, 6), (Bytes{'S', 'h', 'o', 'p', 0xFF, 0xFF}));
  EXPECT_EQ(image[0x1F8F], 0xFF);
  EXPECT_EQ(image[0x1FEF], 'm');
  EXPECT_EQ(image[0x1FF0], 0xFF);

  const RadioInfo back = UnpackRadioInfo(image);
  EXPECT_EQ(back.AreaCode, info.AreaCode);
  EXPECT_EQ(back.Seller.text(), "Shop");
  EXPECT_EQ(back.MaintenanceDescription, info.MaintenanceDescription);
}

}  // namespace
}  // namespace kr4100
