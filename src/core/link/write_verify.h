// Read-back verify: what a radio holds after a write, compared with every byte the write sent.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/link/radio_image.h"

namespace kr4100 {

struct VerifyResult {
  std::vector<int> addresses;            // every address of the sent range that reads back wrong
  std::vector<std::string> differences;  // the same, by name, as a user reads them
  bool passed() const { return addresses.empty(); }
};

// Compares sent and readBack over the addresses the write sent: sentFrom up to the end of the
// write area. Bytes the write did not send (below sentFrom, or the read's tail past the write
// area) never count.
VerifyResult VerifyWrite(const RadioImage& sent, const RadioImage& readBack, int sentFrom,
                         int language);

// The differences for a message: the first `shown` lines, then "and n more".
std::string VerifyListText(const std::vector<std::string>& differences, int language,
                           std::size_t shown = 20);

}  // namespace kr4100
