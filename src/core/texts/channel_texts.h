// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of the channel table, shared by the grid and its printed page so that both always say
// the same. The switches' headings are in config/channel_attributes.h.
#pragma once

#include <array>

#include "core/texts/bilingual.h"

namespace kr4100 {

// The headings of the grid's channel-number and frequency columns; the switches' headings follow
// in the channel attribute table.
inline constexpr std::array<Bilingual, 3> kChannelLeadHeadings{{
    {"CH No.", "信道"},
    {"RX Frequency", "接收频率"},
    {"TX FreQuency", "发射频率"},
}};
// The stored value is the item's index.
inline constexpr std::array<Bilingual, 2> kEnableItems{{{"Disable", "不使用"}, {"Enable", "使用"}}};
inline constexpr std::array<Bilingual, 2> kScanItems{{{"Del", "删除"}, {"Add", "添加"}}};
inline constexpr Bilingual kGroupLabel{"Band", "组"};
inline constexpr Bilingual kEmergencyChannel{"Emergency Channel", "紧急信道"};
inline constexpr std::array<const char*, 6> kGroupLetters{"A", "B", "C", "D", "E", "F"};

}  // namespace kr4100
