// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/channel_csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/config/data_file_codec.h"
#include "core/config/document.h"

namespace kr4100 {
namespace {

constexpr const char* kHeader =
    "Group,CH No.,RX Frequency,TX Frequency,BUSY,ECHO,HI-CUT,Plus 10KHz,NB/ANL,RB,Scan\r\n";
constexpr const char* kDefaultTail = "Disable,Enable,Disable,Disable,Disable,Disable,Add";

void FreshDocument(Document& doc) {
  doc.setToday([] { return CalendarDate{2026, 3, 5}; });
  doc.InitNewDocument();
}

class ChannelCsvTest : public ::testing::Test {
 protected:
  ChannelCsvTest() {
    FreshDocument(doc);
    // Group A: channel 1 (default), then 12 and 5, created in that order.
    doc.SetChannelValue(12, kColRxFre, "29.5");
    doc.SetChannelValue(12, kColTxFre, "29.650000");
    doc.SetChannelValue(12, kColBusy, "1");
    doc.SetChannelValue(12, kColScan, "0");
    doc.SetChannelValue(5, kColRxFre, "28.3");
    doc.SetChannelValue(5, kColRb, "1");
    doc.SetChannelValue(5, kColEcho, "0");
    // Group F emptied, as a radio may hold it.
    doc.working().ChCount[5] = 0;
    doc.working().Ch[5][0] = ChInfo{};
  }
  const BandEdges& band() const { return doc.state().edges; }

