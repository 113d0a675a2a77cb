// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/dtmf_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/config/document.h"

namespace kr4100 {
namespace {

std::string Nul() {
  return std::string(1, '\0');
}

DtmfSettings NewBlock() {
  Document doc;
  doc.InitNewDocument();
  return doc.working().Dtmf;
}

TEST(DtmfEditTest, ListsInBothLanguages) {
  const auto delays = DtmfItemTexts(DtmfField::FirstDigitDelay, kEnglish);
  ASSERT_EQ(delays.size(), 19u);
  EXPECT_EQ(delays.front(), "100");
  EXPECT_EQ(delays[1], "150");
  EXPECT_EQ(delays.back(), "1000");

  const auto dCode = DtmfItemTexts(DtmfField::DCodeAssign, kEnglish);
  ASSERT_EQ(dCode.size(), 17u);
  EXPECT_EQ(dCode[0], "D Code");
  EXPECT_EQ(dCode[1], "1s");
  EXPECT_EQ(dCode[16], "16s");
  const auto dCodeZh = DtmfItemTexts(DtmfField::DCodeAssign, kChinese);
  EXPECT_EQ(dCodeZh[0], "D 码");
  EXPECT_EQ(dCodeZh[16], "16秒");

  EXPECT_EQ(DtmfItemTexts(DtmfField::GroupCode, kChinese),
            (std::vector<std::string>{"关", "A", "B", "C", "D", "#", "*"}));
  const auto reset = DtmfItemTexts(DtmfField::AutoResetTimer, kEnglish);
  ASSERT_EQ(reset.size(), 16u);
  EXPECT_EQ(reset[0], "Off");
  EXPECT_EQ(reset[15], "15");
  EXPECT_EQ(DtmfItemTexts(DtmfField::StunType, kChinese),
            (std::vector<std::string>{"发射抑制", "发射/接收 抑制"}));
  EXPECT_EQ(DtmfItemTexts(DtmfField::Transpond, kEnglish),
            (std::vector<std::string>{"Off", "Alert", "ID Code"}));
  // Text boxes and check boxes have no items.
  EXPECT_TRUE(DtmfItemTexts(DtmfField::IdCode, kEnglish).empty());
  EXPECT_TRUE(DtmfItemTexts(DtmfField::DtmfSideTone, kEnglish).empty());
}

TEST(DtmfEditTest, FirstDigitDelayIsShownTimesTenAndStoredDividedByTen) {
  DtmfSettings b = NewBlock();
  EXPECT_EQ(DtmfItemIndexOfStored(b, DtmfField::FirstDigitDelay), 0);  // default 10 is "100"
  b.FirstDigitDelay = 15;
  EXPECT_EQ(DtmfItemIndexOfStored(b, DtmfField::FirstDigitDelay), 1);  // "150"
  b.FirstDigitDelay = 100;
  EXPECT_EQ(DtmfItemIndexOfStored(b, DtmfField::FirstDigitDelay), 18);  // "1000"
  // Values between the steps or beyond the ends have no item.
  for (Integer odd : {12, 9, 105, 0, -5}) {
    b.FirstDigitDelay = odd;
    EXPECT_EQ(DtmfItemIndexOfStored(b, DtmfField::FirstDigitDelay), std::nullopt) << odd;
  }
  EXPECT_TRUE(StoreDtmfPick(b, DtmfField::FirstDigitDelay, 1));
  EXPECT_EQ(b.FirstDigitDelay, 15);
  EXPECT_TRUE(StoreDtmfPick(b, DtmfField::FirstDigitDelay, 18));
  EXPECT_EQ(b.FirstDigitDelay, 100);
}

TEST(DtmfEditTest, GroupCodeStoresTheCharacterCode) {
  DtmfSettings b = NewBlock();
  EXPECT_EQ(DtmfItemIndexOfStored(b, DtmfField::GroupCode), 0);  // stored 0 shows "Off"
  const int expected[] = {0, 65, 66, 67, 68, 35, 42};
  for (int position = 0; position < 7; ++position) {
    ASSERT_TRUE(StoreDtmfPick(b, DtmfField::GroupCode, position));
    EXPECT_EQ(b.GroupCode, expected[position]);
    EXPECT_EQ(DtmfItemIndexOfStored(b, DtmfField::GroupCode), position);
  }
  // Codes of keys the list does not offer, also one whose low byte would read as "A".
  for (Integer other : {69, 48, 65 + 256, -1}) {
    b.GroupCode = other;
    EXPECT_EQ(DtmfItemIndexOfStored(b, DtmfField::GroupCode), std::nullopt) << other;
  }
}

TEST(DtmfEditTest, IndexListsStoreThePositionIntoTheirOwnFieldOnly) {
  const DtmfSettings before = NewBlock();
  const struct {
    DtmfField field;
    Integer DtmfSettings::*member;
    int last;
  } lists[] = {
      {DtmfField::DtmfSpeed, &DtmfSettings::DtmfSpeed, 3},
      {DtmfField::FirstDigitTime, &DtmfSettings::FirstDigitTime, 3},
      {DtmfField::StarHashTime, &DtmfSettings::StarHashTime, 3},
      {DtmfField::DCodeAssign, &DtmfSettings::DCodeAssign, 16},
      {DtmfField::AutoResetTimer, &DtmfSettings::AutoResetTimer, 15},
      {DtmfField::CallAlert, &DtmfSettings::CallAlert, 2},
      {DtmfField::Transpond, &DtmfSettings::Transpond, 2},
      {DtmfField::StunType, &DtmfSettings::StunType, 1},
  };
  for (const auto& list : lists) {
    DtmfSettings b = before;
    ASSERT_TRUE(StoreDtmfPick(b, list.field, list.last));
    DtmfSettings expected = before;
    expected.*list.member = static_cast<Integer>(list.last);
    EXPECT_EQ(b, expected) << static_cast<int>(list.field);
    EXPECT_EQ(DtmfItemIndexOfStored(b, list.field), list.last);
    // Beyond the list: nothing stored, nothing shown for such a value.
    EXPECT_FALSE(StoreDtmfPick(b, list.field, list.last + 1));
    EXPECT_FALSE(StoreDtmfPick(b, list.field, -1));
    EXPECT_EQ(b, expected);
    b.*list.member = static_cast<Integer>(list.last + 1);
    EXPECT_EQ(DtmfItemIndexOfStored(b, list.field), std::nullopt);
  }
  DtmfSettings b = before;
  EXPECT_FALSE(StoreDtmfPick(b, DtmfField::IdCode, 0));
  EXPECT_FALSE(StoreDtmfPick(b, DtmfField::DtmfSideTone, 0));
  EXPECT_EQ(b, before);
}

TEST(DtmfEditTest, CheckBoxes) {
  DtmfSettings b = NewBlock();
  EXPECT_TRUE(DtmfChecked(b, DtmfField::DtmfSideTone));
  EXPECT_FALSE(DtmfChecked(b, DtmfField::ClearToTranspond));
  StoreDtmfCheck(b, DtmfField::DtmfSideTone, false);
  StoreDtmfCheck(b, DtmfField::ClearToTranspond, true);
  EXPECT_EQ(b.DtmfSideTone, 0);
  EXPECT_EQ(b.ClearToTranspond, 1);
  EXPECT_THROW(StoreDtmfCheck(b, DtmfField::GroupCode, true), std::out_of_range);
}

TEST(DtmfEditTest, IdCodeNeedsThreeCharacters) {
  constexpr IdCodeCommitBy kLeft = IdCodeCommitBy::LeavingBox;
  DtmfSettings b = NewBlock();
  EXPECT_EQ(IdCodeShownText(b), "000");
  EXPECT_EQ(CommitIdCode(b, "000", kLeft), IdCodeCommit::Unchanged);

  EXPECT_EQ(CommitIdCode(b, "12345", kLeft), IdCodeCommit::Stored);
  EXPECT_EQ(std::string(b.IdCode.raw()), "12345     ");
  EXPECT_EQ(CommitIdCode(b, "12", kLeft), IdCodeCommit::Refused);
  EXPECT_EQ(std::string(b.IdCode.raw()), "000       ");
  EXPECT_EQ(CommitIdCode(b, "", kLeft), IdCodeCommit::Refused);
  EXPECT_EQ(CommitIdCode(b, "123", kLeft), IdCodeCommit::Stored);
  EXPECT_EQ(CommitIdCode(b, "1234567890123", kLeft), IdCodeCommit::Stored);
  EXPECT_EQ(std::string(b.IdCode.raw()), "1234567890");
  // A long enough code from a file, shown without its blanks, stays as it came.
  b.IdCode = " 4567";
  EXPECT_EQ(CommitIdCode(b, "4567", kLeft), IdCodeCommit::Unchanged);
  EXPECT_EQ(std::string(b.IdCode.raw()), " 4567     ");

  // A short code from a file shows as it is. Collected by the program it stays; the user
  // leaving the box gets it refused as a typed one, and the field takes "000".
  for (const auto& [fromFile, shown] : {std::pair{" 12       ", "12"}, {"          ", ""}}) {
    SCOPED_TRACE(fromFile);
    b.IdCode = fromFile;
    EXPECT_EQ(IdCodeShownText(b), shown);
    EXPECT_EQ(CommitIdCode(b, shown, IdCodeCommitBy::Program), IdCodeCommit::Unchanged);
    EXPECT_EQ(std::string(b.IdCode.raw()), fromFile);
    EXPECT_EQ(CommitIdCode(b, shown, kLeft), IdCodeCommit::Refused);
    EXPECT_EQ(std::string(b.IdCode.raw()), "000       ");
  }
  // A short text typed over a good code is refused however it is committed.
  EXPECT_EQ(CommitIdCode(b, "9", IdCodeCommitBy::Program), IdCodeCommit::Refused);
}

TEST(DtmfEditTest, StunCodeStoredWithNulThenBlanks) {
  DtmfSettings b = NewBlock();
  EXPECT_EQ(StunCodeShownText(b), "");
  EXPECT_FALSE(CommitStunCode(b, ""));  // the new document's NUL and blanks stay

  EXPECT_TRUE(CommitStunCode(b, "A1*"));
  EXPECT_EQ(std::string(b.StunCode.raw()), "A1*" + Nul() + "      ");
  EXPECT_EQ(StunCodeShownText(b), "A1*");
  EXPECT_TRUE(CommitStunCode(b, "123456789"));
  EXPECT_EQ(std::string(b.StunCode.raw()), "123456789" + Nul());
  EXPECT_TRUE(CommitStunCode(b, "0123456789#*"));
  EXPECT_EQ(std::string(b.StunCode.raw()), "0123456789");
  EXPECT_TRUE(CommitStunCode(b, ""));
  EXPECT_EQ(std::string(b.StunCode.raw()), Nul() + std::string(9, ' '));

  // Stored without a NUL by another program: shown whole and kept when passed through.
  b.StunCode = "12   ";
  EXPECT_EQ(StunCodeShownText(b), "12        ");
  EXPECT_FALSE(CommitStunCode(b, StunCodeShownText(b)));
  EXPECT_EQ(std::string(b.StunCode.raw()), "12        ");
}

class AutodialTest : public ::testing::Test {
 protected:
  RadioConfig r;
  void SetUp() override {
    Document doc;
    doc.InitNewDocument();
    r = doc.working();
  }
  std::string digits(int i) {
    return std::string(r.Autodial[static_cast<std::size_t>(i)].Digits.raw());
  }
  int row(int i) { return r.Autodial[static_cast<std::size_t>(i)].Row; }
};

TEST_F(AutodialTest, EntriesKeepTheOrderOfFirstCommit) {
  EXPECT_TRUE(CommitAutodial(r, 3, "555"));
  EXPECT_TRUE(CommitAutodial(r, 1, "12*#"));
  ASSERT_EQ(r.AutodialCount, 2);
  EXPECT_EQ(row(0), 3);
  EXPECT_EQ(row(1), 1);
  EXPECT_EQ(digits(1), "12*#" + Nul() + std::string(11, ' '));
  // Changing row 3 keeps its place.
  EXPECT_TRUE(CommitAutodial(r, 3, "0123456789ABCD*#"));
  EXPECT_EQ(row(0), 3);
  EXPECT_EQ(digits(0), "0123456789ABCD*#");  // 16 characters: no NUL
  // Clearing row 3 moves row 1 up.
  EXPECT_TRUE(CommitAutodial(r, 3, ""));
  ASSERT_EQ(r.AutodialCount, 1);
  EXPECT_EQ(row(0), 1);
  EXPECT_EQ(digits(0), "12*#" + Nul() + std::string(11, ' '));

  const auto shown = AutodialRowTexts(r);
  EXPECT_EQ(shown[0], "12*#");
  for (int i = 1; i < kAutodialRows; ++i) EXPECT_EQ(shown[static_cast<std::size_t>(i)], "");
}

TEST_F(AutodialTest, VisitedEmptyRowGetsAnEntryWithEmptyDigits) {
  EXPECT_TRUE(CommitAutodial(r, 5, ""));
  ASSERT_EQ(r.AutodialCount, 1);
  EXPECT_EQ(row(0), 5);
  EXPECT_EQ(digits(0), Nul() + std::string(15, ' '));
  EXPECT_EQ(AutodialRowTexts(r)[4], "");
  // A new entry of 16 characters or more is cut, without a NUL.
  EXPECT_TRUE(CommitAutodial(r, 2, "0123456789ABCD*#12"));
  EXPECT_EQ(digits(1), "0123456789ABCD*#");
  // The text the row already shows changes nothing.
  EXPECT_FALSE(CommitAutodial(r, 2, "0123456789ABCD*#"));
  // Rows outside the grid commit nothing.
  EXPECT_FALSE(CommitAutodial(r, 0, "1"));
  EXPECT_FALSE(CommitAutodial(r, 9, "1"));
  EXPECT_EQ(r.AutodialCount, 2);
}

TEST_F(AutodialTest, NeverMoreThanEightEntries) {
  for (int pass = 0; pass < 2; ++pass)
    for (int k = 1; k <= kAutodialRows; ++k) CommitAutodial(r, k, std::to_string(k * 11 + pass));
  ASSERT_EQ(r.AutodialCount, 8);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(row(i), i + 1);
    EXPECT_EQ(AutodialRowTexts(r)[static_cast<std::size_t>(i)], std::to_string((i + 1) * 11 + 1));
  }
  // A damaged count from a file neither overruns the list nor grows it.
  r.AutodialCount = 12;
  EXPECT_EQ(AutodialRowTexts(r)[7], "89");
  r.AutodialCount = 8;
  r.Autodial[7].Row = 3;  // two entries claim row 3 and row 8 has none
  EXPECT_FALSE(CommitAutodial(r, 8, "1"));
  EXPECT_EQ(r.AutodialCount, 8);
  r.AutodialCount = -3;
  EXPECT_TRUE(CommitAutodial(r, 4, "4"));
  EXPECT_EQ(r.AutodialCount, 1);
  EXPECT_EQ(row(0), 4);
}

TEST(DtmfKeysTest, CharacterRulesOfTheThreeBoxes) {
  for (DtmfBox box : {DtmfBox::IdCode, DtmfBox::StunCode, DtmfBox::AutodialCell}) {
    for (char32_t digit = U'0'; digit <= U'9'; ++digit) EXPECT_EQ(DtmfTypedChar(box, digit), digit);
    // Ctrl+C, Ctrl+V, Ctrl+X, Enter and anything beyond 7 bits never become text.
    for (char32_t refused : {3u, 22u, 24u, 13u, 128u, 0xE9u, 0x4E2Du})
      EXPECT_EQ(DtmfTypedChar(box, refused), std::nullopt) << static_cast<int>(refused);
    EXPECT_EQ(DtmfTypedChar(box, 8), 8u);  // Backspace
    for (char32_t refused : {U' ', U'+', U'E', U'e', U'.', U'z'})
      EXPECT_EQ(DtmfTypedChar(box, refused), std::nullopt);
  }
  for (char32_t key : {U'A', U'D', U'#', U'*'}) {
    EXPECT_EQ(DtmfTypedChar(DtmfBox::IdCode, key), std::nullopt);
    EXPECT_EQ(DtmfTypedChar(DtmfBox::StunCode, key), key);
    EXPECT_EQ(DtmfTypedChar(DtmfBox::AutodialCell, key), key);
  }
  EXPECT_EQ(DtmfTypedChar(DtmfBox::StunCode, U'a'), U'A');
  EXPECT_EQ(DtmfTypedChar(DtmfBox::AutodialCell, U'd'), U'D');
  EXPECT_EQ(DtmfTypedChar(DtmfBox::IdCode, U'a'), std::nullopt);
}

}  // namespace
}  // namespace kr4100
