// SPDX-License-Identifier: GPL-3.0-or-later
// kr4100-cli ports: the list, and --wait-new played with ports coming and going.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/port_commands.h"
#include "support/cli_run.h"
#include "support/udev_rules.h"

namespace kr4100 {
namespace {

using testing::Contains;
using testing::UdevRules;

const PortDescription kBuiltIn{"/dev/ttyS0", "ttyS0", {}, {}, {}, {}, {}};
const PortDescription kCable{"/dev/ttyUSB0", "ttyUSB0", "USB Serial", {}, 0x1a86, 0x7523, {}};
const PortDescription kOther{"/dev/ttyUSB1", "ttyUSB1", "FT232R", "FTDI", 0x0403, 0x6001, {}};

// The ports at each look, the last one repeated; the pauses cost no time.
struct PlayedPorts {
  std::vector<std::vector<PortDescription>> looks;
  std::size_t at = 0;
  UdevRules rules;
  CliOptions options;
  std::ostringstream out, err;

  int run(int waitNew, int language = kEnglish) {
    options.waitNew = waitNew;
    const CliContext context{options, {}, language, out, err, nullptr};
    const PortHooks hooks{[this] { return looks[std::min(at++, looks.size() - 1)]; },
                          [](std::chrono::milliseconds) { return true; }, rules.dirs()};
    return ListPorts(context, hooks);
  }
};

TEST(CliPorts, WaitNewPrintsThePortThatAppearsAsPortTakesIt) {
  PlayedPorts p;
  p.looks = {{kBuiltIn, kOther}, {kBuiltIn, kOther}, {kCable, kBuiltIn, kOther}};
  EXPECT_EQ(p.run(5), kExitOk);
  EXPECT_EQ(p.out.str(), "/dev/ttyUSB0\n");
  EXPECT_EQ(p.err.str(), "");

  PlayedPorts two;
  two.looks = {{kBuiltIn}, {kBuiltIn, kCable, kOther}};
  EXPECT_EQ(two.run(5), kExitOk);
  EXPECT_EQ(two.out.str(), "/dev/ttyUSB0\n");
  EXPECT_TRUE(Contains(two.err.str(), "ttyUSB1 \u2014 FT232R, FTDI (0403:6001)")) << two.err.str();
}

TEST(CliPorts, NoNewPortOrOneThatVanishesFailsAndNamesTheBrailleService) {
  PlayedPorts none;
  none.looks = {{kBuiltIn}};
  EXPECT_EQ(none.run(2), kExitFailed);
  EXPECT_EQ(none.out.str(), "");
  EXPECT_EQ(none.err.str(), "No new port appeared within 2 s.\n");
  // The baseline, a look every 250 ms from 0 to 2 s, and the list for the advice.
  EXPECT_EQ(none.at, 11u);

  PlayedPorts vanished;
  UdevRules::Write(vanished.rules.lib / "85-brltty.rules", testing::kBrailleRuleCh340);
  vanished.looks = {{kBuiltIn}, {kBuiltIn, kCable}, {kBuiltIn}};
  EXPECT_EQ(vanished.run(30), kExitFailed);
  const std::string err = vanished.err.str();
  EXPECT_TRUE(Contains(err, "appeared and vanished again")) << err;
  EXPECT_TRUE(Contains(err, "ttyUSB0")) << err;
  EXPECT_TRUE(Contains(err, "sudo systemctl mask brltty-udev.service")) << err;
  EXPECT_FALSE(Contains(err, "\r")) << err;
}

TEST(CliPorts, TheListAdvisesOnTheBrailleServiceOnlyWithoutAUsbPort) {
  PlayedPorts withCable;
  UdevRules::Write(withCable.rules.lib / "85-brltty.rules", testing::kBrailleRuleCh340);
  withCable.looks = {{kBuiltIn, kCable}};
  EXPECT_EQ(withCable.run(-1), kExitOk);
  EXPECT_EQ(withCable.out.str(), "ttyS0\nttyUSB0 \u2014 USB Serial (1a86:7523)\n");
  EXPECT_EQ(withCable.err.str(), "");

  PlayedPorts without;
  UdevRules::Write(without.rules.lib / "85-brltty.rules", testing::kBrailleRuleCh340);
  without.looks = {{kBuiltIn}};
  EXPECT_EQ(without.run(-1, kChinese), kExitOk);
  EXPECT_TRUE(Contains(without.err.str(), "盲文")) << without.err.str();
}

TEST(CliPorts, WaitNewTakesSecondsOrItsDefaultAndRefusesNonsense) {
  EXPECT_EQ(testing::Cli({"ports", "--wait-new", "0"}).status, kExitUsage);
  EXPECT_EQ(testing::Cli({"ports", "--wait-new", "soon"}).status, kExitUsage);
  // The real system, where no cable is plugged in during the test.
  const testing::CliRun run = testing::Cli({"ports", "--wait-new", "1"});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_TRUE(Contains(run.err, "No new port appeared within 1 s.")) << run.err;
}

}  // namespace
}  // namespace kr4100
