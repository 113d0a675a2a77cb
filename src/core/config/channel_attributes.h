// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid's columns and the switches of a channel (BUSY .. Scan), described once. The
// grid, its printed page, the CSV file, the document, the difference listing and the image packer
// all walk kChannelAttributes, so a new switch is one more entry here (and in its test).
#pragma once

#include <array>
#include <cstddef>

#include "core/config/radio_config.h"
#include "core/texts/bilingual.h"
#include "core/texts/channel_texts.h"

namespace kr4100 {

// Channel grid columns as SetChannelField and SetChannelValue number them: the channel number,
// the two frequencies, then the switches in the order of kChannelAttributes.
enum ChannelColumn : int {
  kColRxFre = 1, kColTxFre, kColBusy, kColEcho, kColHiCut, kColPlus10K, kColNbAnl, kColRb, kColScan,
};

// A switch the radio keeps in the group's scan bitmap rather than in the channel's flag byte.
inline constexpr int kInScanBitmap = -1;

struct ChannelAttribute {
  int column;  // ChannelColumn
  Integer ChInfo::*member;
  const char* field;  // the record field's name, as a refused write names it
  // The grid's and the printed page's heading, and the name a difference listing gives it.
  Bilingual heading;
  const char* csvHeading;
  const std::array<Bilingual, 2>& words;  // shown for the stored values 0 and 1
  Integer newChannel;  // what a channel created in the grid starts with
  int imageBit;        // the bit of the channel record's flag byte, or kInScanBitmap
};

inline constexpr std::array<ChannelAttribute, 7> kChannelAttributes{{
    {kColBusy, &ChInfo::Busy, "Busy", {"BUSY", "BUSY"}, "BUSY", kEnableItems, 0, 1},
    {kColEcho, &ChInfo::Echo, "Echo", {"ECHO", "ECHO"}, "ECHO", kEnableItems, 1, 3},
    {kColHiCut, &ChInfo::HiCut, "HiCut", {"HI-CUT", "HI-CUT"}, "HI-CUT", kEnableItems, 0, 4},
    // "+10KHz" would start a formula in a spreadsheet, so the file spells it out.
    {kColPlus10K, &ChInfo::Plus10K, "Plus10K", {"+10KHz", "+10KHz"}, "Plus 10KHz", kEnableItems,
     0, 5},
    {kColNbAnl, &ChInfo::NbAnl, "NbAnl", {"NB/ANL", "NB/ANL"}, "NB/ANL", kEnableItems, 0, 6},
    {kColRb, &ChInfo::Rb, "Rb", {"RB", "RB"}, "RB", kEnableItems, 0, 7},
    {kColScan, &ChInfo::Scan, "Scan", {"Scan", "扫描"}, "Scan", kScanItems, 1, kInScanBitmap},
}};

inline constexpr int kChannelAttributeCount = static_cast<int>(kChannelAttributes.size());
// Column 0 shows the channel number.
inline constexpr int kChannelColumnCount = kColBusy + kChannelAttributeCount;
static_assert(kChannelLeadHeadings.size() == kColBusy);
static_assert(kGroupLetters.size() == kGroupCount);

constexpr bool AttributesFollowTheirColumns() {
  for (int k = 0; k < kChannelAttributeCount; ++k)
    if (kChannelAttributes[static_cast<std::size_t>(k)].column != kColBusy + k) return false;
  return true;
}
static_assert(AttributesFollowTheirColumns(), "the table's order is the grid's column order");

// The switch a grid column edits; nothing for the number and frequency columns.
constexpr const ChannelAttribute* AttributeOfColumn(int column) {
  const int k = column - kColBusy;
  return k >= 0 && k < kChannelAttributeCount ? &kChannelAttributes[static_cast<std::size_t>(k)]
                                              : nullptr;
}

// The heading of grid column 0 .. kChannelColumnCount - 1.
constexpr const Bilingual& ChannelHeading(int column) {
  if (const ChannelAttribute* a = AttributeOfColumn(column)) return a->heading;
  return kChannelLeadHeadings.at(static_cast<std::size_t>(column));
}

// The word a stored value shows as; nothing for a value other than 0 and 1 (a foreign file).
constexpr const Bilingual* WordOfValue(const ChannelAttribute& a, int value) {
  return value == 0 || value == 1 ? &a.words[static_cast<std::size_t>(value)] : nullptr;
}

}  // namespace kr4100
