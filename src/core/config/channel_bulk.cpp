// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/channel_bulk.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

#include "core/config/channel_attributes.h"
#include "core/config/numbers.h"
#include "core/config/scan_tables.h"
#include "core/texts/channel_bulk_texts.h"
#include "core/texts/channel_texts.h"

namespace kr4100 {
namespace {

bool ValidGroup(int g) {
  return g >= 0 && g < kGroupCount;
}
bool ValidRow(int n) {
  return n >= 1 && n <= kChannelsPerGroup;
}

// The chosen rows in ascending order, each once, only real rows.
std::vector<int> Rows(std::vector<int> chNums) {
  std::erase_if(chNums, [](int n) { return !ValidRow(n); });
  std::sort(chNums.begin(), chNums.end());
  chNums.erase(std::unique(chNums.begin(), chNums.end()), chNums.end());
  return chNums;
}

Integer& EmergencyOf(RadioConfig& r, int g) {
  return r.OptFeat[static_cast<std::size_t>(kEmgCh0 + g)];
}

// newRow[old] is the row that what stood on row `old` moves to (0 stays unused).
using RowMap = std::array<int, kChannelsPerGroup + 1>;

RowMap IdentityRows() {
  RowMap map{};
  std::iota(map.begin(), map.end(), 0);
  return map;
}

// Renumbers the group's channels; its emergency channel stays with the channel it was.
void Renumber(RadioConfig& r, int g, const RowMap& newRow) {
  Integer& emg = EmergencyOf(r, g);
  if (r.findChannel(g, emg + 1) && ValidRow(emg + 1))
    emg = static_cast<Integer>(newRow[static_cast<std::size_t>(emg + 1)] - 1);
  for (int c = 1; c <= r.usedChannels(g); ++c) {
    ChInfo& e = r.slot(c, g);
    if (ValidRow(e.ChNum))
      e.ChNum = static_cast<Integer>(newRow[static_cast<std::size_t>(e.ChNum)]);
  }
}

BulkOutcome Refused(MessageId id, int group) {
  return {.changed = false, .refusal = id, .refusalGroup = group, .chosen = {}};
}

BulkOutcome Changed(std::vector<int> chosen) {
  return {
      .changed = true, .refusal = std::nullopt, .refusalGroup = -1, .chosen = std::move(chosen)};
}

// The used slots, in order, without the given ones.
void DropSlots(RadioConfig& r, int g, const std::vector<int>& slots) {
  const int used = r.usedChannels(g);
  int kept = 0;
  for (int c = 1; c <= used; ++c) {
    if (std::find(slots.begin(), slots.end(), c) != slots.end()) continue;
    r.slot(++kept, g) = r.slot(c, g);
  }
  r.ChCount[static_cast<std::size_t>(g)] = static_cast<Integer>(kept);
}

// The slots of the chosen rows that hold a channel, in row order.
std::vector<int> SlotsOfRows(const RadioConfig& r, int g, const std::vector<int>& rows) {
  std::vector<int> slots;
  for (int row : rows)
    if (const ChInfo* e = r.findChannel(g, row))
      slots.push_back(static_cast<int>(e - r.Ch[static_cast<std::size_t>(g)].data()) + 1);
  return slots;
}

// A frequency under the grid's own rules (band check, 10 Hz snapping), in stored form, or
// nothing when it leaves the band. Never clamped: a fill that would pull a row to the band's
// edge would give two channels one frequency.
std::optional<std::string> InBand(long long hz, const BandEdges& band) {
  const std::string display =
      NormaliseFreText(FormatFixed6(static_cast<double>(hz) / 1e6), false, band, {});
  if (display.empty()) return std::nullopt;
  return FreToStore(display, band);
}

}  // namespace

std::string BulkRefusalText(const BulkOutcome& outcome, int language) {
  if (!outcome.refusal) return {};
  const std::string letter = ValidGroup(outcome.refusalGroup)
                                 ? kGroupLetters[static_cast<std::size_t>(outcome.refusalGroup)]
                                 : "";
  return MessageWith(*outcome.refusal, language, {{"{group}", letter}});
}

void RecheckEmergencyChannels(RadioConfig& r) {
  for (int g = 0; g < kGroupCount; ++g) {
    Integer& emg = EmergencyOf(r, g);
    if (r.findChannel(g, emg + 1)) continue;
    emg = r.usedChannels(g) > 0 ? static_cast<Integer>(r.slot(1, g).ChNum - 1) : Integer{-1};
  }
}

BulkOutcome SetAttributeOfChannels(RadioConfig& r, int group, const std::vector<int>& chNums,
                                   int column, Integer value) {
  const ChannelAttribute* attribute = AttributeOfColumn(column);
  if (!ValidGroup(group) || !attribute) return {};
  const std::vector<int> rows = Rows(chNums);
  bool changed = false;
  for (int slot : SlotsOfRows(r, group, rows)) {
    Integer& field = r.slot(slot, group).*attribute->member;
    changed = changed || field != value;
    field = value;
  }
  return changed ? Changed(rows) : BulkOutcome{};
}

// ---- fill -----------------------------------------------------------------------------------

ParsedFillSteps ParseFillSteps(const std::string& start, const std::string& step,
                               const std::string& offset) {
  ParsedFillSteps parsed;
  auto refuse = [&](MessageId id, FillField field) {
    parsed.refusal = id;
    parsed.field = field;
    return parsed;
  };
  // Far beyond any band: whole hertz of them must still fit a 64-bit count.
  constexpr double kLimitMHz = 1e9;
  const auto s = ParseNumber(start);
  if (!s || std::abs(*s) > kLimitMHz) return refuse(MessageId::FillNotNumbers, FillField::Start);
  // In hundredths of a kHz, that is in tens of hertz.
  constexpr long long kLimitTens = 100'000'000'000LL;
  const auto k = ParseScaledNumber(step, 2);
  if (!k || std::abs(k->units) > kLimitTens)
    return refuse(MessageId::FillNotNumbers, FillField::Step);
  const auto o = ParseScaledNumber(offset.empty() ? std::string("0") : offset, 2);
  if (!o || std::abs(o->units) > kLimitTens)
    return refuse(MessageId::FillNotNumbers, FillField::Offset);
  if (!k->whole) return refuse(MessageId::FillStepNotTenHz, FillField::Step);
  if (!o->whole) return refuse(MessageId::FillOffsetNotTenHz, FillField::Offset);
  parsed.steps = FillSteps{*s, k->units * 10, o->units * 10};
  return parsed;
}

FillPlan PlanFillOverRows(const RadioConfig&, int group, std::vector<int> chNums,
                          const FillSteps& steps, const BandEdges& band) {
  FillPlan plan;
  plan.group = group;
  if (!ValidGroup(group)) return plan;
  if (steps.stepHz % 10 != 0) {
    plan.refusal = MessageId::FillStepNotTenHz;
    return plan;
  }
  if (steps.offsetHz % 10 != 0) {
    plan.refusal = MessageId::FillOffsetNotTenHz;
    return plan;
  }
  const long long start = std::llround(steps.startMHz * 1e6);
  const std::vector<int> rows = Rows(std::move(chNums));
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const long long rxHz = start + static_cast<long long>(k) * steps.stepHz;
    const auto rx = InBand(rxHz, band);
    const auto tx = InBand(rxHz + steps.offsetHz, band);
    if (rx && tx) {
      plan.channels.push_back({rows[k], *rx, *tx});
    } else {
      const long long bad = rx ? rxHz + steps.offsetHz : rxHz;
      plan.refused.push_back(
          {rows[k], rx ? kColTxFre : kColRxFre, FormatFixed6(static_cast<double>(bad) / 1e6)});
    }
  }
  return plan;
}

