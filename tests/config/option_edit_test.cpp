// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/option_edit.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kr4100 {
namespace {

// A block whose every field holds its own index, so that a stray write shows.
OptFeatBlock Numbered() {
  OptFeatBlock block{};
  for (int i = 0; i < kOptFeatCount; ++i) block[static_cast<std::size_t>(i)] = static_cast<Integer>(i);
  return block;
}

OptFeatBlock WithModes(int lsb, int usb, int fm, int am, int pa, int cw) {
  OptFeatBlock block{};
  block[kLsbEnable] = static_cast<Integer>(lsb);
  block[kUsbEnable] = static_cast<Integer>(usb);
  block[kFmEnable] = static_cast<Integer>(fm);
  block[kAmEnable] = static_cast<Integer>(am);
  block[kPaEnable] = static_cast<Integer>(pa);
  block[kCwEnable] = static_cast<Integer>(cw);
  return block;
}

// Every field but the listed one keeps its value.
void ExpectOnlyChanged(const OptFeatBlock& before, const OptFeatBlock& after, int field) {
  for (int i = 0; i < kOptFeatCount; ++i) {
    if (i == field) continue;
    EXPECT_EQ(after[static_cast<std::size_t>(i)], before[static_cast<std::size_t>(i)]) << "field " << i;
  }
}

TEST(OptionEditTest, PickedItemsStoreTheirValueAndNothingElse) {
  struct Case {
    int control;
    int position;
    int field;
    int stored;
  };
  const Case cases[] = {
      {1, 270, kRbFre, 300},        // the 271st roger-beep item, 3000 Hz
      {1, 0, kRbFre, 30},           // 300 Hz
      {10, 0, kBatVoltMin, 90},     // 9.0 V
      {11, 80, kBatVoltMax, 170},   // 17.0 V
      {9, 0, kSwrProtect, 12},      // SWR 1.2
      {9, 188, kSwrProtect, 200},   // SWR 20.0
      {0, 0, kTot, 0},              // time-out timer off
      {0, 20, kTot, 20},            // 600 s
      {14, 199, kSsbSqCloseDelay, 199},
      {15, 0, kSingleTone, 30},     // the single tone list sits at field 40
      {21, 63, kBeepVol, 63},
  };
  const OptFeatBlock before = Numbered();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    const OptFeatStore store = SaveOptFeat(before, OptListId(c.control), c.position);
    EXPECT_EQ(store.block[static_cast<std::size_t>(c.field)], c.stored);
    EXPECT_EQ(store.common, CommonBoxes::Unchanged);
    ExpectOnlyChanged(before, store.block, c.field);
  }
}

TEST(OptionEditTest, PositionOutsideTheListStoresNothing) {
  const OptFeatBlock before = Numbered();
  EXPECT_EQ(SaveOptFeat(before, OptListId(1), 271).block, before);
  EXPECT_EQ(SaveOptFeat(before, OptListId(4), -1).block, before);
  EXPECT_TRUE(NotInComboList(OptionListAt(1).items, 271));
  EXPECT_FALSE(NotInComboList(OptionListAt(1).items, 270));
  EXPECT_TRUE(NotInComboList(OptionListAt(0).items, -1));
}

TEST(OptionEditTest, StoredValueOutsideItsListShowsTheFirstItem) {
  OptFeatBlock block{};
  block[kTot] = 25;           // beyond the 21 time-out items
  block[kRbFre] = 300;        // 3000 Hz, the last item
  block[kBatVoltMin] = 89;    // below 9.0 V
  block[kSwrProtect] = 105;   // 10.5
  block[kMicGain] = -1;
  EXPECT_EQ(ShownListPosition(block, 0), 0);
  EXPECT_EQ(ShownListPosition(block, 1), 270);
  EXPECT_EQ(ShownListPosition(block, 10), 0);
  EXPECT_EQ(ShownListPosition(block, 9), 93);
  EXPECT_EQ(ShownListPosition(block, 18), 0);
}

TEST(OptionEditTest, CheckBoxesShowTheirDefaultForForeignValues) {
  OptFeatBlock block{};
  for (int i = 0; i < kOptFeatCount; ++i) block[static_cast<std::size_t>(i)] = 2;
  // Checked by default: the six modes, ECHO, SWR and DC protection.
  const bool expected[kOptionCheckCount] = {true,  true,  true,  true,  true,  true,
                                            false, false, false, false, false, true,
                                            false, false, false, false, true,  true};
  for (int c = 0; c < kOptionCheckCount; ++c) EXPECT_EQ(ShownChecked(block, c), expected[c]) << c;
  block[kEchoOpt] = 0;
  block[kBusyOpt] = 1;
  EXPECT_FALSE(ShownChecked(block, 11));
  EXPECT_TRUE(ShownChecked(block, 9));
  // "VOIC" has no field: whatever the record holds, it shows unchecked.
  for (int i = 0; i < kOptFeatCount; ++i) block[static_cast<std::size_t>(i)] = 1;
  EXPECT_FALSE(ShownChecked(block, 10));
}

