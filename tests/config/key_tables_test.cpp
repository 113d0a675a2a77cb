// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/key_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr4100 {
namespace {

TEST(KeyTablesTest, ListLeavesOutTheReservedFunctions) {
  const std::vector<std::string> english = KeyListTexts(kEnglish);
  ASSERT_EQ(english.size(), 10u);
  EXPECT_EQ(english.front(), "None");
  EXPECT_EQ(english[1], "Key Lock");
  EXPECT_EQ(english[6], "Scan+Temporary Delete");
  EXPECT_EQ(english[7], "Squelch Off");
  EXPECT_EQ(english.back(), "Temporary Delete");
  const std::vector<std::string> chinese = KeyListTexts(kChinese);
  EXPECT_EQ(chinese.front(), "无");
  EXPECT_EQ(chinese[7], "取消静噪");
  EXPECT_EQ(chinese.back(), "暂时删除");
}

TEST(KeyTablesTest, PositionsAndCodes) {
  // "Squelch Off" sits at position 7 but stores 9: the reserved code 8 is skipped.
  EXPECT_EQ(KeyStoredOfItemIndex(7), 9);
  EXPECT_EQ(KeyItemIndexOfStored(9), 7);
  EXPECT_EQ(KeyStoredOfItemIndex(0), kKeyNone);
  EXPECT_EQ(KeyItemIndexOfStored(255), 0);
  EXPECT_EQ(KeyStoredOfItemIndex(1), 2);
  EXPECT_EQ(KeyStoredOfItemIndex(6), 7);
  EXPECT_EQ(KeyStoredOfItemIndex(9), 11);
  EXPECT_FALSE(KeyStoredOfItemIndex(10));
  EXPECT_FALSE(KeyStoredOfItemIndex(-1));
  for (int p = 0; p < kKeyListCount; ++p) {
    const std::optional<int> code = KeyStoredOfItemIndex(p);
    ASSERT_TRUE(code);
    // No choice from the list stores a reserved code.
    EXPECT_NE(*code, 0);
    EXPECT_NE(*code, 1);
    EXPECT_NE(*code, 8);
    EXPECT_EQ(KeyItemIndexOfStored(*code), p);
    EXPECT_STREQ(KeyFunctionText(*code)->en, KeyListTexts(kEnglish)[p].c_str());
  }
  for (int code : {0, 1, 8, 12, 254, -1}) EXPECT_FALSE(KeyItemIndexOfStored(code)) << code;
}

TEST(KeyTablesTest, NamesOfCodesTheListDoesNotOffer) {
  EXPECT_STREQ(KeyFunctionText(0)->en, "Reserved1");
  EXPECT_STREQ(KeyFunctionText(1)->en, "Reserved1");
  EXPECT_STREQ(KeyFunctionText(8)->en, "Reserved2");
  EXPECT_STREQ(KeyFunctionText(8)->zh, "保留2");
  EXPECT_STREQ(KeyFunctionText(255)->zh, "无");
  EXPECT_STREQ(KeyFunctionText(11)->en, "Temporary Delete");
  EXPECT_FALSE(KeyFunctionText(12));
  EXPECT_FALSE(KeyFunctionText(-1));
  EXPECT_FALSE(KeyFunctionText(256));
}

TEST(KeyTablesTest, ShownTextOfEveryStoredCode) {
  EXPECT_EQ(KeyShownText(9, kEnglish), "Squelch Off");
  EXPECT_EQ(KeyShownText(255, kChinese), "无");
  EXPECT_EQ(KeyShownText(1, kEnglish), "Reserved1");
  EXPECT_EQ(KeyShownText(8, kChinese), "保留2");
  // Codes the radio does not know show as the number they are.
  EXPECT_EQ(KeyShownText(12, kEnglish), "12");
  EXPECT_EQ(KeyShownText(-1, kChinese), "-1");
  EXPECT_EQ(KeyShownText(254, kEnglish), "254");
}

}  // namespace
}  // namespace kr4100
