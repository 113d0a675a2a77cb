// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/scan_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr4100 {
namespace {

using Texts = std::vector<std::string>;

ScanListContext Mode(int priorityMode) {
  return {priorityMode, 40};
}

TEST(ScanTablesTest, PriorityChannelListFollowsTheModel) {
  RadioConfig record;
  const struct {
    const char* model;
    int channels;
  } cases[] = {{"611", 8},   {"711", 8},   {"615", 16}, {"716", 16},
               {"HT63", 40}, {"HT52", 40}, {"", 40}};
  for (const auto& c : cases) {
    const ScanListContext context = ScanListContextOf(record, c.model);
    const Texts texts = ScanItemTexts(ScanSetting::PriorityChannel, context, kEnglish);
    ASSERT_EQ(static_cast<int>(texts.size()), c.channels + 1) << c.model;
    EXPECT_EQ(texts.front(), "None");
    EXPECT_EQ(texts.back(), std::to_string(c.channels));
  }
  EXPECT_EQ(ScanItemTexts(ScanSetting::PriorityChannel, Mode(0), kChinese).front(), "无");
}

TEST(ScanTablesTest, PriorityChannelPositions) {
  const ScanListContext model611 = ScanListContextOf(RadioConfig{}, "611");
  EXPECT_EQ(ItemIndexOfStored(ScanSetting::PriorityChannel, 255, model611), 0);
  EXPECT_EQ(ItemIndexOfStored(ScanSetting::PriorityChannel, 8, model611), 8);
  EXPECT_EQ(StoredOfItemIndex(ScanSetting::PriorityChannel, 0, model611), kNoPriorityChannel);
  EXPECT_EQ(StoredOfItemIndex(ScanSetting::PriorityChannel, 3, model611), 3);
  // Channel 9 is beyond the list of this model, and 0 is no channel at all.
  EXPECT_FALSE(ItemIndexOfStored(ScanSetting::PriorityChannel, 9, model611));
  EXPECT_FALSE(ItemIndexOfStored(ScanSetting::PriorityChannel, 0, model611));
  EXPECT_FALSE(ItemIndexOfStored(ScanSetting::PriorityChannel, 254, model611));
  EXPECT_FALSE(StoredOfItemIndex(ScanSetting::PriorityChannel, 9, model611));
}

TEST(ScanTablesTest, TimeLists) {
  for (ScanSetting s : {ScanSetting::LookBackA, ScanSetting::LookBackB}) {
    const Texts texts = ScanItemTexts(s, Mode(1), kEnglish);
    ASSERT_EQ(texts.size(), 91u);
    EXPECT_EQ(texts[0], "0.50");
    EXPECT_EQ(texts[1], "0.55");
    EXPECT_EQ(texts[10], "1.00");
    EXPECT_EQ(texts[90], "5.00");
    EXPECT_EQ(ItemIndexOfStored(s, 1, Mode(1)), 0);
    EXPECT_EQ(ItemIndexOfStored(s, 91, Mode(1)), 90);
    EXPECT_EQ(StoredOfItemIndex(s, 90, Mode(1)), 91);
    EXPECT_FALSE(ItemIndexOfStored(s, 0, Mode(1)));
    EXPECT_FALSE(ItemIndexOfStored(s, 92, Mode(1)));
  }
  for (ScanSetting s : {ScanSetting::DropoutDelay, ScanSetting::TxDwell}) {
    const Texts texts = ScanItemTexts(s, Mode(0), kChinese);
    ASSERT_EQ(texts.size(), 301u);
    EXPECT_EQ(texts.front(), "0");
    EXPECT_EQ(texts.back(), "300");
    EXPECT_EQ(ItemIndexOfStored(s, 300, Mode(0)), 300);
    EXPECT_EQ(StoredOfItemIndex(s, 0, Mode(0)), 0);
    EXPECT_FALSE(ItemIndexOfStored(s, 301, Mode(0)));
    EXPECT_FALSE(ItemIndexOfStored(s, -1, Mode(0)));
  }
  EXPECT_EQ(ScanItemTexts(ScanSetting::Priority, Mode(0), kChinese), (Texts{"无", "固定", "选定"}));
  EXPECT_FALSE(ItemIndexOfStored(ScanSetting::Priority, 3, Mode(0)));
}

TEST(ScanTablesTest, RevertListByPriorityMode) {
  EXPECT_EQ(ScanItemTexts(ScanSetting::Revert, Mode(0), kEnglish),
            (Texts{"Selected", "Selected+Talk Back"}));
  EXPECT_EQ(ScanItemTexts(ScanSetting::Revert, Mode(1), kEnglish),
            (Texts{"Selected", "Selected+Talk Back", "Priority", "Priority+Talk Back"}));
  EXPECT_EQ(ScanItemTexts(ScanSetting::Revert, Mode(2), kChinese),
            (Texts{"优先", "优先+当前通话"}));
  EXPECT_TRUE(ScanItemTexts(ScanSetting::Revert, Mode(3), kEnglish).empty());

  // From "Fixd" to "None" with code 3: the list shows "Selected+Talk Back", the code stays 3.
  EXPECT_EQ(ItemIndexOfStored(ScanSetting::Revert, 3, Mode(1)), 3);
  EXPECT_EQ(ItemIndexOfStored(ScanSetting::Revert, 3, Mode(0)), 1);
  EXPECT_EQ(ItemIndexOfStored(ScanSetting::Revert, 2, Mode(0)), 0);
  EXPECT_EQ(ItemIndexOfStored(ScanSetting::Revert, 1, Mode(2)), 1);
  EXPECT_EQ(ItemIndexOfStored(ScanSetting::Revert, 0, Mode(2)), 0);
  EXPECT_FALSE(ItemIndexOfStored(ScanSetting::Revert, 4, Mode(1)));
  EXPECT_FALSE(ItemIndexOfStored(ScanSetting::Revert, 0, Mode(3)));

  // Picking an item stores the code its text names.
  EXPECT_EQ(StoredOfItemIndex(ScanSetting::Revert, 1, Mode(0)), 1);
  EXPECT_EQ(StoredOfItemIndex(ScanSetting::Revert, 0, Mode(2)), 2);
  EXPECT_EQ(StoredOfItemIndex(ScanSetting::Revert, 1, Mode(2)), 3);
  EXPECT_EQ(StoredOfItemIndex(ScanSetting::Revert, 3, Mode(1)), 3);
  EXPECT_FALSE(StoredOfItemIndex(ScanSetting::Revert, 2, Mode(0)));
  EXPECT_FALSE(StoredOfItemIndex(ScanSetting::Revert, 0, Mode(7)));

  EXPECT_STREQ(RevertText(3)->en, "Priority+Talk Back");
  EXPECT_STREQ(RevertText(1)->zh, "选定+当前通话");
  EXPECT_FALSE(RevertText(4));
  EXPECT_FALSE(RevertText(-1));
}

TEST(ScanTablesTest, ContextAndEnabling) {
  RadioConfig record;
  record.ScanInfo[0] = 2;
  const ScanListContext context = ScanListContextOf(record, " 615 ");
  EXPECT_EQ(context.priorityMode, 2);
  EXPECT_EQ(context.priorityChannels, 16);

  // "None" greys the priority channel and both look-back lists; "Selected" only the channel.
  const ScanSetting dependent[] = {ScanSetting::PriorityChannel, ScanSetting::LookBackA,
                                   ScanSetting::LookBackB};
  for (ScanSetting s : dependent) {
    EXPECT_FALSE(ScanListEnabled(s, kPriorityNone));
    EXPECT_TRUE(ScanListEnabled(s, kPriorityFixed));
  }
  EXPECT_FALSE(ScanListEnabled(ScanSetting::PriorityChannel, kPrioritySelected));
  EXPECT_TRUE(ScanListEnabled(ScanSetting::LookBackA, kPrioritySelected));
  EXPECT_TRUE(ScanListEnabled(ScanSetting::LookBackB, kPrioritySelected));
  for (ScanSetting s : {ScanSetting::Priority, ScanSetting::Revert, ScanSetting::DropoutDelay,
                        ScanSetting::TxDwell})
    EXPECT_TRUE(ScanListEnabled(s, kPriorityNone));

  EXPECT_STREQ(ScanCaption(ScanSetting::DropoutDelay).zh, "扫描接收恢复延迟时间[秒]");
  EXPECT_STREQ(ScanCaption(ScanSetting::TxDwell).en, "TX Dwell Time[s]");
}

TEST(ScanTablesTest, ShownPriorityMode) {
  EXPECT_EQ(ShownPriorityMode(0), 0);
  EXPECT_EQ(ShownPriorityMode(1), 1);
  EXPECT_EQ(ShownPriorityMode(2), 2);
  // A mode from a foreign file shows as "None" (and so greys what "None" greys).
  EXPECT_EQ(ShownPriorityMode(3), 0);
  EXPECT_EQ(ShownPriorityMode(-1), 0);
  EXPECT_EQ(ShownPriorityMode(255), 0);
}

// Group 0 holds channels 1, 2 and 7 (stored out of order), group 2 holds channel 7 only, group
// 4 holds channel 3; the others are empty.
RadioConfig RecordWithChannels() {
  RadioConfig record;
  record.ChCount = {3, 0, 1, 0, 1, 0};
  record.Ch[0][0].ChNum = 2;
  record.Ch[0][1].ChNum = 7;
  record.Ch[0][2].ChNum = 1;
  record.Ch[2][0].ChNum = 7;
  record.Ch[4][0].ChNum = 3;
  // Beyond the group's count: a leftover that is not a channel.
  record.Ch[2][1].ChNum = 2;
  return record;
}

TEST(ScanTablesTest, GroupsLackingPriorityChannel) {
  RadioConfig record = RecordWithChannels();
  record.ScanInfo[0] = kPriorityFixed;
  record.ScanInfo[1] = 7;
  EXPECT_EQ(GroupsLackingPriorityChannel(record), (std::vector<int>{4}));
  record.ScanInfo[1] = 2;  // the leftover in group 2 does not count
  EXPECT_EQ(GroupsLackingPriorityChannel(record), (std::vector<int>{2, 4}));
  record.ScanInfo[1] = 40;
  EXPECT_EQ(GroupsLackingPriorityChannel(record), (std::vector<int>{0, 2, 4}));
  record.ScanInfo[1] = kNoPriorityChannel;
  EXPECT_TRUE(GroupsLackingPriorityChannel(record).empty());

  // Only a fixed priority channel is gone to: the other modes never hint.
  record.ScanInfo[1] = 40;
  for (int mode : {kPriorityNone, kPrioritySelected, 3}) {
    record.ScanInfo[0] = static_cast<Integer>(mode);
    EXPECT_TRUE(GroupsLackingPriorityChannel(record).empty()) << mode;
  }

  // No channel anywhere: no group is in use, so there is nothing to hint; a count from a
  // foreign file beyond 60 reads as 60 slots.
  RadioConfig empty;
  empty.ScanInfo = {1, 5, 31, 51, 1, 3, 3};
  EXPECT_TRUE(GroupsLackingPriorityChannel(empty).empty());
  empty.ChCount[5] = 999;
  empty.Ch[5][59].ChNum = 5;
  EXPECT_TRUE(GroupsLackingPriorityChannel(empty).empty());
  empty.ScanInfo[1] = 6;
  EXPECT_EQ(GroupsLackingPriorityChannel(empty), (std::vector<int>{5}));
}

}  // namespace
}  // namespace kr4100