TEST(OptionEditTest, SingleChangeDataClearsTheCommonAttributesOnlyWhenChecked) {
  OptFeatBlock before{};
  for (int f = kBusyOpt; f <= kRbOpt; ++f) before[static_cast<std::size_t>(f)] = 1;
  before[kSwrProtectEnable] = 1;
  before[kCommonOption] = 1;

  const OptFeatStore on = SaveOptFeat(before, OptCheckId(6), 1);
  EXPECT_EQ(on.common, CommonBoxes::ClearedAndDisabled);
  EXPECT_TRUE(on.clickedChecked);
  EXPECT_EQ(on.block[kSingleChangeData], 1);
  for (int f = kBusyOpt; f <= kRbOpt; ++f) EXPECT_EQ(on.block[static_cast<std::size_t>(f)], 0) << f;
  EXPECT_EQ(on.block[kSwrProtectEnable], 1);
  EXPECT_EQ(on.block[kCommonOption], 1);

  // Unchecking gives the boxes back but leaves their values alone.
  const OptFeatStore off = SaveOptFeat(before, OptCheckId(6), 0);
  EXPECT_EQ(off.common, CommonBoxes::Enabled);
  EXPECT_FALSE(off.clickedChecked);
  EXPECT_EQ(off.block[kSingleChangeData], 0);
  for (int f = kBusyOpt; f <= kRbOpt; ++f) EXPECT_EQ(off.block[static_cast<std::size_t>(f)], 1) << f;

  // A common box itself changes only its own field.
  const OptFeatStore echo = SaveOptFeat(before, OptCheckId(11), 0);
  EXPECT_EQ(echo.common, CommonBoxes::Unchanged);
  ExpectOnlyChanged(before, echo.block, kEchoOpt);
  EXPECT_EQ(echo.block[kEchoOpt], 0);
}

TEST(OptionEditTest, TheLastEnabledModeStaysOn) {
  // FM is the only mode left: unchecking it puts it back and stores 1.
  const OptFeatStore last = SaveOptFeat(WithModes(0, 0, 1, 0, 0, 0), OptCheckId(2), 0);
  EXPECT_TRUE(last.clickedChecked);
  EXPECT_EQ(last.block[kFmEnable], 1);

  // With another mode on, unchecking stores 0.
  const OptFeatStore two = SaveOptFeat(WithModes(0, 0, 1, 0, 0, 1), OptCheckId(2), 0);
  EXPECT_FALSE(two.clickedChecked);
  EXPECT_EQ(two.block[kFmEnable], 0);

  // A foreign value shows checked (the mode default), so it counts as an enabled mode.
  const OptFeatStore foreign = SaveOptFeat(WithModes(0, 7, 1, 0, 0, 0), OptCheckId(2), 0);
  EXPECT_FALSE(foreign.clickedChecked);
  EXPECT_EQ(foreign.block[kFmEnable], 0);

  // Checking a mode in a block with none on simply stores it.
  const OptFeatStore first = SaveOptFeat(WithModes(0, 0, 0, 0, 0, 0), OptCheckId(5), 1);
  EXPECT_TRUE(first.clickedChecked);
  EXPECT_EQ(first.block[kCwEnable], 1);

  // The rule is about the modes only: clearing another box when no mode is on stays cleared.
  const OptFeatStore plain = SaveOptFeat(WithModes(0, 0, 0, 0, 0, 0), OptCheckId(16), 0);
  EXPECT_FALSE(plain.clickedChecked);
  EXPECT_EQ(plain.block[kSwrProtectEnable], 0);
}

TEST(OptionEditTest, VoicStoresNothingAndUnknownIdsAreRefused) {
  const OptFeatBlock before = Numbered();
  const OptFeatStore voic = SaveOptFeat(before, OptCheckId(10), 1);
  EXPECT_EQ(voic.block, before);
  EXPECT_TRUE(voic.clickedChecked);
  EXPECT_EQ(voic.common, CommonBoxes::Unchanged);
  for (int id : {-1, 22, 99, 118}) EXPECT_THROW(SaveOptFeat(before, id, 0), std::out_of_range) << id;
}

}  // namespace
}  // namespace kr4100
