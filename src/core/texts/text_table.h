// SPDX-License-Identifier: GPL-3.0-or-later
// What the text tables indexed by an id enum (messages, shell texts) share: a check that every
// row is filled and a lookup that cannot read past the table.
#pragma once

#include <array>
#include <cstddef>

#include "core/texts/bilingual.h"

namespace kr4100 {

// A missing row would shift every later text onto the wrong id; an empty slot shows up here at
// compile time.
template <std::size_t N>
constexpr bool AllRowsFilled(const std::array<Bilingual, N>& table) {
  for (const Bilingual& row : table) {
    if (row.en == nullptr || row.zh == nullptr || row.en[0] == '\0' || row.zh[0] == '\0') {
      return false;
    }
  }
  return true;
}

// The row of an id; an id outside the table (a cast from a stray integer) reads an empty text.
template <std::size_t N>
const Bilingual& RowOf(const std::array<Bilingual, N>& table, std::size_t index) {
  static constexpr Bilingual kNone{"", ""};
  return index < N ? table[index] : kNone;
}

}  // namespace kr4100
