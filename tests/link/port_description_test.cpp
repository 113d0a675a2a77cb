// SPDX-License-Identifier: GPL-3.0-or-later
// How a serial port is listed: the name, then whatever the system knows of the device.
#include <gtest/gtest.h>

#include "core/serial/port_description.h"

namespace kr4100 {
namespace {

TEST(PortLabel, NamesThePortThenItsDeviceWithoutRepeatingTheMaker) {
  EXPECT_EQ(PortLabel({"/dev/ttyUSB0", "ttyUSB0", "USB-Serial Controller", "Prolific", 0x067b,
                       0x2303}),
            "ttyUSB0 \u2014 USB-Serial Controller, Prolific (067b:2303)");
  EXPECT_EQ(PortLabel({"/dev/ttyACM0", "", "FTDI", "FTDI", {}, {}}), "ttyACM0 \u2014 FTDI");
  EXPECT_EQ(PortLabel({"/dev/ttyUSB1", "ttyUSB1", "", "", 0x0403, 0x6001}),
            "ttyUSB1 \u2014 (0403:6001)");
  // A vendor without a product is no USB pair to show.
  EXPECT_EQ(PortLabel({"COM3", "", "", "", 0x0403, {}}), "COM3");
  EXPECT_EQ(PortLabel(NamesOnly({"COM12"}).front()), "COM12");
}

}  // namespace
}  // namespace kr4100
