// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/numbers.h"

#include <gtest/gtest.h>

namespace kr4100 {
namespace {

TEST(NumbersTest, ParseNumber) {
  const struct {
    const char* text;
    double value;
  } good[] = {
      {"28.", 28}, {".5", 0.5}, {" 28 ", 28}, {"1e3", 1000}, {"-5", -5},
  };
  for (const auto& c : good) EXPECT_EQ(ParseNumber(c.text), c.value) << c.text;
  for (const char* bad : {"", ".", "1,5", "0x10", "inf", "nan", "28.0.1", "1e", "--5"}) {
    EXPECT_FALSE(ParseNumber(bad)) << bad;
  }
}

// Decimal digits decide, not their nearest double: 12.505 is 1250.4999... as a double.
TEST(NumbersTest, ScaledNumbersAreReadExactly) {
  const struct {
    const char* text;
    long long units;
    bool whole;
  } cases[] = {
      {"12.51", 1251, true},     {"12.505", 1250, false},
      {"0.001", 0, false},       {"-12.5", -1250, true},
      {" 0 ", 0, true},          {"12.5100000000000000000001", 1251, false},
      {"1.2505e1", 1250, false}, {"125.1E-1", 1251, true},
      {"-.07", -7, true},        {"0.00000000000000001e19", 10000, true},
  };
  for (const auto& c : cases) {
    const auto scaled = ParseScaledNumber(c.text, 2);
    ASSERT_TRUE(scaled) << c.text;
    EXPECT_EQ(scaled->units, c.units) << c.text;
    EXPECT_EQ(scaled->whole, c.whole) << c.text;
  }
  for (const char* bad : {"", "1,5", "inf", "1e", "1e17", "99999999999999999999"})
    EXPECT_FALSE(ParseScaledNumber(bad, 2)) << bad;
}

TEST(NumbersTest, FormatFixed6RoundsHalfAwayFromZero) {
  EXPECT_EQ(FormatFixed6(0.0078125), "0.007813");  // exactly half a millionth
  EXPECT_EQ(FormatFixed6(-0.0078125), "-0.007813");
  EXPECT_EQ(FormatFixed6(-0.0000004), "0.000000");
  EXPECT_EQ(FormatFixed6(28.0150049), "28.015005");
}

}  // namespace
}  // namespace kr4100
