// SPDX-License-Identifier: GPL-3.0-or-later
// Which port the sessions open: a device given on the command line until the user chooses one,
// and the one rule by which a chosen or found port is kept.
#include "core/settings/app_state.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/settings/ini_file.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

// A fresh installation in a scratch folder, started the way the program starts when it was
// given --port DEVICE.
struct Started {
  testing::TempDir dir;
  AppState app{InstallLayout{dir / "V600"}};

  explicit Started(const std::string& portOverride = {}) {
    std::filesystem::create_directories(dir / "V600");
    app.portOverride = portOverride;
    app.startup(0x0409, dir / "home");
  }
  std::optional<std::string> stored(const char* key) {
    return IniFile::Open(app.settingsFile().path()).read("language", key);
  }
};

TEST(AppStatePort, CommandLineDeviceIsInForceUntilThePortDialogChooses) {
  Started s("/dev/pts/3");
  EXPECT_EQ(s.app.portInForce(), "/dev/pts/3");
  EXPECT_EQ(s.stored("comPort"), "1");  // the override is not stored

  s.app.choosePort("COM7");
  EXPECT_TRUE(s.app.portOverride.empty());
  EXPECT_EQ(s.app.settings().comPort, 7);
  EXPECT_EQ(s.stored("comPort"), "7");
#ifndef _WIN32
  EXPECT_EQ(s.app.portInForce(), "/dev/ttyS6");
#endif

  // A device without a number is kept by its path.
  s.app.choosePort("/dev/pts/9");
  EXPECT_EQ(s.app.portInForce(), "/dev/pts/9");
  EXPECT_EQ(s.stored("comDevice"), "/dev/pts/9");

  // Nothing to choose: no port in force, and the file keeps the last real choice.
  s.app.choosePort("");
  EXPECT_EQ(s.app.settings().comPort, 0);
  EXPECT_TRUE(s.app.settings().comDevice.empty());
  EXPECT_EQ(s.stored("comDevice"), "/dev/pts/9");
}

TEST(AppStatePort, FoundPortFollowsAnOverrideAndIsStored) {
  Started s("/dev/pts/3");
  s.app.keepFoundPort("/dev/pts/4", 2, 3);
  EXPECT_EQ(s.app.portOverride, "/dev/pts/4");
  EXPECT_EQ(s.app.portInForce(), "/dev/pts/4");
  EXPECT_EQ(s.app.settings().stopBit, 2);
  EXPECT_EQ(s.app.settings().handshaking, 3);
  EXPECT_EQ(s.stored("comDevice"), "/dev/pts/4");
  EXPECT_EQ(s.stored("StopBit"), "2");
  EXPECT_EQ(s.stored("Handshaking"), "3");

  // Without an override the search's port simply becomes the stored one.
  Started plain;
  plain.app.keepFoundPort("COM5", 1, 2);
  EXPECT_TRUE(plain.app.portOverride.empty());
  EXPECT_EQ(plain.app.settings().comPort, 5);
  EXPECT_EQ(plain.stored("comPort"), "5");
  EXPECT_EQ(plain.stored("Handshaking"), "2");
}

TEST(AppStatePort, PortsWithANumberAreKeptAsThatNumber) {
  struct Case {
    const char* port;
    int comPort;         // expected number, or the earlier one when kept as a device
    const char* device;  // expected device path ("" when kept as a number)
  };
  const Case cases[] = {
      {"COM7", 7, ""},
      {"\\\\.\\COM7", 7, ""},
      {"com12", 12, ""},
      {"COM123", 123, ""},
#ifndef _WIN32
      {"/dev/ttyS6", 7, ""},
      {"/dev/ttyS0", 1, ""},
#endif
      {"/dev/pts/3", 2, "/dev/pts/3"},
      {"COM1234", 2, "COM1234"},  // four digits are more than a port number holds
      {"COM0", 2, "COM0"},
      {"COM", 2, "COM"},
      {"COM7x", 2, "COM7x"},
  };
  for (const Case& c : cases) {
    StartupSettings settings;
    settings.comPort = 2;
    settings.comDevice = "/dev/earlier";
    StorePort(settings, c.port);
    EXPECT_EQ(settings.comPort, c.comPort) << c.port;
    EXPECT_EQ(settings.comDevice, c.device) << c.port;
    EXPECT_EQ(ComNumberOf(c.port).has_value(), *c.device == '\0') << c.port;
  }
}

}  // namespace
}  // namespace kr4100

namespace kr4100 {
namespace {

// The switches a settings file may carry: only "1" turns one on, and nothing writes them.
TEST(AppStateSwitches, ServiceAndGroupWriteComeOnlyFromAOneInTheSettingsFile) {
  for (const char* value : {"1", "0", "yes", ""}) {
    testing::TempDir dir;
    std::filesystem::create_directories(dir / "V600");
    std::filesystem::create_directories(dir / "language");
    testing::WriteText(dir / "language" / "mysetup.ini",
                       std::string("[language]\nCurrentLanguage=1\nService=") + value +
                           "\nGroupWrite=" + value + "\n");
    AppState app{InstallLayout{dir / "V600"}};
    app.startup(0x0409, dir / "home");
    EXPECT_EQ(app.serviceFunctions, std::string(value) == "1") << value;
    EXPECT_EQ(app.groupWriteEnabled, std::string(value) == "1") << value;
  }
  Started fresh;
  EXPECT_FALSE(fresh.app.serviceFunctions);
  EXPECT_FALSE(fresh.stored("Service").has_value());
}

}  // namespace
}  // namespace kr4100
