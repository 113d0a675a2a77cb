#include "core/config/test_frequencies.h"

#include <gtest/gtest.h>

namespace kr4100 {
namespace {

TEST(TestFrequenciesTest, BandIndexOnFirstThirteenCharacters) {
  EXPECT_EQ(TestBandIndexOf("245 - 246 MHz"), 1);
  EXPECT_EQ(TestBandIndexOf("450 - 520 MHz (wide)"), 5);
  EXPECT_EQ(TestBandIndexOf("450 - 520 MH"), 0);
  EXPECT_EQ(TestBandIndexOf("25.615000 - 30.105000 MHz"), 0);
}

TEST(TestFrequenciesTest, DefaultTexts) {
  const struct {
    int band, test;
    const char* text;
  } cases[] = {
      {0, 1, "136.000000"},  {0, 2, "138.533330"}, {0, 3, "141.066670"},
      {0, 16, "174.000000"}, {1, 2, "255.066670"}, {4, 2, "472.800000"},
      {5, 16, "520.000000"}, {0, 0, "136.000000"}, {9, 17, "520.000000"},  // clamped
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DefaultTestFreText(false, c.test, c.band), c.text) << c.band << "/" << c.test;
    EXPECT_EQ(DefaultTestFreText(true, c.test, c.band), c.text) << c.band << "/" << c.test;
  }
}

}  // namespace
}  // namespace kr4100