FillPlan PlanFillNewChannels(const RadioConfig& r, int group, int count, const FillSteps& steps,
                             const BandEdges& band) {
  FillPlan plan;
  plan.group = group;
  if (!ValidGroup(group) || count < 1) return plan;
  int highest = 0;
  for (int c = 1; c <= r.usedChannels(group); ++c)
    highest = std::max<int>(highest, r.slot(c, group).ChNum);
  if (highest + count > kChannelsPerGroup) {
    plan.refusal = MessageId::ChannelsPastSixty;
    return plan;
  }
  std::vector<int> rows(static_cast<std::size_t>(count));
  std::iota(rows.begin(), rows.end(), highest + 1);
  return PlanFillOverRows(r, group, std::move(rows), steps, band);
}

BulkOutcome ApplyFill(RadioConfig& r, const FillPlan& plan) {
  const int g = plan.group;
  if (!ValidGroup(g) || plan.refusal || plan.channels.empty()) return {};
  std::vector<int> chosen;
  for (const FilledChannel& f : plan.channels) {
    ChInfo* e = r.findChannel(g, f.chNum);
    if (!e) {
      const int used = r.usedChannels(g);
      if (used >= kChannelsPerGroup) continue;  // cannot happen: one row, one channel
      r.ChCount[static_cast<std::size_t>(g)] = static_cast<Integer>(used + 1);
      e = &r.slot(used + 1, g);
      // Created as a typed RX frequency creates it.
      *e = ChInfo{};
      e->ChNum = static_cast<Integer>(f.chNum);
      e->ChUsed = 1;
      for (const ChannelAttribute& a : kChannelAttributes) e->*a.member = a.newChannel;
    }
    e->RxFre = f.rx;
    e->TxFre = f.tx;
    chosen.push_back(f.chNum);
  }
  RecheckEmergencyChannels(r);
  return Changed(std::move(chosen));
}

