// SPDX-License-Identifier: GPL-3.0-or-later
// The version table: which data-file and firmware versions each installed program version
// accepts, and which program version to start for a file this one refuses. Version.ini holds it
// (settings/version_ini.h reads it).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kr4100 {

// "V" and three characters, as a data file, the radio and Version.ini spell a version.
inline constexpr std::size_t kVersionTagLength = 4;

// Text, cut at its first NUL and with trailing blanks removed, of exactly four characters: "V"
// and three that form a number ("V600").
bool IsValidVersionTag(std::string_view text);
// "V600" shows as "V6.00": the first two characters, ".", the last two.
std::string VersionDisplayForm(std::string_view tag);

class VersionTable {
 public:
  // The table this build ships: current version V600, software V600, pair V600/V600.
  static VersionTable BuiltIn();
  VersionTable(std::string currentVersion, std::vector<std::string> softVersions,
               std::vector<std::pair<std::string, std::string>> pairs);

  const std::string& currentVersion() const { return currentVersion_; }
  const std::vector<std::string>& softVersions() const { return soft_; }
  // Pairs as listed: first half a program tag, second half a data-file or firmware tag.
  const std::vector<std::pair<std::string, std::string>>& pairs() const { return pairs_; }
  bool fromBuiltIn() const { return builtIn_; }

  bool IsPairListed(std::string_view programTag, std::string_view otherTag) const;
  // First half of the first pair whose second half is otherTag, or empty.
  std::string ProgramForTag(std::string_view otherTag) const;

 private:
  std::string currentVersion_;
  std::vector<std::string> soft_;
  std::vector<std::pair<std::string, std::string>> pairs_;
  bool builtIn_ = false;

  VersionTable() = default;
};

// The program that StartOtherVersion would start for a tag: <root>/<program tag>/<exe name>, where
// root is the parent of this program's folder. Nothing when no listed program accepts the tag.
std::optional<std::filesystem::path> OtherVersionProgram(const VersionTable& table,
                                                         const std::filesystem::path& programDir,
                                                         std::string_view otherTag,
                                                         std::string_view exeName);

}  // namespace kr4100
