// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/version_ini.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/config/numbers.h"

namespace kr4100 {
namespace {

// Real tables list a handful of versions; a larger count is a broken or hostile file.
constexpr double kMaxCount = 10000;

std::optional<std::size_t> ReadCount(const IniStore& ini, std::string_view key) {
  const auto text = ini.read("Version", key);
  if (!text) return std::nullopt;
  const auto value = ParseNumber(*text);
  if (!value || *value != std::floor(*value) || *value < 1 || *value > kMaxCount) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(*value);
}

}  // namespace

VersionTable LoadVersionTable(const IniStore* ini) {
  if (ini == nullptr) return VersionTable::BuiltIn();
  const auto softCount = ReadCount(*ini, "SoftVersionCount");
  const auto firmCount = ReadCount(*ini, "FirmVersionCount");
  if (!softCount || !firmCount) return VersionTable::BuiltIn();

  std::string current = ini->read("Version", "CurrentVersion").value_or("");
  std::vector<std::string> soft;
  soft.reserve(*softCount);
  for (std::size_t i = 0; i < *softCount; ++i) {
    soft.push_back(ini->read("Soft", "Version" + std::to_string(i)).value_or(""));
  }
  std::vector<std::pair<std::string, std::string>> pairs;
  pairs.reserve(*firmCount);
  for (std::size_t i = 0; i < *firmCount; ++i) {
    const std::string entry = ini->read("Firm", "Firm" + std::to_string(i)).value_or("");
    const std::string_view view(entry);
    const std::size_t cut = std::min(kVersionTagLength, view.size());
    pairs.emplace_back(std::string(view.substr(0, cut)),
                       std::string(view.substr(cut, kVersionTagLength)));
  }
  return VersionTable(std::move(current), std::move(soft), std::move(pairs));
}

}  // namespace kr4100