  Document doc;
};

TEST_F(ChannelCsvTest, ExportWritesHeaderAndUsedChannelsInStoredOrder) {
  const std::string expected =
      std::string(kHeader) + "A,1,28.015000,28.015000," + kDefaultTail +
      "\r\n"
      "A,12,29.500000,29.650000,Enable,Enable,Disable,Disable,Disable,Disable,Del\r\n"
      "A,5,28.300000,28.300000,Disable,Disable,Disable,Disable,Disable,Enable,Add\r\n"
      "B,1,28.145000,28.145000," +
      kDefaultTail +
      "\r\n"
      "C,1,28.115000,28.115000," +
      kDefaultTail +
      "\r\n"
      "D,1,28.085000,28.085000," +
      kDefaultTail +
      "\r\n"
      "E,1,28.055000,28.055000," +
      kDefaultTail + "\r\n";
  EXPECT_EQ(ExportChannelsCsv(doc.working(), band()), expected);
}

TEST_F(ChannelCsvTest, ImportOfAnExportIntoAFreshDocumentGivesTheSameBytes) {
  const std::string text = ExportChannelsCsv(doc.working(), band());
  Document other;
  FreshDocument(other);
  const ChannelTablesResult result = ImportChannelsCsv(text, other.state().edges);
  ASSERT_TRUE(result.ok());
  other.ReplaceChannelTables(result.tables);

  EXPECT_EQ(ChannelTablesOf(other.working()), ChannelTablesOf(doc.working()));
  // Emergency channels follow the tables (group F has none any more) as they do in doc.
  doc.ReplaceChannelTables(ChannelTablesOf(doc.working()));
  EXPECT_EQ(other.working().OptFeat[kEmgCh0 + 5], -1);
  EXPECT_EQ(EncodeDataFile(other.working()), EncodeDataFile(doc.working()));
  EXPECT_EQ(ExportChannelsCsv(other.working(), other.state().edges), text);
}

TEST_F(ChannelCsvTest, ImportTakesWhatSpreadsheetsWrite) {
  // A byte-order mark, LF, no header, quoted fields, a frequency re-saved without its zeros,
  // Chinese and upper-case words, padding columns, blank lines; groups not named come back empty.
  const std::string text =
      "\xEF\xBB\xBF"
      "b,7,\"28.2\",,使用,不使用,ENABLE,disable,使用,不使用,删除,,\n"
      "\n"
      ",,,,,,,,,,\n"
      "\"A\",\"3\",29.0,29.100000,Disable,Enable,Disable,Disable,Disable,Disable,添加\n";
  const ChannelTablesResult result = ImportChannelsCsv(text, band());
  ASSERT_TRUE(result.ok()) << DescribeCsvProblems(result.problems, band(), kEnglish, 20);
  const ChannelTables& t = result.tables;
  EXPECT_EQ(t.ChCount, (std::array<Integer, kGroupCount>{1, 1, 0, 0, 0, 0}));
  const ChInfo& b = t.Ch[1][0];
  EXPECT_EQ(b.ChNum, 7);
  EXPECT_EQ(b.ChUsed, 1);
  EXPECT_EQ(b.RxFre.raw(), "28200000");
  EXPECT_EQ(b.TxFre.raw(), "28200000");  // empty TX: same as RX
  EXPECT_EQ(b.Busy, 1);
  EXPECT_EQ(b.Echo, 0);
  EXPECT_EQ(b.HiCut, 1);
  EXPECT_EQ(b.Plus10K, 0);
  EXPECT_EQ(b.NbAnl, 1);
  EXPECT_EQ(b.Rb, 0);
  EXPECT_EQ(b.Scan, 0);
  const ChInfo& a = t.Ch[0][0];
  EXPECT_EQ(a.ChNum, 3);
  EXPECT_EQ(a.RxFre.raw(), "29000000");
  EXPECT_EQ(a.TxFre.raw(), "29100000");
  EXPECT_EQ(a.Scan, 1);
}

TEST_F(ChannelCsvTest, ImportListsEveryBadRowWithItsLineAndBuildsNothing) {
  const std::string ok = "," + std::string(kDefaultTail);
  const std::string text = std::string(kHeader) + "A,1,28.015000,28.015000" + ok +
                           "\r\n"                       // 2 good
                           "A,2,28.1,28.1,Disable\r\n"  // 3 columns
                           "G,3,28.1,28.1" +
                           ok +
                           "\r\n"  // 4 group
                           "A,61,28.1,28.1" +
                           ok +
                           "\r\n"  // 5 number
                           "A,4,,28.1" +
                           ok +
                           "\r\n"  // 6 no RX
                           "A,5,28.1x,28.1" +
                           ok +
                           "\r\n"  // 7 not a number
                           "A,6,28.1,29.8" +
                           ok +
                           "\r\n"  // 8 TX above the band
                           "A,7,28.1,28.1,Disable,On,Disable,Disable,Disable,Disable,Add\r\n"  // 9
                           "\"A\",\"8\r\nx\",28.1,28.1" +
                           ok +
                           "\r\n"  // 10-11, spans lines
                           "A,1,28.2,28.2" +
                           ok +
                           "\r\n"  // 12 duplicate of 2
                           "A,9,\"28.1" +
                           ok + "\r\n";  // 13 never closed
  const ChannelTablesResult result = ImportChannelsCsv(text, band());
  const std::vector<CsvProblem> expected = {
      {.line = 3, .kind = CsvProblemKind::ColumnCount, .count = 5, .expected = 11},
      {.line = 4, .kind = CsvProblemKind::GroupLetter, .value = "G"},
      {.line = 5, .kind = CsvProblemKind::ChannelNumber, .value = "61"},
      {.line = 6, .kind = CsvProblemKind::RxMissing, .column = kColRxFre},
      {.line = 7, .kind = CsvProblemKind::NotNumber, .column = kColRxFre, .value = "28.1x"},
      {.line = 8, .kind = CsvProblemKind::OutOfBand, .column = kColTxFre, .value = "29.8"},
      {.line = 9, .kind = CsvProblemKind::AttributeWord, .column = kColEcho, .value = "On"},
      {.line = 10, .kind = CsvProblemKind::ChannelNumber, .value = "8\r\nx"},
      {.line = 12, .kind = CsvProblemKind::Duplicate, .group = 0, .chNum = 1, .otherLine = 2},
      {.line = 13, .kind = CsvProblemKind::UnclosedQuote},
  };
  EXPECT_EQ(result.problems, expected);
  EXPECT_FALSE(result.ok());
}

TEST_F(ChannelCsvTest, BandEdgesAreTheDocumentsAndNeverPulled) {
  const std::string row = "A,1,29.800000,25.700000," + std::string(kDefaultTail) + "\r\n";
  const auto narrow = ImportChannelsCsv(row, SetBandEdges(kBand0Text));
  ASSERT_EQ(narrow.problems.size(), 2u);
  EXPECT_EQ(narrow.problems[0].kind, CsvProblemKind::OutOfBand);
  EXPECT_EQ(narrow.problems[1].column, kColTxFre);

  const auto wide = ImportChannelsCsv(row, SetBandEdges(kBand1Text));
  ASSERT_TRUE(wide.ok());
  EXPECT_EQ(wide.tables.Ch[0][0].RxFre.raw(), "29800000");
  EXPECT_EQ(wide.tables.Ch[0][0].TxFre.raw(), "25700000");
}

TEST_F(ChannelCsvTest, AFileWithoutChannelsIsRefused) {
  for (const std::string& text : {std::string(), std::string(kHeader), std::string("\r\n\r\n")}) {
    const auto result = ImportChannelsCsv(text, band());
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].kind, CsvProblemKind::NoChannels);
  }
}

