// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/config/data_file_codec.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() {
    doc.setToday([] { return CalendarDate{2026, 3, 5}; });
    doc.setWarningSink([this](MessageId id) { warnings.push_back(id); });
    doc.InitNewDocument();
  }
  const ChInfo& Ch(int c, int g = 0) const { return doc.working().slot(c, g); }
  int Count(int g = 0) const { return doc.working().ChCount[static_cast<std::size_t>(g)]; }

  Document doc;
  std::vector<MessageId> warnings;
};

TEST_F(DocumentTest, NewDocumentHasOneChannelPerGroupAndIsUnmodified) {
  const char* const expected[] = {"28015000", "28145000", "28115000",
                                  "28085000", "28055000", "28025000"};
  for (int g = 0; g < kGroupCount; ++g) {
    SCOPED_TRACE(g);
    EXPECT_EQ(Count(g), 1);
    const ChInfo& e = Ch(1, g);
    EXPECT_EQ(e.ChNum, 1);
    EXPECT_EQ(e.ChUsed, 1);
    EXPECT_EQ(e.RxFre.raw(), expected[g]);
    EXPECT_EQ(e.TxFre, e.RxFre);
    EXPECT_EQ(e.Scan, 1);
    EXPECT_EQ(e.Echo, 1);
    EXPECT_EQ(e.Busy + e.HiCut + e.Plus10K + e.NbAnl + e.Rb, 0);
  }
  const RadioConfig& r = doc.working();
  EXPECT_EQ(r.Version.raw(), "V600");
  EXPECT_EQ(r.ModelInfo.ModelCode.raw(), std::string("HT52\0 ", 6));
  EXPECT_EQ(r.ModelInfo.ModelName.raw(), std::string("HT52\0 ", 6));
  EXPECT_EQ(r.ModelInfo.ModelType, 248);
  EXPECT_EQ(r.ModelInfo.ProgDate.raw(), "20260305");
  EXPECT_EQ(r.ModelInfo.SoftVer.raw(), "V6.00");
  EXPECT_EQ(r.ModelInfo.SeriesChar, 67);
  EXPECT_EQ(r.Dtmf.IdCode.raw(), "000       ");
  EXPECT_EQ(r.Dtmf.StunCode.raw(), std::string("\0         ", 10));
  EXPECT_EQ(r.EmbMsg1.raw(), std::string(1, '\0') + std::string(31, ' '));
  EXPECT_EQ(r.TestFreCount, 6);
  EXPECT_EQ(r.TestFre[0].No, 1);
  EXPECT_EQ(r.TestFre[5].RxMark, 15);
  // Inside the band and in order, not cut from another band's defaults.
  EXPECT_EQ(r.TestFre[0].RxFre.raw(), "28000000");
  EXPECT_EQ(r.TestFre[5].TxFre.raw(), "28566670");
  EXPECT_EQ(doc.state().fileName, "new.dat");
  EXPECT_TRUE(doc.state().neverSaved);
  EXPECT_FALSE(doc.IsDocumentModified());
}

TEST_F(DocumentTest, ReceiveTextRulesCreateAndDeleteChannels) {
  doc.SetChannelValue(5, kColRxFre, "28.5");
  ASSERT_EQ(Count(), 2);
  EXPECT_EQ(Ch(2).ChNum, 5);
  EXPECT_EQ(Ch(2).TxFre.raw(), "28500000");
  EXPECT_TRUE(doc.IsDocumentModified());

  doc.SetChannelValue(1, kColRxFre, "");  // deletes channel 1, channel 5 moves down
  ASSERT_EQ(Count(), 1);
  EXPECT_EQ(Ch(1).ChNum, 5);
  EXPECT_EQ(Ch(2).ChNum, 5) << "the slot above the count keeps its stale entry";

  doc.SetChannelValue(5, kColRxFre, "");  // the group's last channel stays
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(Ch(1).RxFre.raw(), "28500000");

  doc.SetChannelValue(9, kColTxFre, "28.6");  // a transmit text creates nothing
  doc.SetChannelValue(9, kColScan, "0");
  EXPECT_EQ(Count(), 1);
  EXPECT_TRUE(warnings.empty());
}

