// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/test_frequencies.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace kr4100 {

const std::array<TestFreSpan, 6> kTestFreSpans{{
    {28.0, 29.7},
    {255.0, 256.0},
    {350.0, 390.0},
    {400.0, 470.0},
    {470.0, 512.0},
    {450.0, 520.0},
}};

namespace {

constexpr int kTestCount = 16;
constexpr int kBandCount = static_cast<int>(std::tuple_size_v<decltype(kTestFreSpans)>);

// Band texts in band-index order, as the model dialog offers them.
constexpr std::array<std::string_view, kBandCount> kBandTexts{
    "136 - 174 MHz", "245 - 246 MHz", "350 - 390 MHz",
    "400 - 470 MHz", "470 - 512 MHz", "450 - 520 MHz",
};

// [transmit][test number - 1][band index]
using DefaultTable = std::array<std::array<std::array<std::string, kBandCount>, kTestCount>, 2>;

std::string FormatHz(std::int64_t hz) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%lld.%06lld", static_cast<long long>(hz / 1000000),
                static_cast<long long>(hz % 1000000));
  return buffer;
}

// The sixteen default test frequencies of a band index spread evenly from the lower end of its
// span (test 1) to the upper end (test 16): lower + (upper - lower) * (i - 1) / 15, rounded to the
// nearest 10 Hz with ties to even, so they sit on the 10 Hz grid the frequency check snaps to. Receive and transmit defaults are the same. The sums are done in whole hertz so
// that every platform produces the same texts, which the record compares character for character.
DefaultTable BuildDefaultTable() {
  DefaultTable table;
  for (int band = 0; band < kBandCount; ++band) {
    const auto lowerHz = static_cast<std::int64_t>(std::llround(kTestFreSpans[band].lower * 1e6));
    const auto upperHz = static_cast<std::int64_t>(std::llround(kTestFreSpans[band].upper * 1e6));
    for (int test = 0; test < kTestCount; ++test) {
      // Offset in 10 Hz units: span * test / 15 / 10, rounded half to even.
      const std::int64_t numerator = (upperHz - lowerHz) * test;
      constexpr std::int64_t kDenominator = static_cast<std::int64_t>(kTestCount - 1) * 10;
      std::int64_t units = numerator / kDenominator;
      const std::int64_t twiceRemainder = 2 * (numerator % kDenominator);
      if (twiceRemainder > kDenominator || (twiceRemainder == kDenominator && units % 2 != 0)) {
        ++units;
      }
      const std::string text = FormatHz(lowerHz + units * 10);
      table[0][test][band] = text;
      table[1][test][band] = text;
    }
  }
  return table;
}

}  // namespace

int TestBandIndexOf(std::string_view bandText) {
  const std::string_view head = bandText.substr(0, 13);
  const auto it = std::find(kBandTexts.begin(), kBandTexts.end(), head);
  return it == kBandTexts.end() ? 0 : static_cast<int>(it - kBandTexts.begin());
}

const std::string& DefaultTestFreText(bool transmit, int testNo, int bandIndex) {
  static const DefaultTable table = BuildDefaultTable();
  const int test = std::clamp(testNo, 1, kTestCount) - 1;
  const int band = std::clamp(bandIndex, 0, kBandCount - 1);
  return table[transmit ? 1 : 0][test][band];
}

}  // namespace kr4100
