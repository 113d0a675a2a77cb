// SPDX-License-Identifier: GPL-3.0-or-later
// Read-back verify: what a radio holds after a write, compared with every byte the write sent.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/config/radio_config.h"
#include "core/link/radio_image.h"

namespace kr4100 {

struct VerifyResult {
  std::vector<int> addresses;            // every address of the sent range that reads back wrong
  // The same, by the fields' names with both values as a user reads them ("Group B channel 12 RX
  // frequency: ..."); a byte that changes no named field by its address.
  std::vector<std::string> differences;
  bool passed() const { return addresses.empty(); }
};

// Compares sent and readBack over the addresses the write sent: sentFrom up to the end of the
// write area. Bytes the write did not send (below sentFrom, or the read's tail past the write
// area) never count. base: the record the image was packed from, for what the image does not hold.
VerifyResult VerifyWrite(const RadioImage& sent, const RadioImage& readBack, int sentFrom,
                         const RadioConfig& base, int language);

// The differences for a message: the first `shown` lines, then "and n more".
std::string VerifyListText(const std::vector<std::string>& differences, int language,
                           std::size_t shown = 20);

}  // namespace kr4100