TEST_F(DocumentTest, RefusedReceiveFrequencyKeepsTheChannel) {
  doc.SetChannelValue(2, kColRxFre, "28.1");
  doc.SetChannelValue(2, kColTxFre, "29.8");  // transmit clamps to the upper edge
  EXPECT_EQ(Ch(2).TxFre.raw(), "29700000");
  doc.SetChannelValue(2, kColBusy, "1");
  doc.SetChannelValue(2, kColScan, "0");
  const ChInfo before = Ch(2);
  const RadioConfig record = doc.working();

  // Out of the band, and no number at all: warned, and channel 2 stays with all it had.
  EXPECT_FALSE(doc.SetChannelValue(2, kColRxFre, "29.8"));
  EXPECT_FALSE(doc.SetChannelValue(2, kColRxFre, "."));
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Ch(2), before);
  // On a free number nothing is created.
  EXPECT_FALSE(doc.SetChannelValue(7, kColRxFre, "27.9"));
  EXPECT_EQ(doc.working(), record);
  EXPECT_EQ(warnings, std::vector<MessageId>(4, MessageId::OutOfRange));

  // Emptying the cell still deletes it.
  EXPECT_TRUE(doc.SetChannelValue(2, kColRxFre, ""));
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(warnings.size(), 4u);
}

// A band this radio does not have reaches 100 MHz: nothing of it may be stored, not even its
// edges, and the refusal keeps what the channel had.
TEST_F(DocumentTest, FrequenciesOf100MHzOrMoreAreNeverStored) {
  doc.SetChannelValue(1, kColTxFre, "29.1");
  doc.setModelAndBand("542", "136 - 174 MHz");
  const RadioConfig record = doc.working();
  for (const char* value : {"150", "150.000000", "99"}) {
    SCOPED_TRACE(value);
    EXPECT_FALSE(doc.SetChannelValue(1, kColRxFre, value));  // 99 is below the band
    EXPECT_FALSE(doc.SetChannelValue(1, kColTxFre, value));  // clamping gives no storable edge
    EXPECT_FALSE(doc.SetChannelValue(3, kColRxFre, value));
  }
  EXPECT_EQ(doc.working(), record);
  EXPECT_EQ(Ch(1).TxFre.raw(), "29100000");
  EXPECT_EQ(warnings, std::vector<MessageId>(9, MessageId::OutOfRange));
}

TEST_F(DocumentTest, EmptyTransmitFallsBackToReceiveAndFlagsTakeIntegers) {
  doc.SetChannelValue(1, kColTxFre, "29.1");
  EXPECT_EQ(Ch(1).TxFre.raw(), "29100000");
  doc.SetChannelValue(1, kColTxFre, "");
  EXPECT_EQ(Ch(1).TxFre.raw(), "28015000");
  doc.SetChannelValue(1, kColTxFre, "28.0150049");  // snapped to the 10 Hz grid
  EXPECT_EQ(Ch(1).TxFre.raw(), "28015000");

  const std::pair<int, Integer ChInfo::*> flags[] = {
      {kColBusy, &ChInfo::Busy},   {kColEcho, &ChInfo::Echo}, {kColHiCut, &ChInfo::HiCut},
      {kColPlus10K, &ChInfo::Plus10K}, {kColNbAnl, &ChInfo::NbAnl}, {kColRb, &ChInfo::Rb},
      {kColScan, &ChInfo::Scan}};
  for (const auto& [column, field] : flags) {
    doc.SetChannelValue(1, column, "1");
    EXPECT_EQ(Ch(1).*field, 1) << column;
    doc.SetChannelValue(1, column, " 0 ");
    EXPECT_EQ(Ch(1).*field, 0) << column;
  }
}

TEST_F(DocumentTest, EmergencyChannelsFollowCreationAndDeletion) {
  RadioConfig& r = doc.working();
  doc.SetChannelValue(7, kColRxFre, "28.2");
  r.OptFeat[kEmgCh0] = 6;      // channel 7 of group 0
  r.OptFeat[kEmgCh0 + 1] = 4;  // group 1 has no channel 5
  doc.SetChannelValue(3, kColRxFre, "28.3");  // any creation re-checks every group
  EXPECT_EQ(r.OptFeat[kEmgCh0], 6);
  EXPECT_EQ(r.OptFeat[kEmgCh0 + 1], 0);
  doc.SetChannelValue(1, kColRxFre, "");
  doc.SetChannelValue(7, kColRxFre, "");
  EXPECT_EQ(r.OptFeat[kEmgCh0], 2) << "the group's first channel (3) minus 1";
  r.ChCount[2] = 0;
  doc.SetChannelValue(8, kColRxFre, "28.8");
  EXPECT_EQ(r.OptFeat[kEmgCh0 + 2], -1);
}

TEST_F(DocumentTest, ObserversHearChannelChangesAndReplacement) {
  struct Recorder : DocumentObserver {
    std::vector<std::string> events;
    void channelChanged(int ch) override { events.push_back("ch" + std::to_string(ch)); }
    void channelSetChanged() override { events.push_back("set"); }
    void documentReplaced() override { events.push_back("new"); }
  } recorder;
  doc.addObserver(&recorder);
  doc.SetChannelValue(4, kColRxFre, "28.4");
  doc.SetChannelValue(4, kColBusy, "1");
  doc.InitNewDocument();
  doc.removeObserver(&recorder);
  doc.SetChannelValue(4, kColRxFre, "28.4");
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"set", "ch4", "ch4", "new"}));
}

