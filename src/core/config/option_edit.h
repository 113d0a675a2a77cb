// SPDX-License-Identifier: GPL-3.0-or-later
// What a click in the option features window does to the option block, and what the window
// shows for a stored block: the window only forwards the click and shows the outcome.
#pragma once

#include <array>

#include "core/config/option_tables.h"
#include "core/config/radio_config.h"

namespace kr4100 {

using OptFeatBlock = std::array<Integer, kOptFeatCount>;

// Control ids as the window passes them: 0..21 are Combo1(id), 100..117 are Check1(id - 100).
inline constexpr int kOptCheckIdBase = 100;
constexpr int OptListId(int control) { return control; }
constexpr int OptCheckId(int control) { return kOptCheckIdBase + control; }

// True when a position lies beyond the list's last item (or before its first).
bool NotInComboList(const ItemList& list, int position);

// The position Combo1(control) shows: the stored value's item, else the first item (the value
// stays stored until the user picks one).
int ShownListPosition(const OptFeatBlock& block, int control);
// Whether Check1(control) shows checked: the stored 0 or 1, else the box's default. The box
// without a field ("VOIC") is never shown from the record.
bool ShownChecked(const OptFeatBlock& block, int control);

// What the common attribute boxes Check1(9..15) do after a click.
enum class CommonBoxes {
  Unchanged,
  ClearedAndDisabled,  // "Single Change Data" was checked: unchecked and greyed
  Enabled,             // "Single Change Data" was unchecked: usable again
};

struct OptFeatStore {
  OptFeatBlock block;         // the whole block to write back
  bool clickedChecked = false;  // a check box: the state it shows after the store
  CommonBoxes common = CommonBoxes::Unchanged;
};

// One click stored into a copy of the block. For a list `value` is the picked position, for a
// check box 1 (checked) or 0. A position the list does not hold stores nothing. Unchecking the
// last enabled operating mode checks it again (and stores 1). Any other id is a programming
// error (std::out_of_range).
OptFeatStore SaveOptFeat(OptFeatBlock block, int id, int value);
// The same click stored into the record's option block itself.
OptFeatStore StoreOptFeat(RadioConfig& record, int id, int value);

}  // namespace kr4100