TEST_F(ChannelCsvTest, ProblemsReadInBothLanguagesAndLongListsAreCut) {
  const CsvProblem band0{
      .line = 8, .kind = CsvProblemKind::OutOfBand, .column = kColTxFre, .value = "29.8"};
  EXPECT_EQ(DescribeCsvProblem(band0, band(), kEnglish),
            "Line 8: TX frequency \"29.8\" is outside the band 28.000000 - 29.700000 MHz");
  EXPECT_EQ(DescribeCsvProblem(band0, band(), kChinese),
            "第 8 行：发射频率“29.8”超出频段 28.000000 - 29.700000 MHz");
  const CsvProblem word{
      .line = 2, .kind = CsvProblemKind::AttributeWord, .column = kColScan, .value = "x"};
  EXPECT_EQ(DescribeCsvProblem(word, band(), kEnglish), "Line 2: Scan \"x\" is not Del or Add");
  EXPECT_EQ(DescribeCsvProblem(word, band(), kChinese), "第 2 行：扫描“x”不是“删除”或“添加”");

  const std::vector<CsvProblem> many(23, CsvProblem{.line = 4, .kind = CsvProblemKind::RxMissing});
  const std::string en = DescribeCsvProblems(many, band(), kEnglish, 20);
  EXPECT_EQ(std::count(en.begin(), en.end(), '\n'), 20);
  EXPECT_TRUE(en.ends_with("Line 4: the RX frequency is missing\r\nand 3 more"));
  EXPECT_TRUE(DescribeCsvProblems(many, band(), kChinese, 20).ends_with("\r\n另有 3 处"));
}

// ---- the grid's clipboard -------------------------------------------------------------------

TEST_F(ChannelCsvTest, CopyWritesTheGridsColumnsAndKeepsGaps) {
  EXPECT_EQ(CopyChannelRows(doc.working(), 0, {4, 5}, band(), kChinese),
            "4\t\t\t\t\t\t\t\t\t\r\n"
            "5\t28.300000\t28.300000\t不使用\t不使用\t不使用\t不使用\t不使用\t使用\t添加\r\n");
}

