// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears for the channel grid, in both languages: its name and the text of a
// cell (heading, value, channel).
#pragma once

#include <string>
#include <string_view>

#include "core/texts/bilingual.h"

namespace kr4100 {

// The channel grid's name; the group's letter follows.
inline constexpr Bilingual kChannelGridName{"Channel Information, group ", "信道信息，组 "};

// "RX Frequency, 28.015000, channel 1" from the column's heading as shown and the cell's text; an
// empty value says so. channel < 1: a cell that is not about one channel (the channel-number
// column itself, a grid of other rows).
std::string AccessibleCellText(std::string_view heading, std::string_view value, int channel,
                               int language);

}  // namespace kr4100
