// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/scan_tables.h"

#include <algorithm>
#include <array>

#include "core/config/item_list.h"
#include "core/config/model_band.h"
#include "core/config/record_fields_blocks.h"

namespace kr4100 {
namespace {

static_assert(kScanInfoFields.size() == kScanSettingCount);

constexpr std::array<Bilingual, 3> kPriorityItems{
    {{"None", "无"}, {"Fixd", "固定"}, {"Selected", "选定"}}};
constexpr std::array<Bilingual, 4> kRevertItems{{
    {"Selected", "选定"},
    {"Selected+Talk Back", "选定+当前通话"},
    {"Priority", "优先"},
    {"Priority+Talk Back", "优先+当前通话"},
}};

constexpr ItemList kPriorityList{kPriorityItems};
// 0.50 .. 5.00 s in 0.05 s steps; the stored value counts from 1.
constexpr ItemList kLookBackList{{}, {50, 5, 91, 2}, 1};
constexpr ItemList kSecondsList{{}, {0, 1, 301, 0}, 0};

// Item 0 stands for "no priority channel" (stored 255), item n for channel n.
ItemList PriorityChannelList(const ScanListContext& context) {
  return {std::span(kPriorityItems).first(1), {1, 1, std::max(context.priorityChannels, 0), 0}, 0};
}

// The lists whose positions map to stored values by an offset.
std::optional<ItemList> PlainList(ScanSetting setting) {
  switch (setting) {
    case ScanSetting::Priority:
      return kPriorityList;
    case ScanSetting::LookBackA:
    case ScanSetting::LookBackB:
      return kLookBackList;
    case ScanSetting::DropoutDelay:
    case ScanSetting::TxDwell:
      return kSecondsList;
    case ScanSetting::PriorityChannel:
    case ScanSetting::Revert:
      break;
  }
  return std::nullopt;
}

}  // namespace

ScanListContext ScanListContextOf(const RadioConfig& record, std::string_view modelCode) {
  return {record.ScanInfo[static_cast<std::size_t>(ScanSetting::Priority)],
          PriorityChannelCount(modelCode)};
}

const Bilingual& ScanCaption(ScanSetting setting) {
  return kScanInfoFields.at(static_cast<std::size_t>(setting)).label;
}

std::vector<std::string> ScanItemTexts(ScanSetting setting, const ScanListContext& context,
                                       int language) {
  if (const auto list = PlainList(setting)) return ItemTexts(*list, language);
  if (setting == ScanSetting::PriorityChannel)
    return ItemTexts(PriorityChannelList(context), language);
  std::vector<std::string> texts;
  for (const int code : RevertCodes(context.priorityMode))
    texts.emplace_back(RevertText(code)->in(language));
  return texts;
}

std::optional<int> ItemIndexOfStored(ScanSetting setting, int stored,
                                     const ScanListContext& context) {
  if (const auto list = PlainList(setting)) return ItemIndexOfStored(*list, stored);
  if (setting == ScanSetting::PriorityChannel) {
    if (stored == kNoPriorityChannel) return 0;
    if (stored == 0) return std::nullopt;  // item 0 is taken by "no priority channel"
    return ItemIndexOfStored(PriorityChannelList(context), stored);
  }
  switch (context.priorityMode) {
    case kPriorityFixed:
      return ItemIndexOfStored(ItemList{kRevertItems}, stored);
    case kPriorityNone:
    case kPrioritySelected:
      return stored & 1;  // with or without talk back
    default:
      return std::nullopt;
  }
}

std::optional<int> StoredOfItemIndex(ScanSetting setting, int position,
                                     const ScanListContext& context) {
  if (const auto list = PlainList(setting)) return StoredOfItemIndex(*list, position);
  if (setting == ScanSetting::PriorityChannel) {
    if (position == 0) return kNoPriorityChannel;
    return StoredOfItemIndex(PriorityChannelList(context), position);
  }
  const std::vector<int> codes = RevertCodes(context.priorityMode);
  if (position < 0 || position >= static_cast<int>(codes.size())) return std::nullopt;
  return codes[static_cast<std::size_t>(position)];
}

bool StoreScanPick(RadioConfig& record, ScanSetting setting, int position,
                   const ScanListContext& context) {
  const auto value = StoredOfItemIndex(setting, position, context);
  if (!value) return false;
  record.ScanInfo[static_cast<std::size_t>(setting)] = static_cast<Integer>(*value);
  return true;
}

std::vector<int> RevertCodes(int priorityMode) {
  switch (priorityMode) {
    case kPriorityNone:
      return {0, 1};
    case kPriorityFixed:
      return {0, 1, 2, 3};
    case kPrioritySelected:
      return {2, 3};
    default:
      return {};
  }
}

std::optional<Bilingual> RevertText(int code) {
  if (code < 0 || code >= static_cast<int>(kRevertItems.size())) return std::nullopt;
  return kRevertItems[static_cast<std::size_t>(code)];
}

bool ScanListEnabled(ScanSetting setting, int priorityMode) {
  switch (setting) {
    case ScanSetting::PriorityChannel:
      return priorityMode != kPriorityNone && priorityMode != kPrioritySelected;
    case ScanSetting::LookBackA:
    case ScanSetting::LookBackB:
      return priorityMode != kPriorityNone;
    default:
      return true;
  }
}

int ShownPriorityMode(int storedMode) {
  return ItemIndexOfStored(ScanSetting::Priority, storedMode, ScanListContext{}).value_or(0);
}

std::vector<int> GroupsLackingPriorityChannel(const RadioConfig& record) {
  const int mode = record.ScanInfo[static_cast<std::size_t>(ScanSetting::Priority)];
  const int chNum = record.ScanInfo[static_cast<std::size_t>(ScanSetting::PriorityChannel)];
  std::vector<int> lacking;
  if (mode != kPriorityFixed || chNum == kNoPriorityChannel) return lacking;
  for (int g = 0; g < kGroupCount; ++g) {
    if (record.usedChannels(g) == 0) continue;  // an empty group is not in use
    if (!record.findChannel(g, chNum)) lacking.push_back(g);
  }
  return lacking;
}

}  // namespace kr4100
