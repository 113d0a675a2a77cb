#include "core/config/fleet_sync_edit.h"

#include <gtest/gtest.h>

namespace kr4100 {
namespace {

const std::string kAllZh = "所有";

FleetSyncSettings NewDocumentFleet() {
  FleetSyncSettings s;
  s.OwnFleet = 255;
  s.OwnId = 0;
  s.BaudRate = 0;
  s.DataTxModDelay = 400;
  s.MsgModeTimer = 10;
  s.PttIdSideTone = 1;
  return s;
}

FleetListState ListOf(std::initializer_list<FleetListEntry> entries) {
  FleetListState list;
  for (const FleetListEntry& e : entries) list.entries[static_cast<std::size_t>(list.count++)] = e;
  return list;
}

TEST(FleetSyncListsTest, ItemsAndStoredValues) {
  const ItemList& fleet = FleetSyncItems(FleetSyncList::OwnFleet);
  EXPECT_EQ(ItemCount(fleet), 250);
  EXPECT_EQ(ItemText(fleet, 0, kEnglish), "100");
  EXPECT_EQ(ItemText(fleet, 249, kEnglish), "349");
  EXPECT_EQ(StoredOfItemIndex(fleet, 0), 1);
  const ItemList& id = FleetSyncItems(FleetSyncList::OwnId);
  EXPECT_EQ(ItemCount(id), 4000);
  EXPECT_EQ(ItemText(id, 3999, kEnglish), "4999");
  EXPECT_EQ(StoredOfItemIndex(id, 3999), 4000);
  EXPECT_EQ(ItemTexts(FleetSyncItems(FleetSyncList::BaudRate), kChinese),
            (std::vector<std::string>{"1200", "2400"}));
  const ItemList& delay = FleetSyncItems(FleetSyncList::ModDelay);
  EXPECT_EQ(ItemCount(delay), 6001);
  EXPECT_EQ(ItemIndexOfStored(delay, 400), 400);
  EXPECT_EQ(ItemText(delay, 6000, kEnglish), "6000");
  const ItemList& timer = FleetSyncItems(FleetSyncList::MsgTimer);
  EXPECT_EQ(ItemCount(timer), 301);
  EXPECT_EQ(ItemText(timer, 0, kEnglish), "Off");
  EXPECT_EQ(ItemText(timer, 0, kChinese), "关");
  EXPECT_EQ(ItemText(timer, 300, kEnglish), "300");
  EXPECT_EQ(ItemIndexOfStored(timer, 10), 10);
}

TEST(FleetSyncOwnListsTest, BlankHeadComesAndGoesWithTheOwnFleet) {
  FleetSyncSettings s = NewDocumentFleet();
  OwnLists lists = ShownOwnLists(s);
  EXPECT_EQ(lists, (OwnLists{true, true, 0, 0}));
  EXPECT_EQ(OwnListPosition(true, 0), 0);

  // Fleet 100: both blanks go, the ID becomes 1000.
  OwnPick pick = PickOwnFleet(lists, s, OwnListShown(true, 1));
  EXPECT_EQ(pick.lists, (OwnLists{false, false, 1, 1}));
  EXPECT_EQ(pick.settings.OwnFleet, 1);
  EXPECT_EQ(pick.settings.OwnId, 1);
  EXPECT_EQ(OwnListPosition(false, 1), 0);

  // Another fleet keeps the ID the user chose.
  pick.settings.OwnId = 77;
  pick.lists.id = 77;
  pick = PickOwnFleet(pick.lists, pick.settings, OwnListShown(false, 49));
  EXPECT_EQ(pick.settings.OwnFleet, 50);
  EXPECT_EQ(pick.settings.OwnId, 77);

  // The blank again: none, and the ID list takes its blank back.
  pick = PickOwnFleet(pick.lists, pick.settings, 0);
  EXPECT_EQ(pick.settings.OwnFleet, 255);
  EXPECT_EQ(pick.settings.OwnId, 0);
  EXPECT_EQ(pick.lists, (OwnLists{true, true, 0, 0}));
  // The other settings ride along untouched.
  EXPECT_EQ(pick.settings.DataTxModDelay, 400);
  EXPECT_EQ(pick.settings.PttIdSideTone, 1);
}

TEST(FleetSyncOwnListsTest, PickingAnIdWithoutFleetTakesFleet100) {
  const FleetSyncSettings s = NewDocumentFleet();
  // "4999" sits behind the blank at position 4000.
  const OwnPick pick = PickOwnId(ShownOwnLists(s), s, OwnListShown(true, 4000));
  EXPECT_EQ(pick.lists, (OwnLists{false, false, 1, 4000}));
  EXPECT_EQ(pick.settings.OwnFleet, 1);
  EXPECT_EQ(pick.settings.OwnId, 4000);
}

TEST(FleetSyncOwnListsTest, StoredPairShowsItsItemsAndBadValuesShowNothing) {
  FleetSyncSettings s = NewDocumentFleet();
  s.OwnFleet = 250;
  s.OwnId = 4000;
  EXPECT_EQ(ShownOwnLists(s), (OwnLists{false, false, 250, 4000}));
  s.OwnFleet = 251;
  s.OwnId = 0;
  const OwnLists bad = ShownOwnLists(s);
  EXPECT_EQ(OwnListPosition(bad.fleetHead, bad.fleet), -1);
  EXPECT_EQ(OwnListPosition(bad.idHead, bad.id), -1);
}

TEST(FleetCellTest, ShownTextOfStoredValues) {
  EXPECT_EQ(FleetCellText(255, FleetColumn::Fleet, kEnglish), "");
  EXPECT_EQ(FleetCellText(255, FleetColumn::Id, kEnglish), "");
  EXPECT_EQ(FleetCellText(0, FleetColumn::Fleet, kEnglish), "All");
  EXPECT_EQ(FleetCellText(0, FleetColumn::Id, kChinese), kAllZh);
  EXPECT_EQ(FleetCellText(1, FleetColumn::Fleet, kEnglish), "100");
  EXPECT_EQ(FleetCellText(250, FleetColumn::Fleet, kEnglish), "349");
  EXPECT_EQ(FleetCellText(1, FleetColumn::Id, kEnglish), "1000");
  EXPECT_EQ(FleetCellText(4000, FleetColumn::Id, kEnglish), "4999");
}

TEST(FleetCellTest, BoxTextIsClampedOrBecomesAll) {
  EXPECT_EQ(FleetCellFromBox("50", FleetColumn::Fleet, kEnglish), "100");
  EXPECT_EQ(FleetCellFromBox("0", FleetColumn::Fleet, kEnglish), "100");
  EXPECT_EQ(FleetCellFromBox("350", FleetColumn::Fleet, kEnglish), "349");
  EXPECT_EQ(FleetCellFromBox("0150", FleetColumn::Fleet, kEnglish), "150");
  EXPECT_EQ(FleetCellFromBox("6000", FleetColumn::Id, kEnglish), "4999");
  EXPECT_EQ(FleetCellFromBox("999", FleetColumn::Id, kEnglish), "1000");
  EXPECT_EQ(FleetCellFromBox("99999999999999999999", FleetColumn::Id, kEnglish), "4999");
  EXPECT_EQ(FleetCellFromBox("A", FleetColumn::Id, kChinese), kAllZh);
  EXPECT_EQ(FleetCellFromBox("All", FleetColumn::Fleet, kEnglish), "All");
  EXPECT_EQ(FleetCellFromBox("", FleetColumn::Fleet, kEnglish), "");
}

TEST(FleetListCommitTest, NewEntriesGoLastAndTheEmptyPartnerBecomesAll) {
  FleetCommit c = CommitFleetCell({}, 3, FleetColumn::Fleet, "150", {}, kEnglish);
  EXPECT_EQ(c.cells, (FleetRowCells{"150", "All"}));
  EXPECT_EQ(c.list, ListOf({{3, 51, 0}}));

  c = CommitFleetCell(c.list, 1, FleetColumn::Id, "A", {}, kEnglish);
  EXPECT_EQ(c.cells, (FleetRowCells{"All", "All"}));
  EXPECT_EQ(c.list, ListOf({{3, 51, 0}, {1, 0, 0}}));

  // Changing a row keeps its place in the order.
  c = CommitFleetCell(c.list, 3, FleetColumn::Id, "6000", {"150", "All"}, kEnglish);
  EXPECT_EQ(c.cells, (FleetRowCells{"150", "4999"}));
  EXPECT_EQ(c.list, ListOf({{3, 51, 4000}, {1, 0, 0}}));
}

TEST(FleetListCommitTest, EmptyingACellDeletesTheWholeEntry) {
  const FleetListState list = ListOf({{2, 1, 1}, {5, 10, 20}, {7, 0, 0}});
  const FleetCommit c = CommitFleetCell(list, 5, FleetColumn::Id, "", {"109", "1019"}, kEnglish);
  EXPECT_EQ(c.list, ListOf({{2, 1, 1}, {7, 0, 0}}));
  // The partner cell keeps its text until the data are shown again.
  EXPECT_EQ(c.cells, (FleetRowCells{"109", ""}));
  // The freed slot holds nothing stale.
  EXPECT_EQ(c.list.entries[2], FleetListEntry{});

  // Emptying a row that has no entry changes nothing.
  const FleetCommit none = CommitFleetCell(list, 4, FleetColumn::Fleet, "", {}, kEnglish);
  EXPECT_EQ(none.list, list);
}

TEST(FleetListCommitTest, NeverMoreThanEightEntries) {
  FleetListState list;
  for (int row = 1; row <= 8; ++row)
    list = CommitFleetCell(list, row, FleetColumn::Fleet, "100", {}, kEnglish).list;
  EXPECT_EQ(list.count, 8);
  for (int row = 1; row <= 8; ++row)
    list = CommitFleetCell(list, row, FleetColumn::Id, "2000", {"100", "All"}, kEnglish).list;
  EXPECT_EQ(list.count, 8);
  EXPECT_EQ(list.entries[7], (FleetListEntry{8, 1, 1001}));

  // A file with a count past the slots, and a row that has no slot left.
  FleetListState odd = ListOf({{1, 1, 1}, {1, 2, 2}, {1, 3, 3}, {1, 4, 4},
                               {1, 5, 5}, {1, 6, 6}, {1, 7, 7}, {1, 8, 8}});
  odd.count = 12;
  const FleetCommit c = CommitFleetCell(odd, 6, FleetColumn::Fleet, "120", {}, kEnglish);
  EXPECT_EQ(c.list.count, 8);
  EXPECT_THROW(CommitFleetCell({}, 9, FleetColumn::Fleet, "120", {}, kEnglish), std::out_of_range);
}

TEST(FleetListCommitTest, AllInEitherLanguageStoresZero) {
  const FleetCommit c = CommitFleetCell({}, 2, FleetColumn::Fleet, "A", {"", "1234"}, kChinese);
  EXPECT_EQ(c.cells, (FleetRowCells{kAllZh, "1234"}));
  EXPECT_EQ(c.list, ListOf({{2, 0, 235}}));
}

TEST(FleetKeyRuleTest, CharactersAndEditingKeys) {
  for (char32_t refused : {U'b', U'B', U'-', U' ', U'*', U'.', U'é', U'中', char32_t{24},
                           char32_t{22}, char32_t{3}, char32_t{13}})
    EXPECT_EQ(FleetKeyRule("", 0, FleetColumn::Fleet, refused, kEnglish), FleetKey::Refuse)
        << static_cast<unsigned>(refused);
  EXPECT_EQ(FleetKeyRule("", 0, FleetColumn::Fleet, U'a', kEnglish), FleetKey::BecomesA);
  EXPECT_EQ(FleetKeyRule("", 0, FleetColumn::Id, U'A', kEnglish), FleetKey::Pass);
  EXPECT_EQ(FleetKeyRule("", 0, FleetColumn::Id, U'7', kEnglish), FleetKey::Pass);
  // Backspace works on a full number and on "All".
  EXPECT_EQ(FleetKeyRule("150", 0, FleetColumn::Fleet, char32_t{8}, kEnglish), FleetKey::Pass);
  EXPECT_EQ(FleetKeyRule("All", 0, FleetColumn::Fleet, char32_t{8}, kEnglish), FleetKey::Pass);
}

TEST(FleetKeyRuleTest, DigitsByColumnAndSelection) {
  EXPECT_EQ(FleetKeyRule("15", 0, FleetColumn::Fleet, U'0', kEnglish), FleetKey::Pass);
  EXPECT_EQ(FleetKeyRule("150", 0, FleetColumn::Fleet, U'0', kEnglish), FleetKey::Refuse);
  EXPECT_EQ(FleetKeyRule("150", 1, FleetColumn::Fleet, U'0', kEnglish), FleetKey::Pass);
  EXPECT_EQ(FleetKeyRule("150", 0, FleetColumn::Id, U'0', kEnglish), FleetKey::Pass);
  EXPECT_EQ(FleetKeyRule("1500", 0, FleetColumn::Id, U'0', kEnglish), FleetKey::Refuse);
  EXPECT_EQ(FleetKeyRule("1500", 4, FleetColumn::Id, U'9', kEnglish), FleetKey::Pass);
  // A number never takes an "A", selected or not.
  EXPECT_EQ(FleetKeyRule("150", 3, FleetColumn::Fleet, U'a', kEnglish), FleetKey::Refuse);
  EXPECT_EQ(FleetKeyRule("1", 0, FleetColumn::Fleet, U'A', kEnglish), FleetKey::Refuse);
}

TEST(FleetKeyRuleTest, AllIsReplacedOnlyWhenWhollySelected) {
  EXPECT_EQ(FleetKeyRule("All", 0, FleetColumn::Fleet, U'1', kEnglish), FleetKey::Refuse);
  EXPECT_EQ(FleetKeyRule("All", 2, FleetColumn::Fleet, U'1', kEnglish), FleetKey::Refuse);
  EXPECT_EQ(FleetKeyRule("All", 3, FleetColumn::Fleet, U'1', kEnglish), FleetKey::Pass);
  EXPECT_EQ(FleetKeyRule("All", 3, FleetColumn::Id, U'a', kEnglish), FleetKey::BecomesA);
  EXPECT_EQ(FleetKeyRule("A", 0, FleetColumn::Id, U'1', kEnglish), FleetKey::Refuse);
  EXPECT_EQ(FleetKeyRule("A", 1, FleetColumn::Id, U'1', kEnglish), FleetKey::Pass);
  // The Chinese word counts by characters, not bytes.
  EXPECT_EQ(FleetKeyRule(kAllZh, 2, FleetColumn::Fleet, U'1', kChinese), FleetKey::Pass);
  EXPECT_EQ(FleetKeyRule(kAllZh, 1, FleetColumn::Fleet, U'1', kChinese), FleetKey::Refuse);
}

}  // namespace
}  // namespace kr4100