std::string DescribeRefusedFills(const std::vector<RefusedFill>& refused, int language,
                                 std::size_t limit) {
  std::string text;
  const std::size_t shown = std::min(limit, refused.size());
  for (std::size_t k = 0; k < shown; ++k) {
    const RefusedFill& f = refused[k];
    if (k > 0) text += "\r\n";
    text += kFillRefusedChannel.in(language) + std::to_string(f.chNum) +
            kFillRefusedSeparator.in(language) +
            (f.column == kColTxFre ? kFillRefusedTx : kFillRefusedRx).in(language) + f.mhz +
            kFillRefusedOutside.in(language);
  }
  if (refused.size() > shown) {
    std::string more = kFillRefusedMore.in(language);
    more.replace(more.find("{n}"), 3, std::to_string(refused.size() - shown));
    text += "\r\n" + more;
  }
  return text;
}

FillRefusalText DescribeFillRefusal(const FillPlan& plan, const std::string& bandText, int language,
                                    std::size_t limit) {
  const bool canFillRest = !plan.channels.empty();
  return {MessageWith(MessageId::FillRefused, language, {{"{band}", bandText}}) + "\r\n" +
              DescribeRefusedFills(plan.refused, language, limit) + "\r\n" +
              MessageText(canFillRest ? MessageId::FillTheRest : MessageId::FillNothing, language),
          canFillRest};
}

// ---- rows -----------------------------------------------------------------------------------

BulkOutcome MoveRows(RadioConfig& r, int group, const std::vector<int>& chNums, int by) {
  const std::vector<int> rows = Rows(chNums);
  if (!ValidGroup(group) || rows.empty() || (by != -1 && by != 1)) return {};
  if ((by < 0 && rows.front() == 1) || (by > 0 && rows.back() == kChannelsPerGroup)) return {};
  // standing[row]: the row whose content stands there now. Each chosen row swaps with its
  // neighbour, nearest the edge first, so a block moves whole.
  RowMap standing = IdentityRows();
  auto swapWithNeighbour = [&](int row) {
    std::swap(standing[static_cast<std::size_t>(row)],
              standing[static_cast<std::size_t>(row + by)]);
  };
  if (by < 0)
    std::for_each(rows.begin(), rows.end(), swapWithNeighbour);
  else
    std::for_each(rows.rbegin(), rows.rend(), swapWithNeighbour);
  RowMap newRow{};
  for (int row = 1; row <= kChannelsPerGroup; ++row)
    newRow[static_cast<std::size_t>(standing[static_cast<std::size_t>(row)])] = row;
  Renumber(r, group, newRow);
  std::vector<int> chosen;
  for (int row : rows) chosen.push_back(row + by);
  return Changed(std::move(chosen));
}

BulkOutcome InsertEmptyRows(RadioConfig& r, int group, const std::vector<int>& chNums) {
  const std::vector<int> rows = Rows(chNums);
  if (!ValidGroup(group) || rows.empty()) return {};
  const int first = rows.front();
  const int count = static_cast<int>(rows.size());
  // Each channel from the first chosen row on goes below the rows made empty and below the
  // channel before it, and no further: an empty row on the way takes the push up.
  RowMap newRow = IdentityRows();
  int last = first + count - 1;
  bool moved = false;
  for (int row = first; row <= kChannelsPerGroup; ++row) {
    if (!r.findChannel(group, row)) continue;
    last = std::max(row, last + 1);
    if (last > kChannelsPerGroup) return Refused(MessageId::ChannelsPastSixty, group);
    newRow[static_cast<std::size_t>(row)] = last;
    moved = moved || last != row;
  }
  if (!moved) return {};
  Renumber(r, group, newRow);
  std::vector<int> chosen(static_cast<std::size_t>(count));
  std::iota(chosen.begin(), chosen.end(), first);
  return Changed(std::move(chosen));
}

BulkOutcome DeleteChannels(RadioConfig& r, int group, const std::vector<int>& chNums) {
  if (!ValidGroup(group)) return {};
  const std::vector<int> slots = SlotsOfRows(r, group, Rows(chNums));
  if (slots.empty()) return {};
  if (r.usedChannels(group) - static_cast<int>(slots.size()) < 1)
    return Refused(MessageId::GroupKeepsOneChannel, group);
  DropSlots(r, group, slots);
  RecheckEmergencyChannels(r);
  return Changed({});
}

