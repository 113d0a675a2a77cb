// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/item_list.h"

#include <cstdlib>

namespace kr4100 {

int ItemCount(const ItemList& list) {
  return static_cast<int>(list.texts.size()) + list.numbers.count;
}

std::string ItemText(const ItemList& list, int position, int language) {
  if (position < 0 || position >= ItemCount(list)) return {};
  const int fixed = static_cast<int>(list.texts.size());
  if (position < fixed) return list.texts[static_cast<std::size_t>(position)].in(language);
  const NumberRun& run = list.numbers;
  return DecimalText(run.first + run.step * (position - fixed), run.decimals);
}

std::vector<std::string> ItemTexts(const ItemList& list, int language) {
  std::vector<std::string> items;
  items.reserve(static_cast<std::size_t>(ItemCount(list)));
  for (int p = 0; p < ItemCount(list); ++p) items.push_back(ItemText(list, p, language));
  return items;
}

std::optional<int> ItemIndexOfStored(const ItemList& list, int stored) {
  // In 64 bits, so no stored value near the Integer limits can wrap into the list.
  const long long position = static_cast<long long>(stored) - list.offset;
  if (position < 0 || position >= ItemCount(list)) return std::nullopt;
  return static_cast<int>(position);
}

std::optional<int> StoredOfItemIndex(const ItemList& list, int position) {
  if (position < 0 || position >= ItemCount(list)) return std::nullopt;
  return position + list.offset;
}

std::optional<std::string> ItemTextOfStored(const ItemList& list, int stored, int language) {
  const std::optional<int> position = ItemIndexOfStored(list, stored);
  if (!position) return std::nullopt;
  return ItemText(list, *position, language);
}

std::string DecimalText(int units, int decimals) {
  std::string text = std::to_string(std::abs(static_cast<long long>(units)));
  if (decimals > 0) {
    const auto places = static_cast<std::size_t>(decimals);
    // At least one digit stays before the point.
    if (text.size() <= places) text.insert(0, places + 1 - text.size(), '0');
    text.insert(text.size() - places, 1, '.');
  }
  return units < 0 ? "-" + text : text;
}

}  // namespace kr4100
