// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/fleet_sync_edit.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace kr4100 {
namespace {

constexpr Bilingual kBaudItems[] = {{"1200", "1200"}, {"2400", "2400"}};
constexpr Bilingual kTimerOff[] = {{"Off", "关"}};

const ItemList kOwnFleetItems{{}, {kFleetFirst, 1, kFleetLast - kFleetFirst + 1, 0}, 1};
const ItemList kOwnIdItems{{}, {kIdFirst, 1, kIdLast - kIdFirst + 1, 0}, 1};
const ItemList kBaudRateItems{kBaudItems, {}, 0};
const ItemList kModDelayItems{{}, {0, 1, 6001, 0}, 0};
const ItemList kMsgTimerItems{kTimerOff, {1, 1, 300, 0}, 0};

bool IsNumber(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits only, at most a handful: no overflow, but a long run still counts as large.
long NumberOf(std::string_view digits) {
  long n = 0;
  for (char c : digits) n = std::min(n * 10 + (c - '0'), 1000000L);
  return n;
}

int CharacterCount(std::string_view utf8) {
  return static_cast<int>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

int Offset(FleetColumn column) {
  return column == FleetColumn::Fleet ? 99 : 999;
}

// The stored value of a cell that is not empty: "All" (or any other word) is 0.
long StoredOfCell(std::string_view text, FleetColumn column) {
  return IsNumber(text) ? NumberOf(text) - Offset(column) : kFleetCellAll;
}

// Number n picked in an own list: the list loses its blank head. A pick in one list while the
// other is still blank gives the other its first number too.
template <class Stored>
void PickNumber(bool& head, int& shown, Stored& stored, int n) {
  head = false;
  shown = n;
  stored = static_cast<Stored>(n);
}

}  // namespace

const ItemList& FleetSyncItems(FleetSyncList list) {
  switch (list) {
    case FleetSyncList::OwnFleet:
      return kOwnFleetItems;
    case FleetSyncList::OwnId:
      return kOwnIdItems;
    case FleetSyncList::BaudRate:
      return kBaudRateItems;
    case FleetSyncList::ModDelay:
      return kModDelayItems;
    case FleetSyncList::MsgTimer:
      return kMsgTimerItems;
  }
  throw std::out_of_range("FleetSyncItems");
}

OwnLists ShownOwnLists(const FleetSyncSettings& s) {
  if (s.OwnFleet == kNoOwnFleet) return {true, true, 0, 0};
  const int fleets = ItemCount(kOwnFleetItems), ids = ItemCount(kOwnIdItems);
  // A value no item stands for shows nothing rather than a wrong number.
  const int fleet = s.OwnFleet >= 1 && s.OwnFleet <= fleets ? s.OwnFleet : -1;
  const int id = s.OwnId >= 1 && s.OwnId <= ids ? static_cast<int>(s.OwnId) : -1;
  return {false, false, fleet, id};
}

OwnPick PickOwnFleet(const OwnLists& lists, FleetSyncSettings s, int fleet) {
  OwnLists out = lists;
  if (fleet == 0) {
    // "None" has no ID: the ID list takes its blank back.
    out.fleetHead = true;
    out.fleet = 0;
    out.idHead = true;
    out.id = 0;
    s.OwnFleet = kNoOwnFleet;
    s.OwnId = 0;
    return {out, s};
  }
  if (out.id == 0) PickNumber(out.idHead, out.id, s.OwnId, 1);
  PickNumber(out.fleetHead, out.fleet, s.OwnFleet, fleet);
  return {out, s};
}

OwnPick PickOwnId(const OwnLists& lists, FleetSyncSettings s, int id) {
  OwnLists out = lists;
  if (id == 0) {
    out.id = 0;
    s.OwnId = 0;
    return {out, s};
  }
  if (out.fleet == 0) PickNumber(out.fleetHead, out.fleet, s.OwnFleet, 1);
  PickNumber(out.idHead, out.id, s.OwnId, id);
  return {out, s};
}

OwnLists StoreOwnFleet(FleetSyncSettings& s, const OwnLists& lists, int fleet) {
  const OwnPick pick = PickOwnFleet(lists, s, fleet);
  s = pick.settings;
  return pick.lists;
}

OwnLists StoreOwnId(FleetSyncSettings& s, const OwnLists& lists, int id) {
  const OwnPick pick = PickOwnId(lists, s, id);
  s = pick.settings;
  return pick.lists;
}

void StoreFleetSyncPick(FleetSyncSettings& s, FleetSyncList list, int position) {
  const auto value = StoredOfItemIndex(FleetSyncItems(list), position);
  if (!value) return;
  if (list == FleetSyncList::BaudRate) s.BaudRate = static_cast<Integer>(*value);
  if (list == FleetSyncList::ModDelay) s.DataTxModDelay = *value;
  if (list == FleetSyncList::MsgTimer) s.MsgModeTimer = *value;
}

void StorePttIdSideTone(FleetSyncSettings& s, bool on) {
  s.PttIdSideTone = on ? 1 : 0;
}

int OwnListPosition(bool head, int shown) {
  if (shown < 0) return -1;
  if (shown == 0) return head ? 0 : -1;
  return shown - 1 + (head ? 1 : 0);
}

int OwnListShown(bool head, int position) {
  if (position < 0) return -1;
  if (head) return position;  // the blank is 0, the numbers follow it
  return position + 1;
}

std::string FleetCellText(Integer stored, FleetColumn column, int language) {
  if (stored == kFleetCellBlank) return {};
  if (stored == kFleetCellAll) return kFleetAll.in(language);
  return std::to_string(stored + Offset(column));
}

std::string FleetCellFromBox(std::string_view text, FleetColumn column, int language) {
  if (text == "A") return kFleetAll.in(language);
  if (IsNumber(text)) {
    const long n = NumberOf(text);
    const long clamped = column == FleetColumn::Fleet ? std::clamp<long>(n, kFleetFirst, kFleetLast)
                                                      : std::clamp<long>(n, kIdFirst, kIdLast);
    return std::to_string(clamped);
  }
  return std::string(text);
}

FleetCommit CommitFleetCell(FleetListState list, int row, FleetColumn column,
                            std::string_view boxText, FleetRowCells cells, int language) {
  if (row < 1 || row > kFleetListSlots) throw std::out_of_range("CommitFleetCell row");
  // A file may carry a count beyond the slots; only the slots are ever read.
  list.count = static_cast<Integer>(std::clamp<int>(list.count, 0, kFleetListSlots));
  std::string& cell = column == FleetColumn::Fleet ? cells.fleet : cells.id;
  std::string& other = column == FleetColumn::Fleet ? cells.id : cells.fleet;
  cell = FleetCellFromBox(boxText, column, language);

  int found = -1;
  for (int i = 0; i < list.count; ++i)
    if (list.entries[static_cast<std::size_t>(i)].Row == row) {
      found = i;
      break;
    }

  if (boxText.empty()) {
    cell.clear();
    if (found >= 0) {
      auto first = list.entries.begin() + found;
      std::move(first + 1, list.entries.begin() + list.count, first);
      list.entries[static_cast<std::size_t>(list.count - 1)] = FleetListEntry{};
      --list.count;
    }
    return {list, cells};
  }

  if (other.empty()) other = kFleetAll.in(language);
  FleetListEntry entry;
  entry.Row = static_cast<Integer>(row);
  entry.Fleet = static_cast<Integer>(StoredOfCell(cells.fleet, FleetColumn::Fleet));
  entry.Id = static_cast<Long>(StoredOfCell(cells.id, FleetColumn::Id));
  if (found >= 0) {
    list.entries[static_cast<std::size_t>(found)] = entry;
  } else if (list.count < kFleetListSlots) {
    list.entries[static_cast<std::size_t>(list.count)] = entry;
    ++list.count;
  }
  return {list, cells};
}

FleetKey FleetKeyRule(std::string_view text, int selected, FleetColumn column, char32_t key,
                      int language) {
  // Cut, paste and copy.
  if (key == 24 || key == 22 || key == 3) return FleetKey::Refuse;
  if (key == '\r' || key == '\n') return FleetKey::Refuse;  // Enter moves on instead
  if (key > 127) return FleetKey::Refuse;
  const bool printable = key >= 32 && key != 127;
  if (!printable) return FleetKey::Pass;  // Backspace and the other editing keys
  const bool digit = key >= '0' && key <= '9';
  if (!digit && key != 'a' && key != 'A') return FleetKey::Refuse;
  const FleetKey typed = key == 'a' ? FleetKey::BecomesA : FleetKey::Pass;

  if (text == kFleetAll.in(language) || text == "A")
    return selected >= CharacterCount(text) ? typed : FleetKey::Refuse;
  if (IsNumber(text)) {
    if (!digit) return FleetKey::Refuse;
    const int kept = CharacterCount(text) - selected;
    return kept >= (column == FleetColumn::Fleet ? 3 : 4) ? FleetKey::Refuse : FleetKey::Pass;
  }
  return typed;
}

FleetRowCells StoreFleetCell(RadioConfig& record, int row, FleetColumn column,
                             std::string_view boxText, FleetRowCells cells, int language) {
  const FleetCommit done = CommitFleetCell({record.FleetListCount, record.FleetList}, row, column,
                                           boxText, std::move(cells), language);
  record.FleetListCount = done.list.count;
  record.FleetList = done.list.entries;
  return done.cells;
}

}  // namespace kr4100
