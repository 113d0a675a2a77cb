// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/embedded_message.h"

#include <gtest/gtest.h>

#include <string>

namespace kr4100 {
namespace {

std::string Bytes(const EmbMsgText& t) { return std::string(t.raw()); }

TEST(EmbeddedMessageTest, StoredFormOfTypedTexts) {
  // Worked out by hand: text, one NUL, blanks up to 32 characters.
  EXPECT_EQ(Bytes(EmbMsgStoredForm("")), std::string(1, '\0') + std::string(31, ' '));
  EXPECT_EQ(Bytes(EmbMsgStoredForm("CQ DX")), std::string("CQ DX") + '\0' + std::string(26, ' '));
  // 31 characters still get their NUL as the last byte.
  const std::string thirtyOne(31, 'x');
  EXPECT_EQ(Bytes(EmbMsgStoredForm(thirtyOne)), thirtyOne + '\0');
  // 32 and more: the first 32 characters, no NUL.
  const std::string forty = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcd";
  ASSERT_EQ(forty.size(), 40u);
  EXPECT_EQ(Bytes(EmbMsgStoredForm(forty)), forty.substr(0, 32));
  EXPECT_EQ(Bytes(EmbMsgStoredForm(forty.substr(0, 32))), forty.substr(0, 32));
  // Blanks the user typed at the end belong to the text and come before the NUL.
  EXPECT_EQ(Bytes(EmbMsgStoredForm("A  ")), std::string("A  ") + '\0' + std::string(28, ' '));
}

TEST(EmbeddedMessageTest, ShownTextEndsAtTheFirstNul) {
  EmbMsgText stored;
  stored.bytes().fill(' ');
  EXPECT_EQ(EmbMsgShownText(stored), std::string(32, ' '));  // no NUL: all 32 characters
  stored = std::string("ABC") + '\0' + "junk";
  EXPECT_EQ(EmbMsgShownText(stored), "ABC");
  stored = std::string_view("\0", 1);
  EXPECT_EQ(EmbMsgShownText(stored), "");
}

TEST(EmbeddedMessageTest, StoringTheShownTextKeepsTheBytes) {
  // A message as a radio may hand it over: NUL-filled after the text.
  EmbMsgText fromRadio;
  fromRadio.bytes().fill('\0');
  fromRadio.bytes()[0] = 'H';
  fromRadio.bytes()[1] = 'I';
  const EmbMsgText before = fromRadio;
  EXPECT_FALSE(StoreEmbMsg(fromRadio, EmbMsgShownText(fromRadio)));
  EXPECT_EQ(fromRadio, before);

  // A foreign file's message without a NUL, blanks included, round-trips too.
  EmbMsgText padded(std::string_view("AB"));
  EXPECT_FALSE(StoreEmbMsg(padded, EmbMsgShownText(padded)));
  EXPECT_EQ(Bytes(padded), "AB" + std::string(30, ' '));

  // An edit is stored by the rule, and an empty box stores NUL and 31 blanks.
  EXPECT_TRUE(StoreEmbMsg(fromRadio, "HI!"));
  EXPECT_EQ(Bytes(fromRadio), std::string("HI!") + '\0' + std::string(28, ' '));
  EXPECT_TRUE(StoreEmbMsg(fromRadio, ""));
  EXPECT_EQ(Bytes(fromRadio), std::string(1, '\0') + std::string(31, ' '));
  EXPECT_FALSE(StoreEmbMsg(fromRadio, ""));
}

TEST(EmbeddedMessageTest, OnlySevenBitCharactersAreTyped) {
  for (char32_t c : {U' ', U'~', U'A', U'0', U'!', char32_t{127}, char32_t{8}})
    EXPECT_TRUE(IsEmbMsgCharacter(c)) << static_cast<int>(c);
  for (char32_t c : {char32_t{3}, char32_t{22}, char32_t{24}, char32_t{128}, U'é', U'中'})
    EXPECT_FALSE(IsEmbMsgCharacter(c)) << static_cast<int>(c);
}

}  // namespace
}  // namespace kr4100
