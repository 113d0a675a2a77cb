// SPDX-License-Identifier: GPL-3.0-or-later
// What the key assignment window shows: the function list of the programmable keys PF1 and PF2
// and the function code each list position stores.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/config/radio_config.h"
#include "core/config/record_fields_blocks.h"
#include "core/texts/bilingual.h"

namespace kr4100 {

inline constexpr Bilingual kKeyAssignCaption{"Key Assignment", "键设定"};
// Labels of the lists for KeyAssign(0) and KeyAssign(1).
inline constexpr std::array<Bilingual, 2> kKeyLabels{
    {kKeyAssignFields[0].label, kKeyAssignFields[1].label}};

inline constexpr int kKeyNone = 255;
inline constexpr int kKeyListCount = 10;

// The list of both keys in a language: "None", then the functions without the reserved codes.
std::vector<std::string> KeyListTexts(int language);

// The list position that shows a function code; nothing for the reserved codes 0, 1 and 8 and
// for codes the radio does not know.
std::optional<int> KeyItemIndexOfStored(int code);
// The function code a list position stores; nothing outside the list.
std::optional<int> KeyStoredOfItemIndex(int position);
// A pick in key k's list (0 PF1, 1 PF2) stored; false for a position outside the list (the
// entry that shows a kept code), which leaves the stored code alone.
bool StoreKeyPick(RadioConfig& record, int key, int position);

// The function's name for any code the radio knows, reserved ones included ("Reserved1" for 0
// and 1, "Reserved2" for 8); nothing for other codes.
std::optional<Bilingual> KeyFunctionText(int code);

// What the window and the printed sheet show for a stored code: the function's name, or, for a
// code the radio does not know, the code itself, so that nobody mistakes it for a function.
std::string KeyShownText(int code, int language);

}  // namespace kr4100
