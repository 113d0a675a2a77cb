// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/trace_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "core/config/file_io.h"
#include "core/os/os.h"

namespace kr4100 {
namespace {

constexpr std::string_view kPrefix = "trace-";
constexpr std::string_view kSuffix = ".txt";
constexpr std::size_t kStampLength = 17;  // "2024-05-01-140322"

// A name TraceFileName made: its time as written and its copy number; nothing for any other name.
struct TraceName {
  std::string stamp;
  int copy = 1;
};

std::optional<TraceName> ParseTraceName(std::string_view name) {
  if (name.size() <= kPrefix.size() + kStampLength + 1 + kSuffix.size() ||
      name.substr(0, kPrefix.size()) != kPrefix ||
      name.substr(name.size() - kSuffix.size()) != kSuffix)
    return std::nullopt;
  name.remove_prefix(kPrefix.size());
  name.remove_suffix(kSuffix.size());
  const std::string_view stamp = name.substr(0, kStampLength);
  for (std::size_t i = 0; i < stamp.size(); ++i) {
    const bool dash = i == 4 || i == 7 || i == 10;
    if (dash ? stamp[i] != '-' : (stamp[i] < '0' || stamp[i] > '9')) return std::nullopt;
  }
  std::string_view what = name.substr(kStampLength);
  if (what.size() < 2 || what[0] != '-') return std::nullopt;
  what.remove_prefix(1);
  TraceName parsed{std::string(stamp)};
  // A session's name is words; digits after its last '-' are the copy number.
  const std::size_t dash = what.rfind('-');
  if (dash != std::string_view::npos && dash + 1 < what.size() && what.size() - dash <= 4 &&
      what.substr(dash + 1).find_first_not_of("0123456789") == std::string_view::npos) {
    parsed.copy = std::atoi(std::string(what.substr(dash + 1)).c_str());
    if (parsed.copy < 2) return std::nullopt;
    what = what.substr(0, dash);
  }
  if (what.empty() || what.find_first_not_of("abcdefghijklmnopqrstuvwxyz-") != std::string::npos)
    return std::nullopt;
  return parsed;
}

}  // namespace

std::string TraceFileName(const Timestamp& s, std::string_view what, int copy) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d-%02d%02d%02d", s.year, s.month, s.day, s.hour,
                s.minute, s.second);
  std::string kind(what);
  std::replace(kind.begin(), kind.end(), ' ', '-');
  if (copy > 1) kind += "-" + std::to_string(copy);
  return std::string(kPrefix) + stamp + "-" + kind + std::string(kSuffix);
}

std::size_t PruneTraces(const std::filesystem::path& folder, std::size_t keep,
                        const std::filesystem::path& spare) {
  struct Own {
    TraceName name;
    std::filesystem::path file;
  };
  std::vector<Own> own;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    if (auto name = ParseTraceName(Utf8FromPath(it->path().filename())))
      own.push_back({std::move(*name), it->path()});
  }
  if (own.size() <= keep) return 0;
  std::sort(own.begin(), own.end(), [](const Own& a, const Own& b) {
    if (a.name.stamp != b.name.stamp) return a.name.stamp > b.name.stamp;
    return a.name.copy > b.name.copy;
  });
  std::size_t deleted = 0;
  for (std::size_t i = keep; i < own.size(); ++i) {
    if (!spare.empty() && own[i].file.filename() == spare.filename()) continue;
    if (std::filesystem::remove(own[i].file, ec)) ++deleted;
  }
  return deleted;
}

TraceFile::TraceFile(const std::filesystem::path& dataDir, std::string_view what,
                     const Timestamp& stamp) {
  const std::filesystem::path folder = dataDir / kTraceFolder;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const std::string header = "KR-4100 serial trace, " + FormatTimestamp(stamp) + "\n";
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(header.data()),
                                            header.size());
  // Made only where no file is, so that two sessions of one second (two programs, or a quick
  // second command) never write into one file.
  for (int copy = 1; copy < 1000; ++copy) {
    path_ = folder / TraceFileName(stamp, what, copy);
    if (os::CreateSyncedFile(path_, bytes)) {
      out_.open(path_, std::ios::out | std::ios::app);
      if (out_) PruneTraces(folder, kTracesKept, path_);
      return;
    }
    if (!std::filesystem::exists(path_, ec))
      return;  // not in the way: the folder cannot be written
  }
}

}  // namespace kr4100
