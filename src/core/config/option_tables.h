// SPDX-License-Identifier: GPL-3.0-or-later
// What the option features window shows: for each list Combo1(k) and check box Check1(k) its
// caption, its items and the OptFeat field it shows and stores.
#pragma once

#include "core/config/item_list.h"
#include "core/texts/bilingual.h"

namespace kr4100 {

inline constexpr int kOptionListCount = 22;   // Combo1(0..21)
inline constexpr int kOptionCheckCount = 18;  // Check1(0..17)
inline constexpr int kNoOptFeatField = -1;

inline constexpr Bilingual kOptFeaturesCaption{"Optional Features", "可选功能"};
// The frame around the six operating-mode boxes.
inline constexpr Bilingual kModeOptionCaption{"Mode Option", "模式选项"};

struct OptionList {
  int field;          // OptFeat index
  Bilingual caption;  // with its unit, as the label shows it
  ItemList items;
};

// What a check box takes part in beyond its own field.
enum class OptionCheckRole {
  Plain,
  // LSB .. CW Enable: at least one of them always stays checked.
  ModeEnable,
  // "Single Change Data": checking it clears and greys the common attribute boxes.
  SingleChangeData,
  // The common channel attributes.
  CommonAttribute,
};

struct OptionCheck {
  int field;  // OptFeat index, or kNoOptFeatField (the "VOIC" box keeps nothing)
  Bilingual caption;
  bool checkedByDefault;  // shown for a stored value other than 0 and 1
  OptionCheckRole role;
};

// Combo1(control), control 0..21; Check1(control), control 0..17. Any other control is a
// programming error (std::out_of_range).
const OptionList& OptionListAt(int control);
const OptionCheck& OptionCheckAt(int control);
// The list or check box that shows an OptFeat field; none for the emergency channels, which
// belong to the channel grid.
const OptionList* OptionListOfField(int field);
const OptionCheck* OptionCheckOfField(int field);

// Whether a check box shows checked for a stored value.
bool CheckedOfStored(const OptionCheck& check, int stored);

}  // namespace kr4100
