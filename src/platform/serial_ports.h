// SPDX-License-Identifier: GPL-3.0-or-later
// The serial ports the system knows at this moment, by the device name a port is opened with.
#pragma once

#include <string>
#include <vector>

#include "core/serial/port_description.h"

namespace kr4100 {

std::vector<std::string> SystemSerialPorts();
// The same ports with what the system knows of their devices (names only where it knows nothing).
std::vector<PortDescription> SystemSerialPortDescriptions();

// True when a port of the list is the one a user named, by its device name or its short name
// ("/dev/ttyUSB0" or "ttyUSB0", "COM3").
bool SamePort(const std::string& listed, const std::string& named);

}  // namespace kr4100
