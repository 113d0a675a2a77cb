// A serial port as a list shows it to the user: its name with what the system knows of the
// device behind it, so that two USB adapters can be told apart.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kr4100 {

struct PortDescription {
  std::string port;          // as a session opens it and the settings store it: "/dev/ttyUSB0", "COM3"
  std::string name;          // the short name: "ttyUSB0"; empty: the port's last path element
  std::string description;   // what the system calls the device
  std::string manufacturer;
  std::optional<std::uint16_t> vendorId;  // USB ids, when the device is on USB
  std::optional<std::uint16_t> productId;
};

// Ports the system knows by name alone (the Windows registry's list).
std::vector<PortDescription> NamesOnly(const std::vector<std::string>& names);

// "ttyUSB0 — USB-Serial Controller, Prolific (067b:2303)"; the name alone when nothing is known.
std::string PortLabel(const PortDescription& port);

}  // namespace kr4100
