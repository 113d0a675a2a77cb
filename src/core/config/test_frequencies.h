// SPDX-License-Identifier: GPL-3.0-or-later
// Default test frequencies: sixteen receive/transmit pairs for each of the six band indexes a band
// text can map to. Index 0 is this radio's own band; the others are kept for band texts of other
// models, which a document of this radio does not have.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kr4100 {

struct TestFreSpan {
  double lower;  // MHz, the default of test 1
  double upper;  // MHz, the default of test 16
};

// The span the sixteen defaults of band index 0..5 are spread over. Index 0, where both bands of
// this radio map, is 28.000000 - 29.700000 MHz: inside the narrow band and the wide one, so every
// default is a usable frequency whose stored form (eight digits of hertz) holds it exactly.
extern const std::array<TestFreSpan, 6> kTestFreSpans;

// Band index of a band text, compared on its first 13 characters; 0 for any other text.
int TestBandIndexOf(std::string_view bandText);

// Default display text ("#0.000000") of test number 1..16 on band index 0..5; transmit picks the
// transmit column. Out-of-range arguments are clamped to the nearest valid index.
const std::string& DefaultTestFreText(bool transmit, int testNo, int bandIndex);

}  // namespace kr4100
