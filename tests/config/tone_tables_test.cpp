// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/tone_tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace kr4100 {
namespace {

TEST(ToneTablesTest, ListOrder) {
  const std::vector<std::string> items = QtDqtListItems();
  const std::size_t qt = QtTones().size();
  const std::size_t dqt = DqtCodes().size();
  ASSERT_EQ(qt, 50u);
  ASSERT_EQ(items.size(), 1 + qt + 2 * dqt);
  EXPECT_EQ(items[0], "OFF");
  EXPECT_EQ(items[1], "67.0");
  EXPECT_EQ(items[13], "100.0");
  EXPECT_EQ(items[50], "254.1");
  EXPECT_EQ(items[51], "D017N");
  EXPECT_EQ(items[52], "D023N");
  EXPECT_EQ(items[50 + dqt], "D754N");
  EXPECT_EQ(items[51 + dqt], "D017I");
  EXPECT_EQ(items.back(), "D754I");
}

TEST(ToneTablesTest, TonesAndCodesAreWellFormedAndAscending) {
  double previous = 0;
  for (const char* tone : QtTones()) {
    const double hz = std::stod(tone);
    EXPECT_GT(hz, previous) << tone;
    EXPECT_EQ(std::string(tone).find('.'), std::strlen(tone) - 2) << tone;  // one decimal
    previous = hz;
  }
  int previousCode = -1;
  for (const char* code : DqtCodes()) {
    ASSERT_EQ(std::strlen(code), 3u) << code;
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(code[i] >= '0' && code[i] <= '7') << code;
    const int value = std::stoi(code, nullptr, 8);
    EXPECT_GT(value, previousCode) << code;
    previousCode = value;
  }
}

}  // namespace
}  // namespace kr4100
