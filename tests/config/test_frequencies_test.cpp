// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/test_frequencies.h"

#include <gtest/gtest.h>

#include "core/config/conversions.h"
#include "core/config/model_band.h"

namespace kr4100 {
namespace {

TEST(TestFrequenciesTest, BandIndexOnFirstThirteenCharacters) {
  EXPECT_EQ(TestBandIndexOf("245 - 246 MHz"), 1);
  EXPECT_EQ(TestBandIndexOf("450 - 520 MHz (wide)"), 5);
  EXPECT_EQ(TestBandIndexOf("450 - 520 MH"), 0);
  EXPECT_EQ(TestBandIndexOf("25.615000 - 30.105000 MHz"), 0);
}

// Worked out by hand: 28 MHz + k * 1.7 MHz / 15, k = 0..15, to the nearest 10 Hz. The step is
// 113333.33 Hz, so the remainders are thirds of 10 Hz and never a tie.
TEST(TestFrequenciesTest, ThisRadiosDefaultsSpreadOverItsBand) {
  const char* const expected[16] = {
      "28.000000", "28.113330", "28.226670", "28.340000", "28.453330", "28.566670",
      "28.680000", "28.793330", "28.906670", "29.020000", "29.133330", "29.246670",
      "29.360000", "29.473330", "29.586670", "29.700000"};
  for (int test = 1; test <= 16; ++test) {
    SCOPED_TRACE(test);
    EXPECT_EQ(DefaultTestFreText(false, test, 0), expected[test - 1]);
    EXPECT_EQ(DefaultTestFreText(true, test, 0), expected[test - 1]);
  }
  // Both bands of the radio pick these, and in each of them every default passes the frequency
  // check unchanged and silently, and keeps all its digits in the stored form.
  for (const char* band : {kBand0Text, kBand1Text}) {
    SCOPED_TRACE(band);
    ASSERT_EQ(TestBandIndexOf(band), 0);
    const BandEdges edges = SetBandEdges(band);
    int warnings = 0;
    const WarningSink count = [&](MessageId) { ++warnings; };
    for (int test = 1; test <= 16; ++test) {
      const std::string& text = DefaultTestFreText(false, test, 0);
      EXPECT_EQ(NormaliseFreText(text, false, edges, count), text);
      EXPECT_EQ(FreToText(FreToStore(text, edges), edges, count), text);
    }
    EXPECT_EQ(warnings, 0);
  }
  EXPECT_EQ(FreToStore(DefaultTestFreText(false, 2, 0), SetBandEdges(kBand0Text)), "28113330");
}

TEST(TestFrequenciesTest, OtherBandIndexesAndClamping) {
  const struct {
    int band, test;
    const char* text;
  } cases[] = {
      {1, 2, "255.066670"}, {4, 2, "472.800000"}, {5, 16, "520.000000"},
      {0, 0, "28.000000"},  {-3, 17, "29.700000"}, {9, 17, "520.000000"},  // clamped
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DefaultTestFreText(false, c.test, c.band), c.text) << c.band << "/" << c.test;
    EXPECT_EQ(DefaultTestFreText(true, c.test, c.band), c.text) << c.band << "/" << c.test;
  }
}

}  // namespace
}  // namespace kr4100
