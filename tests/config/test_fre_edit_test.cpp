// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/test_fre_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr4100 {
namespace {

class TestFreEditTest : public ::testing::Test {
 protected:
  TestFreEditTest() {
    doc.setWarningSink([this](MessageId id) { warnings.push_back(id); });
    doc.InitNewDocument();
  }
  RadioConfig& r() { return doc.working(); }
  const TestFreEntry& Entry(int i) { return r().TestFre[static_cast<std::size_t>(i - 1)]; }
  std::vector<int> Rows() {
    std::vector<int> rows;
    for (int i = 1; i <= r().TestFreCount; ++i) rows.push_back(Entry(i).No);
    return rows;
  }
  TestFreStore Commit(int row, int col, std::string_view text) {
    return CommitTestFreCell(doc, row, col, text);
  }
  void ClearAll() {
    for (int row = 1; row <= kTestFreRows; ++row) Commit(row, kTestFreColRx, "");
    ASSERT_EQ(r().TestFreCount, 0);
  }

  Document doc;
  std::vector<MessageId> warnings;
};

TEST_F(TestFreEditTest, NewDocumentsHoldSixUsableDefaultsInEitherBand) {
  const char* const stored[6] = {"28000000", "28113330", "28226670",
                                 "28340000", "28453330", "28566670"};
  for (const char* band : {kBand0Text, kBand1Text}) {
    SCOPED_TRACE(band);
    doc.setModelAndBand(doc.state().modelText, band);
    doc.InitNewDocument();
    ASSERT_EQ(r().TestFreCount, 6);
    for (int i = 1; i <= 6; ++i) {
      EXPECT_EQ(Entry(i).No, i);
      EXPECT_EQ(Entry(i).RxFre.raw(), stored[i - 1]);
      EXPECT_EQ(Entry(i).TxFre.raw(), stored[i - 1]);
      EXPECT_EQ(Entry(i).RxMark, 15);
      EXPECT_EQ(Entry(i).TxMark, 15);
    }
    EXPECT_EQ(ShownTestFreRow(doc, 2).rx, "28.113330");
    EXPECT_EQ(ShownTestFreRow(doc, 6).tx, "28.566670");
    EXPECT_TRUE(ShownTestFreRow(doc, 7).rx.empty());
    // The marks a new document is given are the ones the window derives.
    const RadioConfig before = r();
    DeriveTestFreMarks(r(), doc.state().bandText, doc.state().edges);
    EXPECT_EQ(r(), before);
  }
  EXPECT_TRUE(warnings.empty());
}

TEST_F(TestFreEditTest, OneFrequencyServesBothAndNewEntriesAreAppended) {
  EXPECT_EQ(Commit(9, kTestFreColRx, "28.5"), TestFreStore::Stored);
  ASSERT_EQ(r().TestFreCount, 7);
  EXPECT_EQ(Entry(7).No, 9);
  EXPECT_EQ(Entry(7).RxFre.raw(), "28500000");
  EXPECT_EQ(Entry(7).TxFre.raw(), "28500000");
  EXPECT_EQ(Entry(7).RxMark, 2);
  EXPECT_EQ(Entry(7).TxMark, 2);
  EXPECT_TRUE(doc.IsDocumentModified());

  // A transmit frequency alone starts a row too, and the receive side takes it.
  EXPECT_EQ(Commit(12, kTestFreColTx, "29.1"), TestFreStore::Stored);
  EXPECT_EQ(Entry(8).RxFre.raw(), "29100000");

  // Rows do not follow entry order: after clearing, row 16 becomes entry 1.
  ClearAll();
  Commit(16, kTestFreColRx, "29.0");
  Commit(3, kTestFreColRx, "28.3");
  EXPECT_EQ(Rows(), (std::vector<int>{16, 3}));
  EXPECT_EQ(ShownTestFreRow(doc, 16).tx, "29.000000");
  EXPECT_EQ(ShownTestFreRow(doc, 3).rx, "28.300000");
  EXPECT_TRUE(warnings.empty());
}

TEST_F(TestFreEditTest, EmptyingEitherCellDeletesTheEntry) {
  EXPECT_EQ(Commit(3, kTestFreColTx, ""), TestFreStore::Deleted);
  EXPECT_EQ(Rows(), (std::vector<int>{1, 2, 4, 5, 6}));
  const TestFreRowTexts row3 = ShownTestFreRow(doc, 3);
  EXPECT_TRUE(row3.rx.empty() && row3.tx.empty());
  EXPECT_EQ(Entry(3).RxFre.raw(), "28340000") << "later entries move up with their frequencies";
  EXPECT_EQ(r().TestFre[5], TestFreEntry{}) << "the freed slot keeps nothing";

  EXPECT_EQ(Commit(1, kTestFreColRx, ""), TestFreStore::Deleted);
  EXPECT_EQ(Rows(), (std::vector<int>{2, 4, 5, 6}));
  // An empty row stays empty without a change.
  EXPECT_EQ(Commit(3, kTestFreColRx, ""), TestFreStore::Unchanged);
  EXPECT_EQ(r().TestFreCount, 4);
}

TEST_F(TestFreEditTest, MarksFollowTheRowsDefaultsAfterEveryChange) {
  // Row 2's default is 28.113330; changing its TX leaves RX marked as the default.
  EXPECT_EQ(Commit(2, kTestFreColTx, "28.2"), TestFreStore::Stored);
  EXPECT_EQ(Entry(2).RxFre.raw(), "28113330");
  EXPECT_EQ(Entry(2).TxFre.raw(), "28200000");
  EXPECT_EQ(Entry(2).RxMark, 15);
  EXPECT_EQ(Entry(2).TxMark, 2);
  // Typed back (snapped to the same 10 Hz), the default is recognised again.
  Commit(2, kTestFreColTx, "28.113334");
  EXPECT_EQ(Entry(2).TxMark, 15);

  // A row's default typed into a new row is the default; another row's default is not.
  Commit(10, kTestFreColRx, "29.02");
  Commit(11, kTestFreColRx, "29.02");
  EXPECT_EQ(Entry(7).RxMark, 15);
  EXPECT_EQ(Entry(8).RxMark, 2);

  // A commit re-derives every entry, not only the edited one: a deletion that moves row 5's
  // entry up fixes its stale mark too.
  r().TestFre[4].RxMark = 0;
  Commit(1, kTestFreColRx, "");
  EXPECT_EQ(Entry(4).No, 5);
  EXPECT_EQ(Entry(4).RxMark, 15);
}

TEST_F(TestFreEditTest, OutOfRangeAndUnchangedValuesLeaveTheRecordAlone) {
  const RadioConfig before = r();
  // Receive out of range: the warning, and the row keeps both frequencies.
  EXPECT_EQ(Commit(1, kTestFreColRx, "29.8"), TestFreStore::Refused);
  EXPECT_EQ(Commit(12, kTestFreColRx, "5"), TestFreStore::Refused);
  EXPECT_EQ(warnings, (std::vector<MessageId>{MessageId::OutOfRange, MessageId::OutOfRange}));
  EXPECT_EQ(r(), before);

  // What the row already holds, typed again: no change.
  doc.CommitWorkingCopy();
  EXPECT_EQ(Commit(1, kTestFreColRx, "28"), TestFreStore::Unchanged);
  EXPECT_EQ(Commit(1, kTestFreColTx, "28.000000"), TestFreStore::Unchanged);
  EXPECT_FALSE(doc.IsDocumentModified());

  // Transmit out of range is pulled to the nearer edge; 10 Hz snapping from the lower edge.
  warnings.clear();
  EXPECT_EQ(Commit(1, kTestFreColTx, "31"), TestFreStore::Stored);
  EXPECT_EQ(warnings, std::vector<MessageId>{MessageId::OutOfRange});
  EXPECT_EQ(Entry(1).TxFre.raw(), "29700000");
  EXPECT_EQ(Entry(1).RxFre.raw(), "28000000");
  Commit(1, kTestFreColRx, "28.1234567");
  EXPECT_EQ(Entry(1).RxFre.raw(), "28123450");
  // Neither a row nor a column outside the grid's data cells changes anything.
  EXPECT_EQ(Commit(17, kTestFreColRx, "28.5"), TestFreStore::Unchanged);
  EXPECT_EQ(Commit(7, 0, "28.5"), TestFreStore::Unchanged);
  EXPECT_EQ(r().TestFreCount, 6);
}

TEST_F(TestFreEditTest, EveryCommitDerivesTheMarksAgainAChangeOrNot) {
  const RadioConfig derived = r();
  // Marks as a foreign file may bring them, not fitting its frequencies.
  const auto spoilMarks = [this] {
    r().TestFre[0].RxMark = 7;
    r().TestFre[5].TxMark = 0;
  };
  spoilMarks();
  doc.CommitWorkingCopy();
  // The row's own frequency typed again: the row is unchanged, the marks are put right, and the
  // document has that change to save.
  EXPECT_EQ(Commit(1, kTestFreColRx, "28"), TestFreStore::Unchanged);
  EXPECT_EQ(r(), derived);
  EXPECT_TRUE(doc.IsDocumentModified());
  // A refused frequency and an empty row left empty commit too.
  spoilMarks();
  EXPECT_EQ(Commit(2, kTestFreColRx, "29.8"), TestFreStore::Refused);
  EXPECT_EQ(r(), derived);
  spoilMarks();
  EXPECT_EQ(Commit(9, kTestFreColTx, ""), TestFreStore::Unchanged);
  EXPECT_EQ(r(), derived);
  // Outside the grid's data cells nothing is committed.
  spoilMarks();
  Commit(17, kTestFreColRx, "28.5");
  Commit(3, 0, "28.5");
  EXPECT_EQ(Entry(1).RxMark, 7);
}

TEST_F(TestFreEditTest, NeverMoreThanSixteenEntries) {
  for (int row = 1; row <= kTestFreRows; ++row) Commit(row, kTestFreColRx, "28.9");
  EXPECT_EQ(r().TestFreCount, 16);
  EXPECT_EQ(Entry(16).No, 16);
  // A foreign file may use all sixteen entries without covering every row: a free row then
  // gets nothing, and entries for no row are neither shown nor marked as defaults.
  r().TestFre[3].No = 0;
  r().TestFre[3].RxFre = std::string_view("28000000");  // test 1's default
  EXPECT_EQ(Commit(4, kTestFreColRx, "28.4"), TestFreStore::Refused);
  EXPECT_EQ(r().TestFreCount, 16);
  EXPECT_TRUE(ShownTestFreRow(doc, 4).rx.empty());
  Commit(5, kTestFreColRx, "28.45333");
  EXPECT_EQ(r().TestFre[3].RxMark, 2);
  EXPECT_EQ(Entry(5).RxMark, 15);
}

}  // namespace
}  // namespace kr4100
