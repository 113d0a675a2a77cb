// SPDX-License-Identifier: GPL-3.0-or-later
// Folders of udev rules as a system has them, for the checks of the braille-display service.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace kr4100::testing {

// An /etc-like folder that overrides a /lib-like one, both empty until rules are written.
struct UdevRules {
  TempDir root;
  std::filesystem::path etc = root / "etc";
  std::filesystem::path lib = root / "lib";
  UdevRules() {
    std::filesystem::create_directories(etc);
    std::filesystem::create_directories(lib);
  }
  std::vector<std::filesystem::path> dirs() const { return {etc, lib}; }
  static void Write(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
  }
};

// The braille service's rule for a CH340, as the distributions ship it.
inline constexpr const char* kBrailleRuleCh340 =
    "# Device: 1A86:7523\n"
    "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"bm\", GOTO=\"brltty_usb_run\"\n";

}  // namespace kr4100::testing
