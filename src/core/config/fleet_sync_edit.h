// SPDX-License-Identifier: GPL-3.0-or-later
// The FleetSync window's rules: its lists, the own fleet / own ID pair with the blank item that
// stands for "none", the fleet list grid's cells and entries, and which keys its cell box takes.
// The window only forwards what the user did and shows the outcome.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/config/item_list.h"
#include "core/config/radio_config.h"
#include "core/config/record_fields_blocks.h"
#include "core/texts/bilingual.h"

namespace kr4100 {

inline constexpr Bilingual kFleetSyncCaption{"FleetSync", "FleetSync(队列同步)"};
inline constexpr std::array<Bilingual, 2> kFleetSyncTabs{
    {{"FleetSync", "队列同步"}, {"Fleet List", "队列表"}}};
// The ID column's heading is the same word in both languages.
inline constexpr std::array<Bilingual, 3> kFleetGridHeadings{
    {{"No.", "编号"}, {"Fleet", "队列"}, {"ID", "ID"}}};
inline constexpr Bilingual kFleetGridName{"Fleet List", "队列表"};
inline constexpr Bilingual kFleetCellBoxName{"Fleet list cell", "队列表单元格"};

enum class FleetSyncList : int { OwnFleet = 0, OwnId, BaudRate, ModDelay, MsgTimer };
inline constexpr int kFleetSyncListCount = 5;
// The lists' labels, from the field table (the own ID's list keeps OwnId).
inline constexpr std::array<Bilingual, kFleetSyncListCount> kFleetSyncLabels{
    {std::get<0>(kFleetSyncFields).label, std::get<1>(kFleetSyncFields).label,
     std::get<2>(kFleetSyncFields).label, std::get<3>(kFleetSyncFields).label,
     std::get<4>(kFleetSyncFields).label}};
// Once a fleet is chosen the blank item leaves the list; the key brings "none" back.
inline constexpr Bilingual kOwnFleetNoneHint{"Delete or Backspace: no own fleet",
                                             "Delete 或 Backspace 键：无自身队列"};
inline constexpr Bilingual kPttIdSideToneText = std::get<5>(kFleetSyncFields).label;
inline constexpr Bilingual kFleetAll{"All", "所有"};

inline constexpr Integer kNoOwnFleet = std::get<0>(kFleetSyncFields).byDefault;
inline constexpr int kFleetFirst = 100, kFleetLast = 349;  // fleet numbers as shown
inline constexpr int kIdFirst = 1000, kIdLast = 4999;      // ID numbers as shown
inline constexpr Integer kFleetCellBlank = 255;
inline constexpr Integer kFleetCellAll = 0;
inline constexpr int kFleetCellMaxLength = 4;

// A list's items. The own lists leave out their blank head item; position p of them stores p + 1.
// The other lists store their position.
const ItemList& FleetSyncItems(FleetSyncList list);

// The blank head items and what the own fleet and own ID lists show. A shown value of 0 is the
// blank item, n > 0 the item for number n (fleet n + 99, ID n + 999), -1 nothing.
struct OwnLists {
  bool fleetHead = false;  // the blank item heads the own fleet list
  bool idHead = false;     // the blank item heads the own ID list
  int fleet = 0;
  int id = 0;
  friend bool operator==(const OwnLists&, const OwnLists&) = default;
};

// What the two lists show for the stored pair.
OwnLists ShownOwnLists(const FleetSyncSettings& s);

struct OwnPick {
  OwnLists lists;
  FleetSyncSettings settings;
};
// The own fleet list picked n (0 the blank): the blank also blanks the ID and stores none; a fleet
// with the ID still blank takes ID 1000.
OwnPick PickOwnFleet(const OwnLists& lists, FleetSyncSettings s, int fleet);
// The own ID list picked n (0 the blank): an ID with the fleet still blank takes fleet 100.
OwnPick PickOwnId(const OwnLists& lists, FleetSyncSettings s, int id);

// The same picks stored into the settings: what the two lists show afterwards.
OwnLists StoreOwnFleet(FleetSyncSettings& s, const OwnLists& lists, int fleet);
OwnLists StoreOwnId(FleetSyncSettings& s, const OwnLists& lists, int id);
// A pick in the baud rate, delay or timer list stored; a position outside the list stores nothing.
void StoreFleetSyncPick(FleetSyncSettings& s, FleetSyncList list, int position);
void StorePttIdSideTone(FleetSyncSettings& s, bool on);

// A list position and the shown value (0 the blank item) it stands for, given the blank head.
int OwnListPosition(bool head, int shown);
int OwnListShown(bool head, int position);

// The fleet list grid's columns.
enum class FleetColumn : int { Fleet = 1, Id = 2 };

// What a cell shows for a stored value: 255 nothing, 0 "All", otherwise the number.
std::string FleetCellText(Integer stored, FleetColumn column, int language);
// What a cell shows once the box's text is committed: "A" becomes "All", a number is clamped
// into the column's range, anything else stays as typed.
std::string FleetCellFromBox(std::string_view text, FleetColumn column, int language);

struct FleetListState {
  Integer count = 0;
  std::array<FleetListEntry, kFleetListSlots> entries{};
  friend bool operator==(const FleetListState&, const FleetListState&) = default;
};

struct FleetRowCells {
  std::string fleet;
  std::string id;
  friend bool operator==(const FleetRowCells&, const FleetRowCells&) = default;
};

struct FleetCommit {
  FleetListState list;
  FleetRowCells cells;  // the committed row's two cells afterwards
};

// Commits the box's text into cell (row 1..8, column) of a row that showed `cells`: the row's
// entry is made, changed or, for an empty text, deleted whole. New entries go last.
FleetCommit CommitFleetCell(FleetListState list, int row, FleetColumn column,
                            std::string_view boxText, FleetRowCells cells, int language);
// The same commit stored into the record's fleet list: the row's two cells afterwards.
FleetRowCells StoreFleetCell(RadioConfig& record, int row, FleetColumn column,
                             std::string_view boxText, FleetRowCells cells, int language);

// What a key typed into the cell box does.
enum class FleetKey { Refuse, Pass, BecomesA };
// text: the box's text; selected: how many of its characters are selected; key: the character
// the key types (control codes for editing keys).
FleetKey FleetKeyRule(std::string_view text, int selected, FleetColumn column, char32_t key,
                      int language);

}  // namespace kr4100