BulkOutcome SortByRxFrequency(RadioConfig& r, int group) {
  if (!ValidGroup(group)) return {};
  struct Entry {
    int chNum;
    double rx;
  };
  std::vector<Entry> entries;
  for (int c = 1; c <= r.usedChannels(group); ++c) {
    const ChInfo& e = r.slot(c, group);
    if (!ValidRow(e.ChNum)) continue;
    // A channel without a frequency goes last.
    const auto rx = ParseNumber(FreToText(e.RxFre.text(), BandEdges{}));
    entries.push_back({e.ChNum, rx.value_or(kStoredFreLimit)});
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.chNum < b.chNum; });
  std::vector<int> numbers;
  for (const Entry& e : entries) numbers.push_back(e.chNum);
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return a.rx < b.rx; });
  RowMap newRow = IdentityRows();
  bool changed = false;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    newRow[static_cast<std::size_t>(entries[k].chNum)] = numbers[k];
    changed = changed || entries[k].chNum != numbers[k];
  }
  if (!changed) return {};
  Renumber(r, group, newRow);
  return Changed({});
}

BulkOutcome MoveChannelsToGroup(RadioConfig& r, int group, const std::vector<int>& chNums,
                                int target) {
  if (!ValidGroup(group) || !ValidGroup(target) || target == group) return {};
  const std::vector<int> slots = SlotsOfRows(r, group, Rows(chNums));
  const int moving = static_cast<int>(slots.size());
  if (moving == 0) return {};
  const int targetUsed = r.usedChannels(target);
  if (targetUsed + moving > kChannelsPerGroup) return Refused(MessageId::ChannelsPastSixty, target);
  if (r.usedChannels(group) - moving < 1) return Refused(MessageId::GroupKeepsOneChannel, group);

  std::array<bool, kChannelsPerGroup + 1> taken{};
  int highest = 0;
  for (int c = 1; c <= targetUsed; ++c) {
    const int n = r.slot(c, target).ChNum;
    if (ValidRow(n)) taken[static_cast<std::size_t>(n)] = true;
    highest = std::max(highest, n);
  }
  std::vector<int> free;
  for (int n = highest + 1; n <= kChannelsPerGroup; ++n) free.push_back(n);
  for (int n = 1; n <= std::min(highest, kChannelsPerGroup); ++n)
    if (!taken[static_cast<std::size_t>(n)]) free.push_back(n);

  for (int k = 0; k < moving; ++k) {
    ChInfo& moved = r.slot(targetUsed + k + 1, target);
    moved = r.slot(slots[static_cast<std::size_t>(k)], group);
    moved.ChNum = static_cast<Integer>(free[static_cast<std::size_t>(k)]);
  }
  r.ChCount[static_cast<std::size_t>(target)] = static_cast<Integer>(targetUsed + moving);
  DropSlots(r, group, slots);
  RecheckEmergencyChannels(r);
  return Changed({});
}

// ---- the scan priority channel ----------------------------------------------------------------

std::vector<int> GroupsWherePriorityChannelChanged(const RadioConfig& before,
                                                   const RadioConfig& after) {
  std::vector<int> changed;
  const auto setting = [](const RadioConfig& r, ScanSetting s) {
    return r.ScanInfo[static_cast<std::size_t>(s)];
  };
  const int chNum = setting(before, ScanSetting::PriorityChannel);
  if (setting(before, ScanSetting::Priority) != kPriorityFixed || !ValidRow(chNum)) return changed;
  for (int g = 0; g < kGroupCount; ++g) {
    const ChInfo* was = before.findChannel(g, chNum);
    const ChInfo* is = after.findChannel(g, chNum);
    // The channel is its frequencies: what else a command moves goes with them.
    const bool same =
        (!was && !is) || (was && is && was->RxFre == is->RxFre && was->TxFre == is->TxFre);
    if (!same) changed.push_back(g);
  }
  return changed;
}

BulkCommandText DescribeBulkCommand(const std::string& command, const RadioConfig& before,
                                    const RadioConfig& after, int language) {
  const std::vector<int> groups = GroupsWherePriorityChannelChanged(before, after);
  if (groups.empty()) return {command, false};
  std::string letters;
  for (int g : groups) {
    if (!letters.empty()) letters += kGroupListSeparator.in(language);
    letters += kGroupLetters[static_cast<std::size_t>(g)];
  }
  std::string text =
      (groups.size() == 1 ? kPriorityChannelMovedInGroup : kPriorityChannelMovedInGroups)
          .in(language);
  const std::string chNum =
      std::to_string(before.ScanInfo[static_cast<std::size_t>(ScanSetting::PriorityChannel)]);
  auto fill = [&text](std::string_view field, const std::string& value) {
    const auto at = text.find(field);
    if (at != std::string::npos) text.replace(at, field.size(), value);
  };
  // The command's name last: it is the only part that could hold a brace.
  fill("{n}", chNum);
  fill("{groups}", letters);
  fill("{command}", command);
  return {text, true};
}

}  // namespace kr4100
