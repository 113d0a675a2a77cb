// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

namespace kr4100 {
namespace {

namespace fs = std::filesystem;

class IniFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kr4100_ini_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST(IniFileRead, FollowsTheProfileRules) {
  const IniFile ini = IniFile::Parse(
      "top=before any section\r\n"
      "; comment=1\r\n"
      "  [ Language ]  \r\n"
      "  ComPort  =  3  \r\n"
      "comport=9\r\n"
      "quoted=\"  padded  \"\r\n"
      "half=\"open\r\n"
      ";IsFirstRun=1\r\n"
      "no equals sign\r\n"
      "empty=\r\n"
      "[language]\r\n"
      "StopBit=2\r\n"
      "[Other]\r\n"
      "comPort=5\r\n");
  EXPECT_EQ(ini.read("language", "comPort"), "3");  // first key wins, names any case
  EXPECT_EQ(ini.read("LANGUAGE", "COMPORT"), "3");
  EXPECT_EQ(ini.read("language", "quoted"), "  padded  ");
  EXPECT_EQ(ini.read("language", "half"), "\"open");
  EXPECT_EQ(ini.read("language", "empty"), "");
  EXPECT_EQ(ini.read("language", "IsFirstRun"), std::nullopt);  // commented out
  EXPECT_EQ(ini.read("language", "StopBit"), std::nullopt);     // only the first section counts
  EXPECT_EQ(ini.read("other", "comPort"), "5");
  EXPECT_EQ(ini.read("", "top"), std::nullopt);
  EXPECT_EQ(ini.read("missing", "comPort"), std::nullopt);
}

TEST(IniFileRead, LongValuesNulAndOddBytes) {
  const std::string longValue(2000, 'x');
  const std::string text = "[s]\nlong=" + longValue + "\nnul=12" + std::string(1, '\0') +
                           "34\nlf=1\r\r\n[unterminated\nafter=1";
  const IniFile ini = IniFile::Parse(text);
  EXPECT_EQ(ini.read("s", "long"), std::string(511, 'x'));
  EXPECT_EQ(ini.read("s", "nul"), "12");
  EXPECT_EQ(ini.read("s", "lf"), "1");
  EXPECT_EQ(ini.read("s", "after"), "1");  // a header without "]" does not open a section
  EXPECT_EQ(ini.text(), text + "\n");      // unchanged but for the final line end
}

TEST(IniFileWrite, EditsInPlaceAndKeepsTheRest) {
  IniFile ini = IniFile::Parse(
      "; settings\n"
      "[language]\n"
      "IsFirstRun=1 ; trailing\n"
      "COMPORT = 4\n"
      "\n"
      "[Other]\n"
      "x=y\n");
  EXPECT_TRUE(ini.write("Language", "comPort", "7"));
  EXPECT_TRUE(ini.write("language", "StopBit", "2"));
  EXPECT_TRUE(ini.write("New", "k", "v"));
  EXPECT_EQ(ini.text(),
            "; settings\n"
            "[language]\n"
            "IsFirstRun=1 ; trailing\n"
            "COMPORT=7\n"
            "StopBit=2\n"
            "\n"
            "[Other]\n"
            "x=y\n"
            "\n"
            "[New]\n"
            "k=v\n");
  EXPECT_EQ(ini.read("language", "comport"), "7");
}

// Writes keep the key index up to date instead of rebuilding it: whatever was written reads the
// same as from the file's text parsed afresh, new sections and odd section names included.
TEST(IniFileWrite, ReadsAfterWritesAgreeWithAFreshParse) {
  IniFile ini = IniFile::Parse("k=before any header\n[Dup]\na=1\n[dup]\na=2\n");
  const std::pair<const char*, const char*> writes[] = {
      {"New", "k"}, {"new", "k2"}, {"a]b", "k"}, {"", "k"}, {"dup", "a"}, {"Dup", "b"},
      {"[x", "k"},  {"New", "K"}};
  int n = 0;
  for (const auto& [section, key] : writes) {
    ASSERT_TRUE(ini.write(section, key, std::to_string(++n))) << section;
    const IniFile fresh = IniFile::Parse(ini.text());
    for (const auto& [s2, k2] : writes) {
      EXPECT_EQ(ini.read(s2, k2), fresh.read(s2, k2)) << "after " << section << "/" << key;
    }
  }
  EXPECT_EQ(ini.read("NEW", "k"), "8");
  EXPECT_EQ(ini.read("a]b", "k"), "3");
}

TEST(IniFileWrite, QuotesWhatNeedsItAndRefusesWhatWouldBreakTheFile) {
  IniFile ini;
  EXPECT_TRUE(ini.write("language", "a", " padded "));
  EXPECT_TRUE(ini.write("language", "b", "\"quoted\""));
  for (const auto& [key, value] :
       {std::pair{"k", "two\nlines"}, {"a=b", "1"}, {";k", "1"}, {" ", "1"}}) {
    EXPECT_FALSE(ini.write("language", key, value)) << key;
  }
  EXPECT_EQ(ini.text(), "[language]\r\na=\" padded \"\r\nb=\"\"quoted\"\"\r\n");
  const IniFile again = IniFile::Parse(ini.text());
  EXPECT_EQ(again.read("language", "a"), " padded ");
  EXPECT_EQ(again.read("language", "b"), "\"quoted\"");
  EXPECT_FALSE(ini.save());  // not bound to a file
}

TEST_F(IniFileOnDisk, OpenWriteSavesAtOnceAndCreatesTheFolder) {
  const fs::path path = dir_ / "language" / "mysetup.ini";
  IniFile ini = IniFile::Open(path);
  EXPECT_FALSE(ini.existed());
  EXPECT_TRUE(ini.write("language", "comPort", "3"));
  EXPECT_EQ(IniFile::Open(path).text(), "[language]\r\ncomPort=3\r\n");

  IniFile reopened = IniFile::Open(path);
  EXPECT_TRUE(reopened.existed());
  EXPECT_EQ(reopened.read("language", "comPort"), "3");
  EXPECT_TRUE(reopened.write("language", "comPort", "4"));
  EXPECT_EQ(IniFile::Open(path).text(), "[language]\r\ncomPort=4\r\n");
  // No temporary file left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()), 1);
}

TEST_F(IniFileOnDisk, UnwritableTargetReportsFailure) {
  fs::create_directories(dir_ / "mysetup.ini");  // a folder where the file should be
  IniFile ini = IniFile::Open(dir_ / "mysetup.ini");
  EXPECT_FALSE(ini.existed());
  EXPECT_FALSE(ini.write("language", "comPort", "3"));
  EXPECT_EQ(ini.read("language", "comPort"), "3");  // this run still sees the change
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

// A system installation links the program's settings file to /etc: saving replaces the file the
// link leads to and keeps the link, so the administrator's copy stays the one the program reads.
TEST_F(IniFileOnDisk, SavingThroughALinkKeepsTheLink) {
  fs::create_directories(dir_ / "etc");
  fs::create_directories(dir_ / "language");
  {
    IniFile system = IniFile::Open(dir_ / "etc" / "mysetup.ini");
    ASSERT_TRUE(system.write("language", "comPort", "1"));
  }
  const fs::path link = dir_ / "language" / "mysetup.ini";
  fs::create_symlink(dir_ / "etc" / "mysetup.ini", link);

  IniFile ini = IniFile::Open(link);
  EXPECT_TRUE(ini.existed());
  EXPECT_TRUE(ini.write("language", "comPort", "5"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(IniFile::Open(dir_ / "etc" / "mysetup.ini").read("language", "comPort"), "5");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "language"), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace kr4100
