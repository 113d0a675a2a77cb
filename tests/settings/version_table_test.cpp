// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/version_table.h"

#include <gtest/gtest.h>

#include "core/settings/ini_file.h"
#include "core/settings/version_ini.h"

namespace kr4100 {
namespace {

using namespace std::string_literals;

TEST(VersionTag, ValidityAndDisplayForm) {
  for (const std::string& good : {"V600"s, "V600  "s, "V600\0xyz"s, "V6.0"s}) {
    EXPECT_TRUE(IsValidVersionTag(good)) << good;
  }
  for (const std::string& bad :
       {"V60\0"s, "V60"s, "V6000"s, "v600"s, "X600"s, "V6A0"s, "V1,5"s, ""s}) {
    EXPECT_FALSE(IsValidVersionTag(bad)) << bad;
  }
  EXPECT_EQ(VersionDisplayForm("V600"), "V6.00");
  EXPECT_EQ(VersionDisplayForm("V512"), "V5.12");
  EXPECT_EQ(VersionDisplayForm("V60"), "V6.60");
  EXPECT_EQ(VersionDisplayForm("V"), "V.V");
}

TEST(VersionTable, LoadsTheListsAndSplitsPairs) {
  const IniFile ini = IniFile::Parse(
      "[Version]\nCurrentVersion=V610\nSoftVersionCount=2\nFirmVersionCount=3\n"
      "[Soft]\nVersion0=V600\nVersion1=V610\n"
      "[Firm]\nFirm0=V600V590\nFirm1=V610V600\nFirm2=V61\n");
  const VersionTable t = LoadVersionTable(&ini);
  EXPECT_FALSE(t.fromBuiltIn());
  EXPECT_EQ(t.currentVersion(), "V610");
  EXPECT_EQ(t.softVersions(), (std::vector<std::string>{"V600", "V610"}));
  ASSERT_EQ(t.pairs().size(), 3u);
  EXPECT_EQ(t.pairs()[2], (std::pair<std::string, std::string>{"V61", ""}));
  EXPECT_TRUE(t.IsPairListed("V600", "V590"));
  // Without the pair (V600, V600) this program refuses its own files.
  EXPECT_FALSE(t.IsPairListed("V600", "V600"));
  EXPECT_EQ(t.ProgramForTag("V600"), "V610");
  EXPECT_EQ(t.ProgramForTag("V700"), "");
}

TEST(VersionTable, BadCountsFallBackToTheBuiltInTable) {
  for (const char* counts :
       {"SoftVersionCount=1\n", "SoftVersionCount=0\nFirmVersionCount=1\n",
        "SoftVersionCount=1\nFirmVersionCount=-1\n", "SoftVersionCount=1.5\nFirmVersionCount=1\n",
        "SoftVersionCount=1\nFirmVersionCount=x\n",
        "SoftVersionCount=1\nFirmVersionCount=4000000000\n"}) {
    SCOPED_TRACE(counts);
    const IniFile ini =
        IniFile::Parse("[Version]\nCurrentVersion=V700\n"s + counts + "[Firm]\nFirm0=V700V700\n");
    const VersionTable t = LoadVersionTable(&ini);
    EXPECT_TRUE(t.fromBuiltIn());
    EXPECT_EQ(t.currentVersion(), "V600");
    EXPECT_TRUE(t.IsPairListed("V600", "V600"));
    EXPECT_FALSE(t.IsPairListed("V700", "V700"));
  }
  EXPECT_TRUE(LoadVersionTable(nullptr).IsPairListed("V600", "V600"));
}

TEST(VersionTable, OtherVersionProgramPath) {
  const IniFile ini = IniFile::Parse(
      "[Version]\nSoftVersionCount=1\nFirmVersionCount=2\n[Firm]\nFirm0=V700V700\nFirm1=..//"
      "V800\n");
  const VersionTable t = LoadVersionTable(&ini);
  const std::filesystem::path dir = std::filesystem::path("/opt") / "kr" / "V600";
  EXPECT_EQ(OtherVersionProgram(t, dir, "V700", "kr4100"),
            std::filesystem::path("/opt") / "kr" / "V700" / "kr4100");
  EXPECT_EQ(OtherVersionProgram(t, dir, "V999", "kr4100"), std::nullopt);
  EXPECT_EQ(OtherVersionProgram(t, dir, "V800", "kr4100"), std::nullopt);  // not a folder name
}

}  // namespace
}  // namespace kr4100
