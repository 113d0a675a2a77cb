// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the cable by the port that appears, and the braille-display service that takes USB
// serial adapters away a moment after they appear.
#include "core/serial/port_watch.h"

#include <gtest/gtest.h>

#include "core/link/braille_claim.h"
#include "core/link/port_failure.h"
#include "core/texts/bilingual.h"
#include "support/udev_rules.h"

namespace kr4100 {
namespace {

using std::chrono::milliseconds;
using testing::UdevRules;

const PortDescription kBuiltIn{"/dev/ttyS0", "ttyS0", {}, {}, {}, {}, {}};
const PortDescription kCable{"/dev/ttyUSB0", "ttyUSB0", "USB Serial", {}, 0x1a86, 0x7523, {}};
const PortDescription kOther{"/dev/ttyUSB1", "ttyUSB1", "FT232R", "FTDI", 0x0403, 0x6001, {}};

std::vector<std::string> Ports(const std::vector<PortDescription>& ports) {
  std::vector<std::string> names;
  for (const PortDescription& p : ports) names.push_back(p.port);
  return names;
}

TEST(CableFinder, ThePortThatAppearsAndStaysIsTheCable) {
  CableFinder finder({kBuiltIn, kOther}, milliseconds(3000));
  EXPECT_EQ(finder.look({kBuiltIn, kOther}, milliseconds(0)), CableSearch::Waiting);
  // The system lists in its own order; a port there before never counts.
  EXPECT_EQ(finder.look({kCable, kBuiltIn, kOther}, milliseconds(1000)), CableSearch::Waiting);
  EXPECT_EQ(finder.look({kOther, kCable, kBuiltIn}, milliseconds(2000)), CableSearch::Found);
  EXPECT_EQ(Ports(finder.ports()), std::vector<std::string>{"/dev/ttyUSB0"});
  // Over: later looks change nothing.
  EXPECT_EQ(finder.look({}, milliseconds(9000)), CableSearch::Found);
}

TEST(CableFinder, APortThatGoesAgainAtOnceIsReportedAsVanishedNotFound) {
  CableFinder finder({kBuiltIn}, milliseconds(3000));
  EXPECT_EQ(finder.look({kBuiltIn, kCable}, milliseconds(0)), CableSearch::Waiting);
  EXPECT_EQ(finder.look({kBuiltIn}, milliseconds(1000)), CableSearch::Vanished);
  EXPECT_EQ(Ports(finder.ports()), std::vector<std::string>{"/dev/ttyUSB0"});
}

TEST(CableFinder, TwoNewPortsOrNoneAreSaidSo) {
  CableFinder two({kBuiltIn}, milliseconds(3000));
  two.look({kBuiltIn, kCable}, milliseconds(0));
  EXPECT_EQ(two.look({kBuiltIn, kCable, kOther}, milliseconds(1000)), CableSearch::Several);
  EXPECT_EQ(Ports(two.ports()), (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyUSB1"}));

  CableFinder none({kBuiltIn}, milliseconds(2000));
  EXPECT_EQ(none.look({kBuiltIn}, milliseconds(1000)), CableSearch::Waiting);
  EXPECT_EQ(none.look({kBuiltIn}, milliseconds(2000)), CableSearch::None);
  // A port seen once at the limit still gets its second look.
  CableFinder late({}, milliseconds(2000));
  EXPECT_EQ(late.look({kCable}, milliseconds(2000)), CableSearch::Waiting);
  EXPECT_EQ(late.look({kCable}, milliseconds(3000)), CableSearch::Found);
}

TEST(CableFinder, WaitingLooksUntilTheLimitOrAStop) {
  int looks = 0;
  const PortLister list = [&looks] {
    ++looks;
    return looks >= 3 ? std::vector<PortDescription>{kCable} : std::vector<PortDescription>{};
  };
  milliseconds waited{0};
  const auto pause = [&waited](milliseconds interval) {
    waited += interval;
    return true;
  };
  CableFinder finder(list(), milliseconds(5000));
  EXPECT_EQ(WaitForCable(finder, list, milliseconds(250), pause), CableSearch::Found);
  // Empty at the first look, new at the second, still there at the third.
  EXPECT_EQ(waited, milliseconds(500));

  looks = 0;
  waited = milliseconds(0);
  const PortLister nothing = [] { return std::vector<PortDescription>{}; };
  CableFinder none(nothing(), milliseconds(1000));
  EXPECT_EQ(WaitForCable(none, nothing, milliseconds(250), pause), CableSearch::None);
  EXPECT_EQ(waited, milliseconds(1000));

  // A stop with a port seen once ends the search, not as a vanished port.
  CableFinder stopped({}, milliseconds(5000));
  const PortLister cable = [] { return std::vector<PortDescription>{kCable}; };
  EXPECT_EQ(WaitForCable(stopped, cable, milliseconds(250), [](milliseconds) { return false; }),
            CableSearch::None);
}

TEST(BrailleClaim, FoundByAnActiveRuleForACableChip) {
  UdevRules rules;
  EXPECT_FALSE(FindBrailleClaim(rules.dirs()));
  // Another package's rule for the same chip is no braille service.
  UdevRules::Write(rules.lib / "60-other.rules", testing::kBrailleRuleCh340);
  EXPECT_FALSE(FindBrailleClaim(rules.dirs()));
  UdevRules::Write(rules.lib / "85-brltty.rules", testing::kBrailleRuleCh340);
  const auto claim = FindBrailleClaim(rules.dirs());
  ASSERT_TRUE(claim);
  EXPECT_EQ(claim->rules, (rules.lib / "85-brltty.rules").string());
  EXPECT_EQ(claim->chip, (UsbId{0x1a86, 0x7523}));
  EXPECT_FALSE(FindBrailleClaim(rules.dirs(), std::vector<UsbId>{{0x10c4, 0xea60}}));
}

TEST(BrailleClaim, CommentedRulesAndRulesSwitchedOffInEtcDoNotCount) {
  UdevRules rules;
  UdevRules::Write(rules.lib / "85-brltty.rules",
                   "# ENV{PRODUCT}==\"1a86/7523/*\", GOTO=\"brltty_usb_run\"\n"
                   "  #ENV{PRODUCT}==\"403/6001/*\", GOTO=\"brltty_usb_run\"\n");
  EXPECT_FALSE(FindBrailleClaim(rules.dirs()));
  // udev's PRODUCT has no leading zeros: 0403 is "403".
  UdevRules::Write(rules.lib / "90-brltty-device.rules",
                   "ENV{PRODUCT}==\"403/6001/*\", ATTRS{manufacturer}==\"X\", GOTO=\"run\"\n");
  ASSERT_TRUE(FindBrailleClaim(rules.dirs()));
  EXPECT_EQ(FindBrailleClaim(rules.dirs())->chip, (UsbId{0x0403, 0x6001}));
  // The same name in /etc replaces the shipped file (the usual way to switch it off).
  UdevRules::Write(rules.etc / "90-brltty-device.rules", "");
  EXPECT_FALSE(FindBrailleClaim(rules.dirs()));
  // Vendor and product attributes, in capitals.
  UdevRules::Write(rules.etc / "99-BRLTTY.rules",
                   "SUBSYSTEMS==\"usb\", ATTRS{idVendor}==\"10C4\", ATTRS{idProduct}==\"EA60\"\n");
  EXPECT_EQ(FindBrailleClaim(rules.dirs())->chip, (UsbId{0x10c4, 0xea60}));
}

TEST(BrailleClaim, AGonePortSaysWhatTookItAndHowToStopIt) {
  const PortOpenError gone{
      PortFailure::Gone, {}, BrailleClaim{"/lib/udev/rules.d/85-brltty.rules", {0x1a86, 0x7523}}};
  const std::string en = PortFailureReason(gone, kEnglish);
  EXPECT_NE(en.find("unplugged"), std::string::npos);
  EXPECT_NE(en.find("/lib/udev/rules.d/85-brltty.rules"), std::string::npos);
  EXPECT_NE(en.find("1a86:7523"), std::string::npos);
  EXPECT_NE(en.find("sudo systemctl mask brltty-udev.service"), std::string::npos);
  EXPECT_NE(PortFailureReason(gone, kChinese).find("sudo apt remove brltty"), std::string::npos);
  EXPECT_EQ(PortFailureReason({PortFailure::Gone, {}, {}}, kEnglish).find("brltty"),
            std::string::npos);
  EXPECT_TRUE(IsUsbSerialDeviceName("/dev/ttyUSB0"));
  EXPECT_TRUE(IsUsbSerialDeviceName("ttyACM1"));
  EXPECT_FALSE(IsUsbSerialDeviceName("/dev/ttyS0"));
}

}  // namespace
}  // namespace kr4100
