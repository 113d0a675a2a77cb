// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/startup_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/settings/ini_file.h"

namespace kr4100 {
namespace {

constexpr unsigned kUsEnglish = 0x0409;

TEST(StartupSettings, FirstRunTakesTheLocaleLanguageAndClearsTheFlag) {
  IniFile ini = IniFile::Parse("[language]\nIsFirstRun=1\nCurrentLanguage=1\ncomPort=4\n");
  const StartupSettings s = LoadStartupSettings(ini, kChinesePrcLocale);
  EXPECT_EQ(s.currentLanguage, 2);  // the file's language is ignored on a first run
  EXPECT_EQ(s.captionLanguage, 2);
  EXPECT_EQ(s.systemLanguage, 2);
  EXPECT_FALSE(s.firstRun);
  EXPECT_EQ(ini.text(), "[language]\nIsFirstRun=0\nCurrentLanguage=2\ncomPort=4\n");

  IniFile english = IniFile::Parse("[language]\nIsFirstRun=True\n");
  EXPECT_EQ(LoadStartupSettings(english, kUsEnglish).currentLanguage, 1);
  EXPECT_EQ(english.read("language", "CurrentLanguage"), "1");
  EXPECT_EQ(english.read("language", "IsFirstRun"), "0");
}

TEST(StartupSettings, LaterRunKeepsTheStoredLanguageWhateverTheLocale) {
  IniFile ini = IniFile::Parse("[language]\nIsFirstRun=0\nCurrentLanguage=2\ncomPort=3\n");
  const StartupSettings s = LoadStartupSettings(ini, kUsEnglish);
  EXPECT_EQ(s.currentLanguage, 2);
  EXPECT_EQ(s.captionLanguage, 2);
  EXPECT_EQ(s.systemLanguage, 1);
  EXPECT_EQ(s.comPort, 3);
  // Both keys written back unchanged; IsFirstRun untouched.
  EXPECT_EQ(ini.text(), "[language]\nIsFirstRun=0\nCurrentLanguage=2\ncomPort=3\n");
}

TEST(StartupSettings, BadValuesFallBack) {
  struct Case {
    const char* text;
    int comPort, handshaking, stopBit, language;
  };
  const Case cases[] = {
      {"[language]\nIsFirstRun=False\ncomPort=\n", 1, 0, 1, 2},  // keys missing or empty
      {"[language]\nIsFirstRun=no\ncomPort=COM3\nHandshaking=x\nStopBit=1.5\nCurrentLanguage=en\n",
       1, 0, 1, 2},
      {"[language]\ncomPort=0\nHandshaking=4\nStopBit=3\nCurrentLanguage=3\n", 1, 0, 1, 2},
      {"[language]\ncomPort=-2\nHandshaking=-1\nStopBit=0\nCurrentLanguage=0\n", 1, 0, 1, 2},
      {"[LANGUAGE]\nisfirstrun=0.0\ncomport= 12 \nhandshaking=3\nstopbit=2\ncurrentlanguage=1\n",
       12, 3, 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    IniFile ini = IniFile::Parse(c.text);
    const StartupSettings s = LoadStartupSettings(ini, kChinesePrcLocale);
    EXPECT_EQ(s.comPort, c.comPort);
    EXPECT_EQ(s.handshaking, c.handshaking);
    EXPECT_EQ(s.stopBit, c.stopBit);
    EXPECT_EQ(s.currentLanguage, c.language);
    EXPECT_EQ(ini.read("language", "comPort"), std::to_string(c.comPort));
    EXPECT_EQ(ini.read("language", "CurrentLanguage"), std::to_string(c.language));
  }
}

TEST(StartupSettings, MissingFileIsCreatedComplete) {
  const auto dir = std::filesystem::temp_directory_path() / "kr4100_startup_missing";
  std::filesystem::remove_all(dir);
  IniFile ini = IniFile::Open(dir / "language" / "mysetup.ini");
  const StartupSettings s = LoadStartupSettings(ini, kUsEnglish, ini.existed());
  EXPECT_EQ(s.currentLanguage, 1);
  const IniFile written = IniFile::Open(dir / "language" / "mysetup.ini");
  EXPECT_EQ(written.text(),
            "[language]\r\nIsFirstRun=0\r\ncomPort=1\r\nHandshaking=0\r\nStopBit=1\r\n"
            "CurrentLanguage=1\r\n");
  std::filesystem::remove_all(dir);
}

// On unless the file says 0; start-up never adds the key, only the Setup menu's choice does.
TEST(StartupSettings, VerifyAfterWritingIsOnUntilTurnedOff) {
  IniFile ini = IniFile::Parse("[language]\nIsFirstRun=0\ncomPort=1\nCurrentLanguage=1\n");
  EXPECT_TRUE(LoadStartupSettings(ini, 0x409).verifyAfterWrite);
  EXPECT_EQ(ini.text().find("VerifyAfterWrite"), std::string::npos);
  SaveVerifyAfterWrite(ini, false);
  EXPECT_NE(ini.text().find("VerifyAfterWrite=0\n"), std::string::npos);
  EXPECT_FALSE(LoadStartupSettings(ini, 0x409).verifyAfterWrite);
  SaveVerifyAfterWrite(ini, true);
  EXPECT_TRUE(LoadStartupSettings(ini, 0x409).verifyAfterWrite);
}

TEST(StartupSettings, SavesWriteTheirKeys) {
  IniFile ini = IniFile::Parse("[language]\nIsFirstRun=0\n");
  StartupSettings s;
  s.comPort = 7;
  s.handshaking = 2;
  s.stopBit = 2;
  SavePortSettings(ini, s);
  SaveLanguage(ini, 2);
  EXPECT_EQ(ini.text(),
            "[language]\nIsFirstRun=0\ncomPort=7\nHandshaking=2\nStopBit=2\nCurrentLanguage=2\n");

  // A device path without a COM number is kept beside comPort and wins when the port is named.
  s.comDevice = "/dev/pts/7";
  SavePortSettings(ini, s);
  const StartupSettings loaded = LoadStartupSettings(ini, 0x409);
  EXPECT_EQ(loaded.comDevice, "/dev/pts/7");
  EXPECT_EQ(PortNameFor(loaded), "/dev/pts/7");
  s.comDevice.clear();
  s.comPort = 3;
#ifdef _WIN32
  EXPECT_EQ(PortNameFor(s), "COM3");
#else
  EXPECT_EQ(PortNameFor(s), "/dev/ttyS2");
#endif
}

}  // namespace
}  // namespace kr4100
