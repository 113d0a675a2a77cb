// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/option_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/config/radio_config.h"

namespace kr4100 {
namespace {

struct ListCase {
  int control;
  int count;
  const char* first;
  const char* last;
  int firstStored;
};

TEST(OptionTablesTest, ListsRunFromFirstToLastItem) {
  const ListCase cases[] = {
      {0, 21, "Off", "600", 0},      // time-out timer: off, then 30 s steps
      {1, 271, "300", "3000", 30},   // roger-beep frequency in tens of hertz
      {2, 20, "50", "1000", 0},      // roger-beep time
      {3, 271, "300", "3000", 30},   // CW side tone
      {7, 60, "1", "60", 0},         // scan resume time
      {9, 189, "1.2", "20.0", 12},   // SWR in tenths
      {10, 81, "9.0", "17.0", 90},   // battery minimum in tenths of a volt
      {11, 81, "9.0", "17.0", 90},   // battery maximum
      {12, 60, "5", "300", 0},       // FM squelch delay
      {13, 60, "5", "300", 0},       // AM squelch delay
      {14, 200, "5", "1000", 0},     // CW/USB/LSB squelch delay
      {15, 271, "300", "3000", 30},  // single tone
      {18, 64, "OFF", "63", 0},      // MIC gain
      {21, 64, "OFF", "63", 0},      // beep volume
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.control);
    const ItemList& items = OptionListAt(c.control).items;
    const std::vector<std::string> texts = ItemTexts(items, kEnglish);
    ASSERT_EQ(static_cast<int>(texts.size()), c.count);
    EXPECT_EQ(texts.front(), c.first);
    EXPECT_EQ(texts.back(), c.last);
    EXPECT_EQ(StoredOfItemIndex(items, 0), c.firstStored);
    EXPECT_EQ(StoredOfItemIndex(items, c.count - 1), c.firstStored + c.count - 1);
  }
}

TEST(OptionTablesTest, StoredValuesOfChosenItems) {
  // 3000 Hz is kept as 300, 9.0 V as 90, an SWR of 1.2 as 12.
  const ItemList& rb = OptionListAt(1).items;
  EXPECT_EQ(ItemTextOfStored(rb, 300, kEnglish), "3000");
  EXPECT_EQ(StoredOfItemIndex(rb, *ItemIndexOfStored(rb, 300)), 300);
  EXPECT_EQ(ItemTextOfStored(OptionListAt(10).items, 90, kEnglish), "9.0");
  EXPECT_EQ(ItemTextOfStored(OptionListAt(9).items, 12, kEnglish), "1.2");
  EXPECT_EQ(ItemTextOfStored(OptionListAt(9).items, 105, kEnglish), "10.5");
  EXPECT_EQ(ItemTextOfStored(OptionListAt(0).items, 1, kEnglish), "30");
  EXPECT_EQ(ItemTextOfStored(OptionListAt(2).items, 19, kEnglish), "1000");
  EXPECT_EQ(ItemTextOfStored(OptionListAt(14).items, 199, kEnglish), "1000");
}

TEST(OptionTablesTest, StoredValuesNoItemStandsFor) {
  // A time-out timer of 25 lies beyond the list (the window then shows its first item).
  EXPECT_FALSE(ItemIndexOfStored(OptionListAt(0).items, 25));
  EXPECT_FALSE(ItemIndexOfStored(OptionListAt(0).items, -1));
  EXPECT_FALSE(ItemIndexOfStored(OptionListAt(1).items, 29));
  EXPECT_FALSE(ItemIndexOfStored(OptionListAt(1).items, 301));
  EXPECT_FALSE(ItemIndexOfStored(OptionListAt(9).items, 11));
  EXPECT_FALSE(ItemIndexOfStored(OptionListAt(10).items, 171));
  EXPECT_FALSE(ItemIndexOfStored(OptionListAt(1).items, -32768));
  EXPECT_FALSE(ItemTextOfStored(OptionListAt(5).items, 2, kEnglish));
  EXPECT_FALSE(StoredOfItemIndex(OptionListAt(1).items, 271));
  EXPECT_FALSE(StoredOfItemIndex(OptionListAt(1).items, -1));
  EXPECT_EQ(ItemText(OptionListAt(4).items, 4, kEnglish), "");
}

TEST(OptionTablesTest, TextsInBothLanguages) {
  EXPECT_EQ(ItemTexts(OptionListAt(0).items, kChinese).front(), "关");
  EXPECT_EQ(ItemTexts(OptionListAt(19).items, kChinese)[1], "1");
  EXPECT_EQ(ItemTexts(OptionListAt(5).items, kChinese), (std::vector<std::string>{"关", "开"}));
  EXPECT_EQ(ItemTexts(OptionListAt(4).items, kChinese).back(), "10Hz");
  EXPECT_EQ(ItemTexts(OptionListAt(16).items, kChinese).front(), "接收/发射 频率");
  EXPECT_EQ(ItemTexts(OptionListAt(17).items, kEnglish),
            (std::vector<std::string>{"Coarse", "Step Frequency", "Tx Frequency"}));
  EXPECT_STREQ(OptionListAt(1).caption.en, "RB Frequecy[Hz]");
  EXPECT_STREQ(OptionListAt(10).caption.zh, "电池电压保护值1--最低[V]");
  EXPECT_STREQ(OptionCheckAt(4).caption.en, "PA Enalbe");
  EXPECT_STREQ(OptionCheckAt(6).caption.zh, "允许独立改变信道数据");
}

TEST(OptionTablesTest, ControlsOfTheFields) {
  // Lists and check boxes are numbered in window order, not in field order.
  EXPECT_EQ(OptionListAt(12).field, kFmSqCloseDelay);
  EXPECT_EQ(OptionListAt(15).field, kSingleTone);
  EXPECT_EQ(OptionListAt(18).field, kMicGain);
  EXPECT_EQ(OptionListAt(20).field, kCwSideVol);
  EXPECT_EQ(OptionCheckAt(9).field, kBusyOpt);
  EXPECT_EQ(OptionCheckAt(10).field, kNoOptFeatField);  // "VOIC"
  EXPECT_EQ(OptionCheckAt(11).field, kEchoOpt);
  EXPECT_EQ(OptionCheckAt(17).field, kDcProtectEnable);

  // Every field but the six emergency channels has exactly one control, found by its field.
  std::set<int> fields;
  for (int k = 0; k < kOptionListCount; ++k) {
    EXPECT_EQ(OptionListOfField(OptionListAt(k).field), &OptionListAt(k));
    EXPECT_TRUE(fields.insert(OptionListAt(k).field).second) << "list " << k;
  }
  for (int k = 0; k < kOptionCheckCount; ++k) {
    if (OptionCheckAt(k).field == kNoOptFeatField) continue;
    EXPECT_EQ(OptionCheckOfField(OptionCheckAt(k).field), &OptionCheckAt(k));
    EXPECT_TRUE(fields.insert(OptionCheckAt(k).field).second) << "check " << k;
  }
  EXPECT_EQ(fields.size(), static_cast<std::size_t>(kOptFeatCount - kGroupCount));
  for (int g = 0; g < kGroupCount; ++g) {
    EXPECT_EQ(OptionListOfField(kEmgCh0 + g), nullptr);
    EXPECT_EQ(OptionCheckOfField(kEmgCh0 + g), nullptr);
  }
  EXPECT_EQ(OptionCheckOfField(kNoOptFeatField), nullptr);
  EXPECT_THROW(OptionListAt(kOptionListCount), std::out_of_range);
  EXPECT_THROW(OptionCheckAt(-1), std::out_of_range);
}

TEST(OptionTablesTest, CheckStatesAndRoles) {
  std::vector<int> checkedByDefault;
  std::vector<int> modes;
  std::vector<int> common;
  for (int k = 0; k < kOptionCheckCount; ++k) {
    const OptionCheck& check = OptionCheckAt(k);
    EXPECT_FALSE(CheckedOfStored(check, 0));
    EXPECT_TRUE(CheckedOfStored(check, 1));
    if (CheckedOfStored(check, 7)) checkedByDefault.push_back(k);
    EXPECT_EQ(CheckedOfStored(check, -1), CheckedOfStored(check, 7));
    if (check.role == OptionCheckRole::ModeEnable) modes.push_back(k);
    if (check.role == OptionCheckRole::CommonAttribute) common.push_back(k);
  }
  EXPECT_EQ(checkedByDefault, (std::vector<int>{0, 1, 2, 3, 4, 5, 11, 16, 17}));
  EXPECT_EQ(modes, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(common, (std::vector<int>{9, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(OptionCheckAt(6).role, OptionCheckRole::SingleChangeData);
}

TEST(OptionTablesTest, DecimalTexts) {
  EXPECT_EQ(DecimalText(12, 1), "1.2");
  EXPECT_EQ(DecimalText(200, 1), "20.0");
  EXPECT_EQ(DecimalText(5, 2), "0.05");
  EXPECT_EQ(DecimalText(0, 1), "0.0");
  EXPECT_EQ(DecimalText(300, 0), "300");
  EXPECT_EQ(DecimalText(-5, 1), "-0.5");
}

}  // namespace
}  // namespace kr4100
