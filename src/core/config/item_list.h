// SPDX-License-Identifier: GPL-3.0-or-later
// A drop-down list of a settings window: its items (fixed texts, then a run of numbers) and the
// rule between an item's position and the value the record stores.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/texts/bilingual.h"

namespace kr4100 {

// The numbers first, first + step, ... (count of them), counted in units of the last decimal
// place: 12 with one decimal shows "1.2", 50 with two shows "0.50".
struct NumberRun {
  int first = 0;
  int step = 1;
  int count = 0;
  int decimals = 0;
};

struct ItemList {
  std::span<const Bilingual> texts{};  // fixed items, listed before the numbers
  NumberRun numbers{};
  int offset = 0;  // stored value = position + offset
};

int ItemCount(const ItemList& list);
// The item at a position in a language; empty text outside the list.
std::string ItemText(const ItemList& list, int position, int language);
std::vector<std::string> ItemTexts(const ItemList& list, int language);

// The position that shows a stored value; nothing when no item stands for it.
std::optional<int> ItemIndexOfStored(const ItemList& list, int stored);
// The value the item at a position stores; nothing outside the list.
std::optional<int> StoredOfItemIndex(const ItemList& list, int position);
// The item that shows a stored value, in a language; nothing when no item stands for it.
std::optional<std::string> ItemTextOfStored(const ItemList& list, int stored, int language);

// A whole number of units of the last decimal place as text with that many decimals ("#0.0",
// "0.00"): DecimalText(12, 1) is "1.2", DecimalText(50, 2) is "0.50".
std::string DecimalText(int units, int decimals);

}  // namespace kr4100
