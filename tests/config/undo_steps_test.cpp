// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/undo_steps.h"

#include <gtest/gtest.h>

#include <string>

#include "core/config/model_band.h"

namespace kr4100 {
namespace {

class UndoStepsTest : public ::testing::Test {
 protected:
  UndoStepsTest() {
    doc.setToday([] { return CalendarDate{2026, 3, 5}; });
    doc.InitNewDocument();
  }
  std::string Rx(int chNum, int group = 0) const {
    const ChInfo* entry = doc.working().findChannel(group, chNum);
    return entry ? std::string(entry->RxFre.raw()) : std::string("none");
  }
  void Type(int chNum, const char* mhz) { ASSERT_TRUE(doc.SetChannelValue(chNum, kColRxFre, mhz)); }

  Document doc;
};

TEST_F(UndoStepsTest, EachCheckpointIsOneStepUndoneAndRedoneInOrder) {
  UndoSteps steps(doc);
  EXPECT_FALSE(steps.canUndo());
  Type(1, "28.1");
  steps.checkpoint("first");
  Type(2, "28.2");
  Type(3, "28.3");
  steps.checkpoint("second");  // two edits, one step

  EXPECT_EQ(steps.undoText(), "second");
  steps.undo();
  EXPECT_EQ(Rx(1), "28100000");
  EXPECT_EQ(Rx(2), "none");
  EXPECT_EQ(Rx(3), "none");
  EXPECT_EQ(steps.redoText(), "second");
  steps.undo();
  EXPECT_EQ(Rx(1), "28015000");
  EXPECT_FALSE(steps.canUndo());
  steps.undo();  // nothing left: harmless
  EXPECT_EQ(Rx(1), "28015000");

  steps.redo();
  steps.redo();
  EXPECT_EQ(Rx(3), "28300000");
  EXPECT_FALSE(steps.canRedo());
}

TEST_F(UndoStepsTest, AnEditNotYetCheckpointedIsTakenBackFirstAndDropsTheRedo) {
  UndoSteps steps(doc);
  Type(1, "28.1");
  steps.checkpoint();
  steps.undo();
  ASSERT_TRUE(steps.canRedo());
  Type(1, "28.5");  // a new edit after an undo: the old redo goes
  steps.undo();     // takes back the edit that had no step yet
  EXPECT_EQ(Rx(1), "28015000");
  EXPECT_FALSE(steps.canUndo());
  steps.redo();
  EXPECT_EQ(Rx(1), "28500000");
  EXPECT_FALSE(steps.canRedo());
}

TEST_F(UndoStepsTest, AGroupChangeAloneIsNoStepButUndoReturnsToIt) {
  UndoSteps steps(doc);
  doc.SelectGroup(2);
  steps.checkpoint();
  EXPECT_FALSE(steps.canUndo());
  Type(5, "28.4");  // in group C
  steps.checkpoint();
  doc.SelectGroup(0);
  steps.undo();
  EXPECT_EQ(Rx(5, 2), "none");
  EXPECT_EQ(doc.working().CurGroup, 2);
}

TEST_F(UndoStepsTest, UndoBringsBackModelAndBandAndLeavesTheSavedCopy) {
  UndoSteps steps(doc);
  const RadioConfig before = doc.working();
  const std::string band = doc.state().bandText;
  doc.setModelAndBand(kDefaultModelCode, BandTextOf(1, kDefaultModelCode));
  doc.ResetToNewDocument(TemplateKind::NewDocument);  // commits the band-1 record as saved
  steps.checkpoint();
  ASSERT_NE(doc.state().bandText, band);
  const RadioConfig saved = doc.saved();
  steps.undo();
  EXPECT_EQ(doc.state().bandText, band);
  EXPECT_TRUE(SameDocumentContent(doc.working(), before));
  EXPECT_EQ(doc.saved(), saved);
  EXPECT_TRUE(doc.IsDocumentModified());  // against the band-1 record New committed
  steps.redo();
  EXPECT_EQ(doc.state().bandText, BandTextOf(1, kDefaultModelCode));
  EXPECT_TRUE(doc.IsDocumentUnchanged());
}

TEST_F(UndoStepsTest, OnlyTheNewestStepsAreKept) {
  UndoSteps steps(doc);
  for (std::size_t k = 0; k < kUndoLimit + 5; ++k) {
    Type(1, k % 2 == 0 ? "28.1" : "28.2");
    steps.checkpoint();
  }
  int undone = 0;
  while (steps.canUndo()) {
    steps.undo();
    ++undone;
  }
  EXPECT_EQ(undone, static_cast<int>(kUndoLimit));
  // The oldest steps are gone: the record stops short of the new document.
  EXPECT_NE(Rx(1), "28015000");
}

TEST_F(UndoStepsTest, ClearStartsFromTheDocumentAsItIs) {
  UndoSteps steps(doc);
  Type(1, "28.1");
  steps.checkpoint();
  steps.clear();
  EXPECT_FALSE(steps.canUndo());
  steps.undo();
  EXPECT_EQ(Rx(1), "28100000");
}

}  // namespace
}  // namespace kr4100
