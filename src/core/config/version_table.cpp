#include "core/settings/version_table.h"

#include <algorithm>
#include <cmath>

#include "core/config/numbers.h"

namespace kr4100 {

namespace {

constexpr std::string_view kOwnVersion = "V600";
constexpr std::size_t kTagLength = 4;
// Real tables list a handful of versions; a larger count is a broken or hostile file.
constexpr double kMaxCount = 10000;

std::string_view CleanTag(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  const auto last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

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

bool IsValidVersionTag(std::string_view text) {
  const std::string_view tag = CleanTag(text);
  return tag.size() == kTagLength && tag.front() == 'V' && ParseNumber(tag.substr(1)).has_value();
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

VersionTable VersionTable::Load(const IniStore* ini) {
  if (ini == nullptr) return BuiltIn();
  const auto softCount = ReadCount(*ini, "SoftVersionCount");
  const auto firmCount = ReadCount(*ini, "FirmVersionCount");
  if (!softCount || !firmCount) return BuiltIn();

  VersionTable table;
  table.currentVersion_ = ini->read("Version", "CurrentVersion").value_or("");
  table.soft_.reserve(*softCount);
  for (std::size_t i = 0; i < *softCount; ++i) {
    table.soft_.push_back(ini->read("Soft", "Version" + std::to_string(i)).value_or(""));
  }
  table.pairs_.reserve(*firmCount);
  for (std::size_t i = 0; i < *firmCount; ++i) {
    const std::string entry = ini->read("Firm", "Firm" + std::to_string(i)).value_or("");
    const std::string_view view(entry);
    table.pairs_.emplace_back(
        std::string(view.substr(0, std::min(kTagLength, view.size()))),
        std::string(view.substr(std::min(kTagLength, view.size()), kTagLength)));
  }
  return table;
}

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
  if (program.size() != kTagLength || !IsValidVersionTag(program)) return std::nullopt;
  return programDir.parent_path() / program / exeName;
}

}  // namespace kr4100
