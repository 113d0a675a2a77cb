// SPDX-License-Identifier: GPL-3.0-or-later
// The rules the window's own tests cannot reach easily: stored values no item stands for, files
// with odd fleet lists, the range ends and the Chinese "All".
#include "core/config/fleet_sync_edit.h"

#include <gtest/gtest.h>

namespace kr4100 {
namespace {

const std::string kAllZh = "所有";

FleetListState ListOf(std::initializer_list<FleetListEntry> entries) {
  FleetListState list;
  for (const FleetListEntry& e : entries) list.entries[static_cast<std::size_t>(list.count++)] = e;
  return list;
}

TEST(FleetSyncOwnListsTest, PicksKeepTheBlankRules) {
  FleetSyncSettings s;
  s.OwnFleet = 255;
  s.DataTxModDelay = 400;
  OwnLists lists = ShownOwnLists(s);
  EXPECT_EQ(lists, (OwnLists{true, true, 0, 0}));
  // Another fleet keeps the ID the user chose; only a blank ID becomes 1000.
  OwnPick pick = PickOwnFleet(lists, s, 1);
  pick.settings.OwnId = 77;
  pick.lists.id = 77;
  pick = PickOwnFleet(pick.lists, pick.settings, 50);
  EXPECT_EQ(pick.settings.OwnFleet, 50);
  EXPECT_EQ(pick.settings.OwnId, 77);
  // The blank puts both blank items back; the rest of the block rides along.
  pick = PickOwnFleet(pick.lists, pick.settings, 0);
  EXPECT_EQ(pick.lists, (OwnLists{true, true, 0, 0}));
  EXPECT_EQ(pick.settings.OwnId, 0);
  EXPECT_EQ(pick.settings.DataTxModDelay, 400);
  // The last ID with no fleet yet.
  pick = PickOwnId(pick.lists, pick.settings, OwnListShown(true, 4000));
  EXPECT_EQ(pick.lists, (OwnLists{false, false, 1, 4000}));
  EXPECT_EQ(pick.settings.OwnFleet, 1);
}

TEST(FleetSyncOwnListsTest, StoredValuesNoItemStandsForShowNothing) {
  FleetSyncSettings s;
  s.OwnFleet = 251;
  s.OwnId = 0;
  const OwnLists bad = ShownOwnLists(s);
  EXPECT_EQ(OwnListPosition(bad.fleetHead, bad.fleet), -1);
  EXPECT_EQ(OwnListPosition(bad.idHead, bad.id), -1);
  s.OwnFleet = 250;
  s.OwnId = 4000;
  EXPECT_EQ(ShownOwnLists(s), (OwnLists{false, false, 250, 4000}));
}

TEST(FleetCellTest, RangeEndsAndStoredForms) {
  EXPECT_EQ(FleetCellFromBox("0", FleetColumn::Fleet, kEnglish), "100");
  EXPECT_EQ(FleetCellFromBox("350", FleetColumn::Fleet, kEnglish), "349");
  EXPECT_EQ(FleetCellFromBox("0150", FleetColumn::Fleet, kEnglish), "150");
  EXPECT_EQ(FleetCellFromBox("999", FleetColumn::Id, kEnglish), "1000");
  EXPECT_EQ(FleetCellFromBox("99999999999999999999", FleetColumn::Id, kEnglish), "4999");
  EXPECT_EQ(FleetCellFromBox("A", FleetColumn::Id, kChinese), kAllZh);
  EXPECT_EQ(FleetCellText(255, FleetColumn::Id, kEnglish), "");
  EXPECT_EQ(FleetCellText(0, FleetColumn::Id, kChinese), kAllZh);
  EXPECT_EQ(FleetCellText(4000, FleetColumn::Id, kEnglish), "4999");
}

TEST(FleetListCommitTest, OrderOfFirstCommitAndWholeEntryDeletion) {
  FleetListState list = ListOf({{2, 1, 1}, {5, 10, 20}, {7, 0, 0}});
  // Changing a row keeps its place; a Chinese "All" stores 0 too.
  FleetCommit c = CommitFleetCell(list, 5, FleetColumn::Fleet, "A", {"109", "1019"}, kChinese);
  EXPECT_EQ(c.list, ListOf({{2, 1, 1}, {5, 0, 20}, {7, 0, 0}}));
  c = CommitFleetCell(c.list, 2, FleetColumn::Id, "", {"100", "1000"}, kEnglish);
  EXPECT_EQ(c.list, ListOf({{5, 0, 20}, {7, 0, 0}}));
  EXPECT_EQ(c.cells, (FleetRowCells{"100", ""}));
  EXPECT_EQ(c.list.entries[2], FleetListEntry{});  // the freed slot holds nothing stale
  // Emptying a row without an entry changes nothing.
  EXPECT_EQ(CommitFleetCell(c.list, 4, FleetColumn::Fleet, "", {}, kEnglish).list, c.list);
}

TEST(FleetListCommitTest, NeverMoreThanEightEntriesWhateverTheFileSaid) {
  FleetListState odd = ListOf({{1, 1, 1}, {1, 2, 2}, {1, 3, 3}, {1, 4, 4},
                               {1, 5, 5}, {1, 6, 6}, {1, 7, 7}, {1, 8, 8}});
  odd.count = 12;
  const FleetCommit c = CommitFleetCell(odd, 6, FleetColumn::Fleet, "120", {}, kEnglish);
  EXPECT_EQ(c.list.count, 8);
  EXPECT_EQ(c.list.entries[7], (FleetListEntry{1, 8, 8}));
  EXPECT_THROW(CommitFleetCell({}, 9, FleetColumn::Fleet, "120", {}, kEnglish), std::out_of_range);
}

TEST(FleetKeyRuleTest, CharactersSelectionAndTheChineseAll) {
  for (char32_t refused : {U'b', U'-', U' ', U'.', U'é', U'中', char32_t{24}, char32_t{22},
                           char32_t{3}, char32_t{13}})
    EXPECT_EQ(FleetKeyRule("", 0, FleetColumn::Fleet, refused, kEnglish), FleetKey::Refuse)
        << static_cast<unsigned>(refused);
  EXPECT_EQ(FleetKeyRule("All", 0, FleetColumn::Fleet, char32_t{8}, kEnglish), FleetKey::Pass);
  EXPECT_EQ(FleetKeyRule("A", 1, FleetColumn::Id, U'1', kEnglish), FleetKey::Pass);
  EXPECT_EQ(FleetKeyRule("All", 3, FleetColumn::Id, U'a', kEnglish), FleetKey::BecomesA);
  // A number never takes an "A", selected or not; the ID column takes a fourth digit.
  EXPECT_EQ(FleetKeyRule("150", 3, FleetColumn::Fleet, U'a', kEnglish), FleetKey::Refuse);
  EXPECT_EQ(FleetKeyRule("150", 0, FleetColumn::Id, U'0', kEnglish), FleetKey::Pass);
  // The Chinese word counts by characters, not bytes.
  EXPECT_EQ(FleetKeyRule(kAllZh, 2, FleetColumn::Fleet, U'1', kChinese), FleetKey::Pass);
  EXPECT_EQ(FleetKeyRule(kAllZh, 1, FleetColumn::Fleet, U'1', kChinese), FleetKey::Refuse);
}

}  // namespace
}  // namespace kr4100
