// SPDX-License-Identifier: GPL-3.0-or-later
// What differs between the image a write sent and the one read back, by the names the record
// comparison gives the fields, and by address where a byte changes no named field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/config/radio_config.h"
#include "core/config/record_diff.h"

namespace kr4100 {

// The bytes a write sends: [first, end) of the image.
struct ImageRange {
  std::size_t first = 0;
  std::size_t end = 0x1DE0;
};

// Every byte of the range that differs between the image sent and the one read back. Both are
// unpacked over `base` (the record whose image was sent, for what an image does not hold) and the
// differences named as DiffRecords names them; a differing byte that changes no named field is
// reported by its address ("Memory", "0x1A2B") with both bytes in hex, so none is ever lost. A
// side shorter than the range counts its missing bytes as different.
std::vector<FieldDifference> DiffImages(const std::vector<std::uint8_t>& sent,
                                        const std::vector<std::uint8_t>& readBack,
                                        const RadioConfig& base, ImageRange range, int language);

}  // namespace kr4100
