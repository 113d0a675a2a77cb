// SPDX-License-Identifier: GPL-3.0-or-later
// The braille-display service (brltty) on Linux: its udev rules can take a plain USB serial
// adapter for a braille display the moment it is plugged in, and its port vanishes a moment
// after it appeared. Whether such a rule is installed for the chips radio cables are built on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kr4100 {

struct UsbId {
  std::uint16_t vendor;
  std::uint16_t product;
  friend bool operator==(const UsbId&, const UsbId&) = default;
};

// The USB serial chips of the usual programming cables (CH340, CH341, FT232R, CP210x, PL2303).
inline constexpr UsbId kCableChips[] = {
    {0x1a86, 0x7523}, {0x1a86, 0x5523}, {0x0403, 0x6001}, {0x10c4, 0xea60}, {0x067b, 0x2303}};

struct BrailleClaim {
  std::string rules;  // the rules file that claims it
  UsbId chip;
  friend bool operator==(const BrailleClaim&, const BrailleClaim&) = default;
};

// Where udev reads its rules, in udev's order: a file of a name in an earlier folder replaces
// the files of that name in the later ones (a link to /dev/null there switches a rule off).
std::vector<std::filesystem::path> UdevRuleDirs();

// The first of the chips that a braille-service rules file in the folders claims; rules that
// are commented out do not count.
std::optional<BrailleClaim> FindBrailleClaim(const std::vector<std::filesystem::path>& dirs,
                                             std::span<const UsbId> chips = kCableChips);

// Whether a device name is one a USB serial adapter gets on Linux (ttyUSB0, ttyACM0).
bool IsUsbSerialDeviceName(const std::string& port);

// What is happening and how to stop it (CR LF between lines, as message texts).
std::string BrailleClaimAdvice(const BrailleClaim& claim, int language);

}  // namespace kr4100
