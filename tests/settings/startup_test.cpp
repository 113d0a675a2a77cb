// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/startup.h"

#include <gtest/gtest.h>

#include "core/settings/ini_file.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

TEST(Startup, FirstRunInTheInstalledLayoutSetsEverythingInOrder) {
  const InstallLayout install{KR4100_PROGRAM_DIR};
  testing::TempDir dir;
  // The settings as the build ships them (the installed copy may have been changed by a run).
  testing::WriteText(dir / "mysetup.ini",
                     "[language]\nIsFirstRun=1\ncomPort=1\nHandshaking=0\nStopBit=1\nCurrentLanguage=1\n");
  IniFile settings = IniFile::Open(dir / "mysetup.ini");
  const IniFile versions = IniFile::Open(install.versionIni());
  ASSERT_TRUE(versions.existed());

  Document doc;
  const StartupState state = RunStartup(install, &versions, settings, true, 0x0804, doc);
  EXPECT_EQ(state.settings.currentLanguage, 2);
  EXPECT_EQ(state.versions.currentVersion(), "V600");
  EXPECT_FALSE(state.versions.fromBuiltIn());
  EXPECT_EQ(state.modelName, "KR-4100");

  const IniFile reread = IniFile::Open(dir / "mysetup.ini");
  EXPECT_EQ(reread.read("language", "IsFirstRun"), "0");
  EXPECT_EQ(reread.read("language", "CurrentLanguage"), "2");

  // The new document came from the installed band-0 template and starts unmodified.
  EXPECT_EQ(doc.state().fileName, "new.dat");
  EXPECT_EQ(doc.state().bandText, "28.000000 - 29.700000 MHz");
  EXPECT_EQ(doc.working().ChCount[0], 1);
  EXPECT_FALSE(doc.IsDocumentModified());
}

TEST(Startup, SettingsMoveToTheUserFolderWhenTheInstallationCannotHoldThem) {
  testing::TempDir dir;
  const InstallLayout install{dir / "root" / "V600"};
  std::filesystem::create_directories(install.programDir);
  EXPECT_EQ(SettingsFilePath(install, dir / "home"), install.settingsIni());

  // An installation whose root is not a folder one can write into (here: not a folder at all).
  const InstallLayout broken{dir / "file" / "V600"};
  testing::WriteText(dir / "file", "not a folder");
  EXPECT_EQ(SettingsFilePath(broken, dir / "home"),
            dir / "home" / "KR_4100" / "language" / "mysetup.ini");
}

}  // namespace
}  // namespace kr4100
