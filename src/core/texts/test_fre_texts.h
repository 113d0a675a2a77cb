// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of the test-frequency window.
#pragma once

#include <array>

#include "core/texts/bilingual.h"

namespace kr4100 {

inline constexpr Bilingual kTestFreCaption{"Test Frequency", "测试频率"};
// Grid headings, column 0 (the row numbers) first. "Chennal" is how the program has always
// spelt it.
inline constexpr std::array<Bilingual, 3> kTestFreHeadings{{
    {"Chennal", "信道"},
    {"RX[MHz]", "接收[MHz]"},
    {"TX[MHz]", "发射[MHz]"},
}};

}  // namespace kr4100