TEST_F(ChannelCsvTest, PasteLandsOnConsecutiveChannelsFromTheCursor) {
  doc.working().Ch[0][1].RxSubCode = 7;  // channel 12 keeps what the radio reported
  const RadioConfig before = doc.working();
  // Rows copied from channels 30-32 (32 unused), then a row without its number column.
  const std::string text =
      "30\t29.000000\t29.000000\t使用\t使用\t使用\t使用\t使用\t使用\t添加\r\n"
      "31\t\t\t\t\t\t\t\t\t\r\n"
      "28.5\t\tDisable\tDisable\tDisable\tDisable\tDisable\tDisable\tDel\r\n";
  const ChannelTablesResult result = PasteChannelRows(doc.working(), 0, 11, text, band());
  ASSERT_TRUE(result.ok()) << DescribeCsvProblems(result.problems, band(), kEnglish, 20);
  const ChannelTables& t = result.tables;
  ASSERT_EQ(t.ChCount[0], 5);
  // The three channels there before keep their slots; channel 12 took the blank row: untouched.
  for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ(t.Ch[0][k], before.Ch[0][k]);
  const ChInfo& eleven = t.Ch[0][3];  // new ones go to the end of the group
  EXPECT_EQ(eleven.ChNum, 11);
  EXPECT_EQ(eleven.RxFre.raw(), "29000000");
  EXPECT_EQ(eleven.Busy + eleven.Echo + eleven.HiCut + eleven.Plus10K + eleven.NbAnl + eleven.Rb,
            6);
  const ChInfo& thirteen = t.Ch[0][4];  // from the row without its number column
  EXPECT_EQ(thirteen.ChNum, 13);
  EXPECT_EQ(thirteen.TxFre.raw(), "28500000");
  EXPECT_EQ(thirteen.Scan, 0);
  EXPECT_EQ(t.Ch[1], before.Ch[1]);
  EXPECT_EQ(t.ChCount[1], before.ChCount[1]);

  const auto second = PasteChannelRows(
      doc.working(), 0, 12, "28.4\t\tDisable\tDisable\tDisable\tDisable\tDisable\tDisable\tDel\n",
      band());
  ASSERT_TRUE(second.ok());
  EXPECT_EQ(second.tables.ChCount[0], 3);
  const ChInfo& twelve = second.tables.Ch[0][1];
  EXPECT_EQ(twelve.ChNum, 12);
  EXPECT_EQ(twelve.RxFre.raw(), "28400000");
  EXPECT_EQ(twelve.Scan, 0);
  EXPECT_EQ(twelve.RxSubCode, 7);
}

TEST_F(ChannelCsvTest, PasteHasTheImportsChecksAndStopsAtChannel60) {
  const std::string good =
      "\t28.1\t28.1\tDisable\tEnable\tDisable\tDisable\tDisable\tDisable\tAdd\n";
  const std::string text = "1" + good + "x" + good + "3\t29.9\t28.1\tDisable\n" + "4" + good;
  const auto result = PasteChannelRows(doc.working(), 0, 58, text, band());
  const std::vector<CsvProblem> expected = {
      {.line = 2, .kind = CsvProblemKind::ChannelNumber, .value = "x"},
      {.line = 3, .kind = CsvProblemKind::ColumnCount, .count = 4, .expected = 10},
      {.line = 4, .kind = CsvProblemKind::PastLastChannel, .chNum = 61},
  };
  EXPECT_EQ(result.problems, expected);
  EXPECT_EQ(PasteChannelRows(doc.working(), 0, 1, "\r\n", band()).problems.at(0).kind,
            CsvProblemKind::NoChannels);
}

// ---- the document takes the tables in one go --------------------------------------------------

struct Recorder : DocumentObserver {
  int replaced = 0;
  void documentReplaced() override { ++replaced; }
};

TEST_F(ChannelCsvTest, ReplacingTheTablesRechecksEmergencyChannelsAndTellsTheWindows) {
  Recorder recorder;
  doc.addObserver(&recorder);
  doc.working().OptFeat[kEmgCh0] = 11;  // channel 12 of group A
  doc.working().OptFeat[kEmgCh0 + 1] = 0;
  const auto result = ImportChannelsCsv(
      "A,12,28.1,,Disable,Enable,Disable,Disable,Disable,Disable,Add\r\n"
      "B,4,28.1,,Disable,Enable,Disable,Disable,Disable,Disable,Add\r\n",
      band());
  ASSERT_TRUE(result.ok());
  doc.ReplaceChannelTables(result.tables);
  EXPECT_EQ(recorder.replaced, 1);
  EXPECT_EQ(doc.working().OptFeat[kEmgCh0], 11);      // still there
  EXPECT_EQ(doc.working().OptFeat[kEmgCh0 + 1], 3);   // moved to B's first channel
  EXPECT_EQ(doc.working().OptFeat[kEmgCh0 + 2], -1);  // C is empty
  EXPECT_TRUE(doc.IsDocumentModified());
  doc.removeObserver(&recorder);
}

}  // namespace
}  // namespace kr4100
