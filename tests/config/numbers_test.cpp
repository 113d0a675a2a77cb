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

TEST(NumbersTest, FormatFixed6RoundsHalfAwayFromZero) {
  EXPECT_EQ(FormatFixed6(0.0078125), "0.007813");  // exactly half a millionth
  EXPECT_EQ(FormatFixed6(-0.0078125), "-0.007813");
  EXPECT_EQ(FormatFixed6(-0.0000004), "0.000000");
  EXPECT_EQ(FormatFixed6(28.0150049), "28.015005");
}

}  // namespace
}  // namespace kr4100