// Undo puts an earlier working copy back: its band comes with it, the saved copy and the name
// stay, so the document is unmodified exactly when the record is the saved one again.
TEST_F(DocumentTest, RestoredWorkingCopyBringsItsBandAndKeepsTheSavedCopy) {
  struct Recorder : DocumentObserver {
    int replaced = 0;
    void documentReplaced() override { ++replaced; }
  } recorder;
  const RadioConfig start = doc.working();
  const std::string band = doc.state().bandText;
  doc.state().fileName = "/data/a.dat";
  doc.SetChannelValue(4, kColRxFre, "28.4");
  doc.setModelAndBand(doc.state().modelText, kBand1Text);
  doc.addObserver(&recorder);

  doc.RestoreWorking(start, doc.state().modelText, band);
  EXPECT_EQ(recorder.replaced, 1);
  EXPECT_EQ(doc.state().bandText, band);
  EXPECT_EQ(doc.state().edges.lower, SetBandEdges(band).lower);
  EXPECT_EQ(doc.FindChannelSlot(4, 0), 0);
  EXPECT_FALSE(doc.IsDocumentModified());
  EXPECT_EQ(doc.state().fileName, "/data/a.dat");
  doc.removeObserver(&recorder);
}

TEST_F(DocumentTest, ChannelOrderDoesNotMakeADocumentModified) {
  doc.SetChannelValue(2, kColRxFre, "28.2");
  doc.SetChannelValue(3, kColRxFre, "28.3");
  doc.CommitWorkingCopy();
  RadioConfig& r = doc.working();
  std::swap(r.slot(2, 0), r.slot(3, 0));
  EXPECT_FALSE(doc.IsDocumentModified());
  r.slot(3, 0).Busy = 1;
  EXPECT_TRUE(doc.IsDocumentModified());
  r.slot(3, 0).Busy = 0;
  r.slot(2, 0).RxSubCode = 77;  // reported by the radio, not edited
  r.CurGroup = 4;
  EXPECT_FALSE(doc.IsDocumentModified());
  r.slot(40, 0).Busy = 1;  // stale slot above the count
  EXPECT_FALSE(doc.IsDocumentModified());
}

// Every stored field counts (record_fields_test walks them all); test frequencies belong to their
// grid rows, so only moving them between positions changes nothing.
TEST_F(DocumentTest, TestFrequenciesCountByRowNotPosition) {
  std::swap(doc.working().TestFre[0], doc.working().TestFre[4]);
  EXPECT_FALSE(doc.IsDocumentModified());
  // A row copied over another: every row still has its twin in the saved copy, one way.
  doc.working().TestFre[1] = doc.working().TestFre[0];
  EXPECT_TRUE(doc.IsDocumentModified());
}

TEST_F(DocumentTest, TemplateIsReadOverTheDefaults) {
  testing::TempDir dir;
  RadioConfig tpl = doc.working();
  tpl.OptFeat[kTot] = 9;
  tpl.ModelInfo.BandType = 1;
  tpl.ModelInfo.ProgDate = "20200202";
  const DataFileBytes bytes = EncodeDataFile(tpl);
  testing::WriteBytes(dir / "1_KR-4100_New.dat", {bytes.begin(), bytes.end()});
  tpl.OptFeat[kTot] = 11;
  const DataFileBytes other = EncodeDataFile(tpl);
  testing::WriteBytes(dir / "1_KR-4100.dat", {other.begin(), other.end()});

  doc.setTemplateDir(dir.path());
  doc.setModelAndBand("HT52", "25.615000 - 30.105000 MHz");
  doc.InitNewDocument();
  EXPECT_EQ(doc.working().OptFeat[kTot], 9);
  EXPECT_EQ(doc.working().ModelInfo.ProgDate.raw(), "20200202");
  EXPECT_EQ(doc.state().bandText, "25.615000 - 30.105000 MHz");
  EXPECT_DOUBLE_EQ(doc.state().edges.lower, 25.615);
  EXPECT_FALSE(doc.IsDocumentModified());

  doc.state().fileName = "/some/where.dat";
  doc.state().neverSaved = false;
  doc.ResetToNewDocument(TemplateKind::InitialSetting);
  EXPECT_EQ(doc.working().OptFeat[kTot], 11);
  EXPECT_EQ(doc.state().fileName, "/some/where.dat");
  EXPECT_FALSE(doc.state().neverSaved);

  // Band 0 has no template here: the defaults stay and nothing is created.
  doc.setModelAndBand("HT52", "28.000000 - 29.700000 MHz");
  doc.InitNewDocument();
  EXPECT_EQ(doc.working().OptFeat[kTot], 2);
  EXPECT_FALSE(std::filesystem::exists(dir / "0_KR-4100_New.dat"));
  EXPECT_FALSE(doc.IsDocumentModified());
}

