// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/channel_bulk.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/config/channel_attributes.h"
#include "core/config/scan_tables.h"
#include "core/texts/bilingual.h"

namespace kr4100 {
namespace {

constexpr BandEdges kBand0{28.0, 29.7};
constexpr BandEdges kBand1{25.615, 30.105};

// Channels (number, stored RX) put into group g in the order given; TX = RX.
RadioConfig WithChannels(int g, std::vector<std::pair<int, const char*>> channels) {
  RadioConfig r;
  r.ChCount[static_cast<std::size_t>(g)] = static_cast<Integer>(channels.size());
  int slot = 1;
  for (const auto& [n, rx] : channels) {
    ChInfo& e = r.slot(slot++, g);
    e.ChNum = static_cast<Integer>(n);
    e.ChUsed = 1;
    e.RxFre = rx;
    e.TxFre = rx;
    e.Echo = 1;
    e.Scan = 1;
    e.RxSubCode = static_cast<Integer>(100 + n);
  }
  for (int k = 0; k < kGroupCount; ++k) r.OptFeat[kEmgCh0 + k] = -1;  // no channels
  r.OptFeat[kEmgCh0 + g] = static_cast<Integer>(channels.front().first - 1);
  return r;
}

std::string RxOf(const RadioConfig& r, int g, int n) {
  const ChInfo* e = r.findChannel(g, n);
  return e ? e->RxFre.text() : std::string("-");
}

// Row by row, the stored RX of rows 1..last ("-" for an empty row).
std::vector<std::string> Rows(const RadioConfig& r, int g, int last) {
  std::vector<std::string> rows;
  for (int n = 1; n <= last; ++n) rows.push_back(RxOf(r, g, n));
  return rows;
}

// What every command must leave: used slots numbered 1..60, each number once, and emergency
// channels that exist.
void ExpectConsistent(const RadioConfig& r) {
  for (int g = 0; g < kGroupCount; ++g) {
    std::set<int> numbers;
    for (int c = 1; c <= r.usedChannels(g); ++c) {
      const int n = r.slot(c, g).ChNum;
      EXPECT_TRUE(n >= 1 && n <= kChannelsPerGroup) << "group " << g << " number " << n;
      EXPECT_TRUE(numbers.insert(n).second) << "group " << g << " number " << n << " twice";
    }
    const int emg = r.OptFeat[kEmgCh0 + g] + 1;
    EXPECT_TRUE(r.usedChannels(g) == 0 ? emg == 0 : r.findChannel(g, emg) != nullptr)
        << "group " << g;
  }
}

TEST(ChannelBulkTest, OneSwitchForEveryChosenChannelOnly) {
  RadioConfig r = WithChannels(0, {{1, "28100000"}, {2, "28200000"}, {4, "28400000"}});
  r.ChCount[1] = 1;
  r.slot(1, 1) = r.slot(1, 0);
  const RadioConfig before = r;
  // Row 3 is empty: nothing is created for it.
  const BulkOutcome out = SetAttributeOfChannels(r, 0, {4, 3, 1}, kColHiCut, 1);
  EXPECT_TRUE(out.changed);
  EXPECT_EQ(out.chosen, (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(r.findChannel(0, 1)->HiCut, 1);
  EXPECT_EQ(r.findChannel(0, 4)->HiCut, 1);
  EXPECT_EQ(r.findChannel(0, 2)->HiCut, 0);
  EXPECT_EQ(r.ChCount[0], 3);
  EXPECT_EQ(r.slot(1, 1), before.slot(1, 1));  // the other group keeps its own
  // Already so: no change to record as a step.
  EXPECT_FALSE(SetAttributeOfChannels(r, 0, {1, 4}, kColHiCut, 1).changed);
  // The Scan switch is a column like the others; a frequency column is no switch.
  EXPECT_TRUE(SetAttributeOfChannels(r, 0, {2}, kColScan, 0).changed);
  EXPECT_EQ(r.findChannel(0, 2)->Scan, 0);
  const RadioConfig afterScan = r;
  EXPECT_FALSE(SetAttributeOfChannels(r, 0, {2}, kColRxFre, 0).changed);
  EXPECT_EQ(r, afterScan);
}

TEST(ChannelBulkTest, FillOverRowsStepsOffsetsAndCreatesAsTheGridDoes) {
  RadioConfig r = WithChannels(0, {{2, "28500000"}});
  r.findChannel(0, 2)->Busy = 1;
  const auto steps = ParseFillSteps(" 28.1", "12.5", "-100").steps;
  ASSERT_TRUE(steps);
  // Chosen out of order and twice: filled in row order, once each.
  const FillPlan plan = PlanFillOverRows(r, 0, {7, 2, 1, 2, 3}, *steps, kBand0);
  EXPECT_TRUE(plan.refused.empty());
  EXPECT_EQ(plan.channels, (std::vector<FilledChannel>{{1, "28100000", "28000000"},
                                                       {2, "28112500", "28012500"},
                                                       {3, "28125000", "28025000"},
                                                       {7, "28137500", "28037500"}}));
  const BulkOutcome out = ApplyFill(r, plan);
  EXPECT_TRUE(out.changed);
  EXPECT_EQ(r.ChCount[0], 4);
  EXPECT_EQ(r.findChannel(0, 2)->Busy, 1);  // an existing channel keeps its switches
  const ChInfo* created = r.findChannel(0, 7);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->ChUsed, 1);
  for (const ChannelAttribute& a : kChannelAttributes) EXPECT_EQ(created->*a.member, a.newChannel);
  ExpectConsistent(r);

  // The grid's 10 Hz snapping, from the band's lower edge; no offset means TX = RX.
  const FillPlan snapped =
      PlanFillOverRows(r, 0, {1}, *ParseFillSteps("28.0150049", "0", "").steps, kBand0);
  EXPECT_EQ(snapped.channels, (std::vector<FilledChannel>{{1, "28015000", "28015000"}}));
  EXPECT_EQ(ParseFillSteps("28,1", "12.5", "0").field, FillField::Start);
  EXPECT_EQ(ParseFillSteps("28.1", "", "0").refusal, MessageId::FillNotNumbers);
  EXPECT_EQ(ParseFillSteps("28.1", "", "0").field, FillField::Step);
}

TEST(ChannelBulkTest, FillRefusesWhatLeavesEitherBandAndChangesOnlyTheRest) {
  RadioConfig r = WithChannels(0, {{1, "28100000"}, {4, "28400000"}});
  const FillSteps up{29.65, 25000, 0};
  const FillPlan plan = PlanFillOverRows(r, 0, {1, 2, 3, 4}, up, kBand0);
  // 29.700000 is the band's edge and still in it.
  EXPECT_EQ(plan.channels.size(), 3u);
  EXPECT_EQ(plan.channels.back(), (FilledChannel{3, "29700000", "29700000"}));
  EXPECT_EQ(plan.refused, (std::vector<RefusedFill>{{4, kColRxFre, "29.725000"}}));
  // A TX offset out of the band refuses the channel though its RX fits.
  const FillPlan offset = PlanFillOverRows(r, 0, {1, 2}, FillSteps{29.0, 100000, 650000}, kBand0);
  EXPECT_EQ(offset.refused, (std::vector<RefusedFill>{{2, kColTxFre, "29.750000"}}));
  // The wide band takes all of them, and the lower edge of each band is where it is.
  EXPECT_TRUE(PlanFillOverRows(r, 0, {1, 2, 3, 4}, up, kBand1).refused.empty());
  EXPECT_EQ(PlanFillOverRows(r, 0, {1}, FillSteps{25.7, 0, 0}, kBand0).refused.size(), 1u);
  EXPECT_TRUE(PlanFillOverRows(r, 0, {1}, FillSteps{25.7, 0, 0}, kBand1).refused.empty());

  ApplyFill(r, plan);
  EXPECT_EQ(Rows(r, 0, 4),
            (std::vector<std::string>{"29650000", "29675000", "29700000", "28400000"}));
  EXPECT_EQ(DescribeRefusedFills(offset.refused, kEnglish, 20),
            "Channel 2: TX frequency 29.750000 MHz is outside the band");
  EXPECT_EQ(DescribeRefusedFills(plan.refused, kChinese, 20),
            "信道 4：接收频率 29.725000 MHz 超出频段");
  const std::vector<RefusedFill> many(5, RefusedFill{9, kColRxFre, "31.000000"});
  EXPECT_EQ(DescribeRefusedFills(many, kEnglish, 2),
            "Channel 9: RX frequency 31.000000 MHz is outside the band\r\n"
            "Channel 9: RX frequency 31.000000 MHz is outside the band\r\nand 3 more");

  // The window and the page say it alike: a question while some channels fit, else only news.
  const std::string band = "28.000000 - 29.700000 MHz";
  const FillRefusalText some = DescribeFillRefusal(plan, band, kEnglish, 20);
  EXPECT_TRUE(some.canFillRest);
  EXPECT_EQ(some.text, MessageWith(MessageId::FillRefused, kEnglish, {{"{band}", band}}) + "\r\n" +
                           DescribeRefusedFills(plan.refused, kEnglish, 20) + "\r\n" +
                           MessageText(MessageId::FillTheRest, kEnglish));
  const FillPlan none = PlanFillOverRows(r, 0, {1}, FillSteps{25.7, 0, 0}, kBand0);
  const FillRefusalText all = DescribeFillRefusal(none, band, kChinese, 20);
  EXPECT_FALSE(all.canFillRest);
  EXPECT_TRUE(all.text.ends_with(MessageText(MessageId::FillNothing, kChinese)));
}

// As found: a step of 0.005 kHz gave one frequency twice, 12.505 kHz uneven spacing, and an
// offset of 0.001 kHz was lost. Each is refused, naming its box, and nothing is rounded.
TEST(ChannelBulkTest, FillTakesOnlyStepsAndOffsetsOfWholeTensOfHertz) {
  const struct {
    const char* step;
    const char* offset;
    MessageId refusal;
    FillField field;
  } refused[] = {
      {"0.005", "0", MessageId::FillStepNotTenHz, FillField::Step},
      {"12.505", "0", MessageId::FillStepNotTenHz, FillField::Step},
      {"12.5", "0.001", MessageId::FillOffsetNotTenHz, FillField::Offset},
      {"12.5", "-600.005", MessageId::FillOffsetNotTenHz, FillField::Offset},
  };
  for (const auto& c : refused) {
    const ParsedFillSteps parsed = ParseFillSteps("28.1", c.step, c.offset);
    EXPECT_FALSE(parsed.steps) << c.step << " " << c.offset;
    EXPECT_EQ(parsed.refusal, c.refusal) << c.step << " " << c.offset;
    EXPECT_EQ(parsed.field, c.field) << c.step << " " << c.offset;
  }
  EXPECT_EQ(MessageText(MessageId::FillStepNotTenHz, kEnglish),
            std::string("The step must be a multiple of 0.01 kHz (10 Hz)."));

  const auto steps = ParseFillSteps("28.1", "12.51", "-0.01").steps;
  ASSERT_TRUE(steps);
  RadioConfig r = WithChannels(0, {{1, "28100000"}});
  EXPECT_EQ(
      PlanFillOverRows(r, 0, {1, 2, 3}, *steps, kBand0).channels,
      (std::vector<FilledChannel>{
          {1, "28100000", "28099990"}, {2, "28112510", "28112500"}, {3, "28125020", "28125010"}}));
  EXPECT_EQ(ParseFillSteps("28.1", "12.5", "0").steps->offsetHz, 0);
  EXPECT_EQ(ParseFillSteps("28.1", "-12.5", "-600").steps->offsetHz, -600000);
  // Steps made elsewhere than from the dialog's boxes are held to the same rule.
  const FillPlan fine = PlanFillOverRows(r, 0, {1, 2}, FillSteps{28.1, 5, 0}, kBand0);
  EXPECT_EQ(fine.refusal, MessageId::FillStepNotTenHz);
  EXPECT_FALSE(ApplyFill(r, fine).changed);
  EXPECT_EQ(PlanFillOverRows(r, 0, {1}, FillSteps{28.1, 0, 1}, kBand0).refusal,
            MessageId::FillOffsetNotTenHz);
}

TEST(ChannelBulkTest, NewChannelsFollowTheHighestNumberAndStopAtSixty) {
  RadioConfig r = WithChannels(2, {{58, "28580000"}, {3, "28030000"}});
  const FillSteps steps{28.0, 10000, 0};
  const FillPlan tooMany = PlanFillNewChannels(r, 2, 3, steps, kBand0);
  EXPECT_EQ(tooMany.refusal, MessageId::ChannelsPastSixty);
  EXPECT_FALSE(ApplyFill(r, tooMany).changed);
  EXPECT_EQ(
      BulkRefusalText({.refusal = tooMany.refusal, .refusalGroup = tooMany.group, .chosen = {}},
                      kEnglish),
      "Group C would need more than 60 channels; nothing was changed.");
  const FillPlan two = PlanFillNewChannels(r, 2, 2, steps, kBand0);
  EXPECT_EQ(two.channels, (std::vector<FilledChannel>{{59, "28000000", "28000000"},
                                                      {60, "28010000", "28010000"}}));
  // An empty group starts at channel 1.
  RadioConfig empty = WithChannels(0, {{1, "28100000"}});
  EXPECT_EQ(PlanFillNewChannels(empty, 4, 1, steps, kBand0).channels.front().chNum, 1);
}

TEST(ChannelBulkTest, MovingRowsSwapsWithNeighboursAndTheEmergencyChannelFollows) {
  RadioConfig r = WithChannels(0, {{1, "28100000"}, {2, "28200000"}, {4, "28400000"}});
  r.OptFeat[kEmgCh0] = 1;  // channel 2
  // Rows 2 and 3 (one of them empty) up as a block: row 1 goes below them.
  BulkOutcome out = MoveRows(r, 0, {3, 2}, -1);
  EXPECT_EQ(out.chosen, (std::vector<int>{1, 2}));
  EXPECT_EQ(Rows(r, 0, 4), (std::vector<std::string>{"28200000", "-", "28100000", "28400000"}));
  EXPECT_EQ(r.OptFeat[kEmgCh0], 0);
  EXPECT_EQ(r.findChannel(0, 1)->RxSubCode, 102);  // the whole channel moved
  ExpectConsistent(r);
  // Not past the edges.
  const RadioConfig atTop = r;
  EXPECT_FALSE(MoveRows(r, 0, {1, 4}, -1).changed);
  EXPECT_FALSE(MoveRows(r, 0, {60}, 1).changed);
  EXPECT_EQ(r, atTop);
  // Apart rows each move one down.
  out = MoveRows(r, 0, {1, 3}, 1);
  EXPECT_EQ(out.chosen, (std::vector<int>{2, 4}));
  EXPECT_EQ(Rows(r, 0, 5),
            (std::vector<std::string>{"-", "28200000", "28400000", "28100000", "-"}));
  ExpectConsistent(r);
}

TEST(ChannelBulkTest, InsertingPushesChannelsDownOnlyAsFarAsNeeded) {
  RadioConfig r = WithChannels(
      0, {{1, "28100000"}, {2, "28200000"}, {3, "28300000"}, {5, "28500000"}, {60, "29600000"}});
  r.OptFeat[kEmgCh0] = 4;  // channel 5
  const BulkOutcome out = InsertEmptyRows(r, 0, {3, 2});
  EXPECT_EQ(out.chosen, (std::vector<int>{2, 3}));
  EXPECT_EQ(Rows(r, 0, 7), (std::vector<std::string>{"28100000", "-", "-", "28200000", "28300000",
                                                     "28500000", "-"}));
  EXPECT_EQ(RxOf(r, 0, 60), "29600000");  // far below, behind empty rows: left alone
  EXPECT_EQ(r.OptFeat[kEmgCh0], 5);
  ExpectConsistent(r);

  RadioConfig full = WithChannels(1, {{58, "28100000"}, {59, "28200000"}, {60, "28300000"}});
  const RadioConfig before = full;
  const BulkOutcome refused = InsertEmptyRows(full, 1, {59});
  EXPECT_EQ(refused.refusal, MessageId::ChannelsPastSixty);
  EXPECT_EQ(refused.refusalGroup, 1);
  EXPECT_EQ(full, before);
  // Nothing in the way: nothing to do.
  EXPECT_FALSE(InsertEmptyRows(full, 1, {10}).changed);
}

TEST(ChannelBulkTest, DeletingKeepsAChannelAndTheSlotsTogether) {
  RadioConfig r = WithChannels(0, {{5, "28500000"}, {1, "28100000"}, {7, "28700000"}});
  r.OptFeat[kEmgCh0] = 4;  // channel 5
  EXPECT_TRUE(DeleteChannels(r, 0, {5, 6}).changed);
  EXPECT_EQ(r.ChCount[0], 2);
  EXPECT_EQ(r.slot(1, 0).ChNum, 1);  // the others keep their order, without a hole
  EXPECT_EQ(r.slot(2, 0).ChNum, 7);
  EXPECT_EQ(r.OptFeat[kEmgCh0], 0);  // the group's first channel now
  const RadioConfig before = r;
  const BulkOutcome all = DeleteChannels(r, 0, {1, 7});
  EXPECT_EQ(all.refusal, MessageId::GroupKeepsOneChannel);
  EXPECT_EQ(r, before);
  EXPECT_FALSE(DeleteChannels(r, 0, {30}).changed);
}

TEST(ChannelBulkTest, SortingGivesTheUsedNumbersInRxOrder) {
  RadioConfig r = WithChannels(
      0, {{3, "28500000"}, {7, "28100000"}, {9, "28300000"}, {1, "28100000"}, {4, ""}});
  r.OptFeat[kEmgCh0] = 2;  // channel 3
  EXPECT_TRUE(SortByRxFrequency(r, 0).changed);
  // Equal frequencies keep their order; a channel without a frequency goes last.
  EXPECT_EQ(Rows(r, 0, 9), (std::vector<std::string>{"28100000", "-", "28100000", "28300000", "-",
                                                     "-", "28500000", "-", ""}));
  EXPECT_EQ(r.findChannel(0, 3)->RxSubCode, 107);
  EXPECT_EQ(r.OptFeat[kEmgCh0], 6);  // 28.5 MHz went to row 7
  EXPECT_FALSE(SortByRxFrequency(r, 0).changed);
  ExpectConsistent(r);
}

TEST(ChannelBulkTest, MovingToAnotherGroupTakesFreeNumbersFromItsHighest) {
  RadioConfig r =
      WithChannels(0, {{1, "28100000"}, {2, "28200000"}, {3, "28300000"}, {4, "28400000"}});
  r.ChCount[1] = 2;
  r.slot(1, 1).ChNum = 59;
  r.slot(2, 1).ChNum = 1;
  r.OptFeat[kEmgCh0] = 1;  // channel 2, which leaves
  EXPECT_TRUE(MoveChannelsToGroup(r, 0, {4, 2, 3}, 1).changed);
  EXPECT_EQ(r.ChCount[0], 1);
  EXPECT_EQ(r.ChCount[1], 5);
  EXPECT_EQ(RxOf(r, 1, 60), "28200000");  // in their order: after 59 only 60 is left
  EXPECT_EQ(RxOf(r, 1, 2), "28300000");   // then the lowest free numbers
  EXPECT_EQ(RxOf(r, 1, 3), "28400000");
  EXPECT_EQ(r.findChannel(1, 60)->RxSubCode, 102);
  EXPECT_EQ(r.OptFeat[kEmgCh0], 0);
  ExpectConsistent(r);

  const RadioConfig before = r;
  EXPECT_EQ(MoveChannelsToGroup(r, 0, {1}, 1).refusal, MessageId::GroupKeepsOneChannel);
  EXPECT_EQ(r, before);
  r.ChCount[2] = 60;
  for (int c = 1; c <= 60; ++c) r.slot(c, 2).ChNum = static_cast<Integer>(c);
  const RadioConfig fullC = r;
  const BulkOutcome refused = MoveChannelsToGroup(r, 1, {60}, 2);
  EXPECT_EQ(refused.refusal, MessageId::ChannelsPastSixty);
  EXPECT_EQ(refused.refusalGroup, 2);
  EXPECT_EQ(r, fullC);
  EXPECT_FALSE(MoveChannelsToGroup(r, 1, {60}, 1).changed);
}

// Channels 1..4 of group A and the fixed scan priority channel 2.
RadioConfig WithPriorityChannel2() {
  RadioConfig r =
      WithChannels(0, {{1, "28300000"}, {2, "28200000"}, {3, "28100000"}, {4, "28400000"}});
  r.ScanInfo[static_cast<std::size_t>(ScanSetting::Priority)] = kPriorityFixed;
  r.ScanInfo[static_cast<std::size_t>(ScanSetting::PriorityChannel)] = 2;
  return r;
}

// The priority channel is a number in every group: a command that puts another channel (or
// none) on that number says so; one that leaves it alone does not.
TEST(ChannelBulkTest, CommandsThatChangeWhatThePriorityChannelNumberNamesAreTold) {
  const auto groupsAfter = [](auto command) {
    const RadioConfig before = WithPriorityChannel2();
    RadioConfig after = before;
    EXPECT_TRUE(command(after).changed);
    EXPECT_EQ(after.ScanInfo, before.ScanInfo);  // the setting itself stays
    return GroupsWherePriorityChannelChanged(before, after);
  };
  using G = std::vector<int>;
  EXPECT_EQ(groupsAfter([](RadioConfig& r) { return MoveRows(r, 0, {1}, 1); }), G{0});
  EXPECT_EQ(groupsAfter([](RadioConfig& r) { return MoveRows(r, 0, {4}, -1); }), G{});
  EXPECT_EQ(groupsAfter([](RadioConfig& r) { return InsertEmptyRows(r, 0, {1}); }), G{0});
  EXPECT_EQ(groupsAfter([](RadioConfig& r) { return InsertEmptyRows(r, 0, {3}); }), G{});
  EXPECT_EQ(groupsAfter([](RadioConfig& r) { return DeleteChannels(r, 0, {2}); }), G{0});
  EXPECT_EQ(groupsAfter([](RadioConfig& r) { return DeleteChannels(r, 0, {1, 4}); }), G{});
  EXPECT_EQ(groupsAfter([](RadioConfig& r) { return SortByRxFrequency(r, 0); }), G{});
  // Out of group A, and onto number 2 of an empty group F: two groups.
  EXPECT_EQ(groupsAfter([](RadioConfig& r) {
              return MoveChannelsToGroup(r, 0, {3, 2}, 5);
            }),
            (G{0, 5}));
  EXPECT_EQ(groupsAfter([](RadioConfig& r) { return MoveChannelsToGroup(r, 0, {4}, 5); }), G{});

  RadioConfig before = WithPriorityChannel2();
  before.findChannel(0, 3)->RxFre = "29000000";
  RadioConfig after = before;
  SortByRxFrequency(after, 0);
  EXPECT_EQ(DescribeBulkCommand("Sort Group by RX Frequency", before, after, kEnglish).text,
            "Sort Group by RX Frequency; the priority channel number 2 no longer names the same "
            "channel in group A");
  EXPECT_EQ(DescribeBulkCommand("按接收频率排序本组", before, after, kChinese).text,
            "按接收频率排序本组；优先信道号 2 在 A 组中已不再是原来的信道");
  const BulkCommandText quiet = DescribeBulkCommand("Move Up", before, before, kEnglish);
  EXPECT_EQ(quiet.text, "Move Up");
  EXPECT_FALSE(quiet.priorityChannelChanged);

  // Only a fixed priority channel sends the radio to that number; "none" names no channel.
  for (const auto& [mode, chNum] : {std::pair{kPriorityNone, 2}, std::pair{kPrioritySelected, 2},
                                    std::pair{kPriorityFixed, kNoPriorityChannel}}) {
    before.ScanInfo[static_cast<std::size_t>(ScanSetting::Priority)] = static_cast<Integer>(mode);
    before.ScanInfo[static_cast<std::size_t>(ScanSetting::PriorityChannel)] =
        static_cast<Integer>(chNum);
    after.ScanInfo = before.ScanInfo;
    EXPECT_TRUE(GroupsWherePriorityChannelChanged(before, after).empty()) << mode << " " << chNum;
  }
  // Channels with the same frequencies changing places leave it naming the same channel.
  RadioConfig twins = WithPriorityChannel2();
  twins.findChannel(0, 3)->RxFre = "28200000";
  twins.findChannel(0, 3)->TxFre = "28200000";
  RadioConfig swapped = twins;
  MoveRows(swapped, 0, {2}, 1);
  EXPECT_TRUE(GroupsWherePriorityChannelChanged(twins, swapped).empty());
}

// Whatever the commands and rows, the record stays one the radio and the file can take.
TEST(ChannelBulkTest, AnySequenceOfCommandsKeepsTheTableConsistent) {
  std::mt19937 random(4100);
  RadioConfig r = WithChannels(0, {{1, "28100000"}, {2, "28200000"}, {10, "29000000"}});
  for (int g = 1; g < kGroupCount; ++g) {
    r.ChCount[static_cast<std::size_t>(g)] = 1;
    r.slot(1, g) = r.slot(1, 0);
    r.OptFeat[kEmgCh0 + g] = 0;
  }
  for (int step = 0; step < 400; ++step) {
    const int g = static_cast<int>(random() % kGroupCount);
    std::vector<int> rows;
    for (int k = static_cast<int>(random() % 6); k > 0; --k)
      rows.push_back(1 + static_cast<int>(random() % kChannelsPerGroup));
    switch (random() % 6) {
      case 0:
        ApplyFill(r, PlanFillOverRows(r, g, rows, FillSteps{28.0, 12500, -5000}, kBand0));
        break;
      case 1:
        MoveRows(r, g, rows, random() % 2 ? 1 : -1);
        break;
      case 2:
        InsertEmptyRows(r, g, rows);
        break;
      case 3:
        DeleteChannels(r, g, rows);
        break;
      case 4:
        SortByRxFrequency(r, g);
        break;
      default:
        MoveChannelsToGroup(r, g, rows, static_cast<int>(random() % kGroupCount));
        break;
    }
    ExpectConsistent(r);
    int total = 0;
    for (int k = 0; k < kGroupCount; ++k) total += r.usedChannels(k);
    ASSERT_GT(total, 0);
  }
}

}  // namespace
}  // namespace kr4100
