// SPDX-License-Identifier: GPL-3.0-or-later
// Windows names of serial ports: the short name a user types ("COM3", "com3") and the device
// path it is opened by ("\\.\COM3", the only form that reaches COM10 and above).
#pragma once

#include <string>
#include <vector>

#include "core/serial/port_description.h"

namespace kr4100 {

std::string SerialDevicePath(const std::string& name);

// Whether a registered port is the one a user named, in either form and in any case.
bool SameSerialPort(const std::string& listed, const std::string& named);

// Ports in the order a list shows them: by name, the numbers compared as numbers (COM2 before
// COM10).
void SortSerialPorts(std::vector<std::string>& ports);
void SortSerialPorts(std::vector<PortDescription>& ports);

}  // namespace kr4100