// The template of a band code is read for any band text of that code; the document keeps the
// model and band the user chose, not the template's.
TEST_F(DocumentTest, NewDocumentKeepsTheChosenModelAndBand) {
  testing::TempDir dir;
  RadioConfig tpl = doc.working();  // an HT52 of band 0
  tpl.OptFeat[kTot] = 9;
  const DataFileBytes bytes = EncodeDataFile(tpl);
  testing::WriteBytes(dir / "0_KR-4100_New.dat", {bytes.begin(), bytes.end()});
  testing::WriteBytes(dir / "0_KR-4100.dat", {bytes.begin(), bytes.end()});
  doc.setTemplateDir(dir.path());

  for (TemplateKind kind : {TemplateKind::NewDocument, TemplateKind::InitialSetting}) {
    doc.setModelAndBand("HT63", "26.51500 - 27.85500 MHz");
    doc.ResetToNewDocument(kind);
    EXPECT_EQ(doc.working().OptFeat[kTot], 9);
    EXPECT_EQ(doc.state().modelText, "HT63");
    EXPECT_EQ(doc.state().bandText, "26.51500 - 27.85500 MHz");
    EXPECT_EQ(doc.state().edges, (BandEdges{26.515, 27.855}));
    const ModelInfo& m = doc.saved().ModelInfo;
    EXPECT_EQ(m.ModelCode.raw(), std::string("HT63\0 ", 6));
    EXPECT_EQ(m.ModelName.raw(), std::string("HT63\0 ", 6));
    EXPECT_EQ(m.ModelType, 248);
    EXPECT_EQ(m.BandType, 0);
    EXPECT_FALSE(doc.IsDocumentModified());
  }
}

// The file and the same bytes in memory read alike: a template longer than a data file counts by
// its first 14531 bytes, a shorter one leaves the working record and commits it.
TEST_F(DocumentTest, TemplateReadsAlikeFromFileAndFromMemory) {
  testing::TempDir dir;
  RadioConfig tpl = doc.working();
  tpl.OptFeat[kTot] = 9;
  const DataFileBytes encoded = EncodeDataFile(tpl);
  std::vector<std::uint8_t> longer(encoded.begin(), encoded.end());
  longer.push_back(0x41);
  const std::vector<std::uint8_t> shorter(encoded.begin(), encoded.end() - 1);
  doc.working().OptFeat[kTot] = 5;

  for (const bool isLonger : {true, false}) {
    SCOPED_TRACE(isLonger ? "longer" : "shorter");
    const std::vector<std::uint8_t>& content = isLonger ? longer : shorter;
    testing::WriteBytes(dir / "template.dat", content);
    Document fromFile = doc;
    Document fromMemory = doc;
    EXPECT_EQ(fromFile.ReadTemplate(dir / "template.dat"), isLonger);
    EXPECT_EQ(fromMemory.ReadTemplateBytes(content), isLonger);
    EXPECT_EQ(fromMemory.working().OptFeat[kTot], isLonger ? 9 : 5);
    EXPECT_TRUE(fromFile.working() == fromMemory.working());
    EXPECT_TRUE(fromFile.saved() == fromMemory.saved());
    EXPECT_FALSE(fromMemory.IsDocumentModified());
  }
}

TEST_F(DocumentTest, CommitRewritesModelInfoFromTheDocumentState) {
  doc.setModelAndBand(" 542 ", "25.615000 - 30.105000 MHz");
  doc.CommitWorkingCopy();
  const ModelInfo& m = doc.saved().ModelInfo;
  EXPECT_EQ(m.ModelCode.raw(), std::string(" 542 \0", 6));
  EXPECT_EQ(m.ModelName.raw(), std::string("542\0  ", 6));
  EXPECT_EQ(m.ModelType, 249);
  EXPECT_EQ(m.BandType, 1);

  doc.working().ModelInfo.BandType = 7;  // any code but 1 is the first band
  doc.working().ModelInfo.ModelCode = std::string("7731\0", 5);
  doc.SyncDocState();
  EXPECT_EQ(doc.state().modelText, "7731");
  EXPECT_EQ(doc.state().bandText, "28.000000 - 29.700000 MHz");
}

}  // namespace
}  // namespace kr4100
