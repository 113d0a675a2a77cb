// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/braille_claim.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <set>
#include <system_error>

#include "core/texts/port_texts.h"

namespace kr4100 {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Whether a rule line takes the chip: by udev's PRODUCT ("1a86/7523/...", hex without leading
// zeros) or by the vendor and product attributes together.
bool RuleTakes(const std::string& line, UsbId chip) {
  char product[32];
  std::snprintf(product, sizeof product, "\"%x/%x/", chip.vendor, chip.product);
  if (line.find("env{product}") != std::string::npos && line.find(product) != std::string::npos)
    return true;
  char vendor[32], model[32];
  std::snprintf(vendor, sizeof vendor, "{idvendor}==\"%04x\"", chip.vendor);
  std::snprintf(model, sizeof model, "{idproduct}==\"%04x\"", chip.product);
  return line.find(vendor) != std::string::npos && line.find(model) != std::string::npos;
}

std::optional<UsbId> FileTakes(const std::filesystem::path& file, std::span<const UsbId> chips) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    line = Lower(line);
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    for (const UsbId& chip : chips)
      if (RuleTakes(line, chip)) return chip;
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::filesystem::path> UdevRuleDirs() {
  return {"/etc/udev/rules.d", "/run/udev/rules.d", "/lib/udev/rules.d", "/usr/lib/udev/rules.d"};
}

std::optional<BrailleClaim> FindBrailleClaim(const std::vector<std::filesystem::path>& dirs,
                                             std::span<const UsbId> chips) {
  std::set<std::string> seen;  // names an earlier folder has decided
  for (const std::filesystem::path& dir : dirs) {
    std::error_code error;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error))
      files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files) {
      const std::string name = file.filename().string();
      if (!seen.insert(name).second) continue;
      if (Lower(name).find("brltty") == std::string::npos) continue;
      if (const auto chip = FileTakes(file, chips)) return BrailleClaim{file.string(), *chip};
    }
  }
  return std::nullopt;
}

bool IsUsbSerialDeviceName(const std::string& port) {
  return port.find("ttyUSB") != std::string::npos || port.find("ttyACM") != std::string::npos;
}

std::string BrailleClaimAdvice(const BrailleClaim& claim, int language) {
  char chip[16];
  std::snprintf(chip, sizeof chip, "%04x:%04x", claim.chip.vendor, claim.chip.product);
  return FillField(FillField(kBrailleClaim.in(language), "{rules}", claim.rules), "{chip}", chip);
}

}  // namespace kr4100
