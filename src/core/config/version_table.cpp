// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/version_table.h"

#include <algorithm>

#include "core/config/numbers.h"

namespace kr4100 {

namespace {

constexpr std::string_view kOwnVersion = "V600";

std::string_view CleanTag(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  const auto last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

}  // namespace

bool IsValidVersionTag(std::string_view text) {
  const std::string_view tag = CleanTag(text);
  return tag.size() == kVersionTagLength && tag.front() == 'V' && ParseNumber(tag.substr(1)).has_value();
}

std::string VersionDisplayForm(std::string_view tag) {
  const std::size_t n = std::min<std::size_t>(2, tag.size());
  return std::string(tag.substr(0, n)) + "." + std::string(tag.substr(tag.size() - n));
}

VersionTable VersionTable::BuiltIn() {
  VersionTable table;
  table.currentVersion_ = kOwnVersion;
  table.soft_ = {std::string(kOwnVersion)};
  table.pairs_ = {{std::string(kOwnVersion), std::string(kOwnVersion)}};
  table.builtIn_ = true;
  return table;
}

VersionTable::VersionTable(std::string currentVersion, std::vector<std::string> softVersions,
                           std::vector<std::pair<std::string, std::string>> pairs)
    : currentVersion_(std::move(currentVersion)),
      soft_(std::move(softVersions)),
      pairs_(std::move(pairs)) {}

bool VersionTable::IsPairListed(std::string_view programTag, std::string_view otherTag) const {
  for (const auto& [program, other] : pairs_) {
    if (program == programTag && other == otherTag) return true;
  }
  return false;
}

std::string VersionTable::ProgramForTag(std::string_view otherTag) const {
  for (const auto& [program, other] : pairs_) {
    if (other == otherTag) return program;
  }
  return {};
}

std::optional<std::filesystem::path> OtherVersionProgram(const VersionTable& table,
                                                         const std::filesystem::path& programDir,
                                                         std::string_view otherTag,
                                                         std::string_view exeName) {
  const std::string program = table.ProgramForTag(otherTag);
  // The tag becomes a folder name: only a proper tag, so a damaged table cannot point elsewhere
  // ("..", separators).
  if (program.size() != kVersionTagLength || !IsValidVersionTag(program)) return std::nullopt;
  return programDir.parent_path() / program / exeName;
}

}  // namespace kr4100
