// SPDX-License-Identifier: GPL-3.0-or-later
// What the scan information window shows: the seven ScanInfo lists, their items, the value each
// position stores, the revert items of each priority mode and which lists a mode leaves usable.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/radio_config.h"
#include "core/texts/bilingual.h"

namespace kr4100 {

// ScanInfo index of each setting, also the number of its list Combo1(k).
enum class ScanSetting : int {
  Priority = 0,
  PriorityChannel,
  LookBackA,
  LookBackB,
  Revert,
  DropoutDelay,
  TxDwell,
};
inline constexpr int kScanSettingCount = 7;

inline constexpr Bilingual kScanInfoCaption{"Scan Information", "扫描信息"};

inline constexpr int kNoPriorityChannel = 255;

// The hint beside the priority-channel list: %1 is the channel number, %2 the group letters.
// The channel grid calls a group "Band" in English, so the hint does too.
inline constexpr Bilingual kPriorityChannelMissing{"No channel %1 in Band %2",
                                                   "组%2中没有信道%1"};
inline constexpr Bilingual kGroupListSeparator{", ", "、"};

// Priority modes (ScanInfo(0)).
inline constexpr int kPriorityNone = 0;
inline constexpr int kPriorityFixed = 1;
inline constexpr int kPrioritySelected = 2;

// What two lists depend on beyond their setting.
struct ScanListContext {
  int priorityMode = kPriorityNone;  // picks the revert items
  int priorityChannels = 40;         // channel numbers the priority-channel list offers
};
// The context of a record whose document has the given model-type code.
ScanListContext ScanListContextOf(const RadioConfig& record, std::string_view modelCode);

const Bilingual& ScanCaption(ScanSetting setting);

std::vector<std::string> ScanItemTexts(ScanSetting setting, const ScanListContext& context,
                                       int language);
// The position that shows a stored value; nothing when no item stands for it. A revert code
// shows in the items of the mode in force (without the fixed mode, as a code of the same
// talk-back choice), so a mode change never needs the stored code to change.
std::optional<int> ItemIndexOfStored(ScanSetting setting, int stored,
                                     const ScanListContext& context);
// The value the item at a position stores; nothing outside the list.
std::optional<int> StoredOfItemIndex(ScanSetting setting, int position,
                                     const ScanListContext& context);
// A pick stored into the record's scan settings; false (nothing stored) outside the list.
bool StoreScanPick(RadioConfig& record, ScanSetting setting, int position,
                   const ScanListContext& context);

// The revert codes a priority mode offers, in list order (none for an unknown mode).
std::vector<int> RevertCodes(int priorityMode);
// The name of a revert code 0..3; nothing for other codes.
std::optional<Bilingual> RevertText(int code);

// Whether a priority mode leaves a list usable: without priority neither the priority channel
// nor the look-back times apply, and a selected priority channel is not chosen from the list.
bool ScanListEnabled(ScanSetting setting, int priorityMode);

// The priority mode the window shows and works with for a stored mode: a mode no item stands
// for shows as the first item ("None") until the user picks one; the record keeps it till then.
int ShownPriorityMode(int storedMode);

// The groups in use (holding at least one channel) that have no channel of the fixed priority
// channel's number, in group order. Empty unless the mode is "Fixd" with a channel chosen: only
// then does the radio go to that channel. A hint, never a refusal: channels may be added later.
std::vector<int> GroupsLackingPriorityChannel(const RadioConfig& record);

}  // namespace kr4100
