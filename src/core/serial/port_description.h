// SPDX-License-Identifier: GPL-3.0-or-later
// A serial port as a list shows it to the user: its name with what the system knows of the
// device behind it, so that two USB adapters can be told apart.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kr4100 {

struct PortDescription {
  std::string port;  // as a session opens it and the settings store it: "/dev/ttyUSB0", "COM3"
  std::string name;  // the short name: "ttyUSB0"; empty: the port's last path element
  std::string description;  // what the system calls the device
  std::string manufacturer;
  std::optional<std::uint16_t> vendorId;  // USB ids, when the device is on USB
  std::optional<std::uint16_t> productId;
  // Windows: the adapter driver's latency timer (how long it holds a short reply back), where
  // the driver keeps one in the port's device parameters.
  std::optional<unsigned> latencyTimerMs = std::nullopt;
};

// Above this the adapter's latency timer slows every short exchange with the radio.
inline constexpr unsigned kLatencyTimerGoodMs = 2;

// Ports the system knows by name alone (the Windows registry's list).
std::vector<PortDescription> NamesOnly(const std::vector<std::string>& names);

// "ttyUSB0 — USB-Serial Controller, Prolific (067b:2303)"; the name alone when nothing is known.
std::string PortLabel(const PortDescription& port);

// The port of the list a session opens by that name, in either of its forms; null: not listed.
const PortDescription* FindListedPort(const std::vector<PortDescription>& ports,
                                      const std::string& port);
// "Port: ttyUSB0 — USB Serial (1a86:7523)" for a time-out, so that the user knows which of
// several adapters failed; empty when the system knows no more of the port than its name.
std::string AdapterLine(const std::vector<PortDescription>& ports, const std::string& port,
                        int language);
// How to lower an adapter's latency timer when it is above kLatencyTimerGoodMs; empty otherwise.
std::string LatencyAdvice(const PortDescription& port, int language);

}  // namespace kr4100
