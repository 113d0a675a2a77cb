// Default test frequencies: sixteen receive/transmit pairs for each of six VHF/UHF bands.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kr4100 {

struct VhfUhfBand {
  double lower;  // MHz
  double upper;  // MHz
};

// The six VHF/UHF band edges, band index 0..5.
extern const std::array<VhfUhfBand, 6> kVhfUhfBands;

// Band index of a band text, compared on its first 13 characters; 0 for any other text.
int TestBandIndexOf(std::string_view bandText);

// Default display text ("#0.000000") of test number 1..16 on band index 0..5; transmit picks the
// transmit column. Out-of-range arguments are clamped to the nearest valid index.
const std::string& DefaultTestFreText(bool transmit, int testNo, int bandIndex);

}  // namespace kr4100
