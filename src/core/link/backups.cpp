#include "core/link/backups.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <system_error>
#include <vector>

#include "core/config/data_file_codec.h"
#include "core/config/file_io.h"
#include "core/config/model_band.h"
#include "core/os/os.h"
#include "core/texts/backup_texts.h"

namespace kr4100 {
namespace {

std::string CompactStamp(const Timestamp& s) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d-%02d%02d%02d", s.year, s.month, s.day, s.hour,
                s.minute, s.second);
  return buffer;
}

// "20240501-140322" back into its parts; nothing for anything else, an impossible date included.
std::optional<Timestamp> ParseCompactStamp(std::string_view text) {
  if (text.size() != 15 || text[8] != '-') return std::nullopt;
  const auto number = [&](std::size_t at, std::size_t length) {
    int value = 0;
    for (std::size_t i = at; i < at + length; ++i) {
      if (text[i] < '0' || text[i] > '9') return -1;
      value = value * 10 + (text[i] - '0');
    }
    return value;
  };
  const Timestamp s{number(0, 4), number(4, 2),  number(6, 2),
                    number(9, 2), number(11, 2), number(13, 2)};
  const bool valid = s.year >= 0 && s.month >= 1 && s.month <= 12 && s.day >= 1 && s.day <= 31 &&
                     s.hour >= 0 && s.hour < 24 && s.minute >= 0 && s.minute < 60 &&
                     s.second >= 0 && s.second <= 60;  // 60: a leap second
  if (!valid) return std::nullopt;
  return s;
}

std::vector<std::string> SplitAt(std::string_view text, char separator) {
  std::vector<std::string> parts;
  for (std::size_t from = 0;;) {
    const std::size_t at = text.find(separator, from);
    parts.emplace_back(
        text.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
    if (at == std::string_view::npos) return parts;
    from = at + 1;
  }
}

std::string Joined(const std::vector<std::string>& parts, std::size_t first, std::size_t end) {
  std::string out;
  for (std::size_t i = first; i < end; ++i) out += (i > first ? "_" : "") + parts[i];
  return out;
}

// A field that had no value was written as "unknown".
std::string Known(std::string field) {
  return field == "unknown" ? std::string() : field;
}

// The same-second counter WriteBackup appends ("-2" up to "-999") off the firmware.
int TakeCopyNumber(std::string& firmware) {
  const std::size_t dash = firmware.rfind('-');
  if (dash == std::string::npos || dash == 0 || firmware.size() - dash > 4) return 1;
  const std::string digits = firmware.substr(dash + 1);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return 1;
  const int copy = std::stoi(digits);
  if (copy < 2) return 1;
  firmware.resize(dash);
  return copy;
}

bool NewerFirst(const BackupEntry& a, const BackupEntry& b) {
  if (a.stamp.has_value() != b.stamp.has_value()) return a.stamp.has_value();
  if (!a.stamp) return a.file.filename() < b.file.filename();
  if (*a.stamp != *b.stamp) return *a.stamp > *b.stamp;
  if (a.copy != b.copy) return a.copy > b.copy;
  return a.file.filename() > b.file.filename();
}

}  // namespace

Timestamp LocalTimestampNow() {
  const std::time_t now = std::time(nullptr);
  // Not std::localtime: its shared buffer is no place for a session running beside the window.
  const std::tm local = os::LocalTime(now);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string FormatTimestamp(const Timestamp& s) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", s.year, s.month, s.day,
                s.hour, s.minute, s.second);
  return buffer;
}

BackupRadio BackupRadioOf(const std::optional<RadioIdentity>& identity) {
  if (!identity) return {};
  return {ModelDisplayName(identity->modelCode), std::to_string(identity->bandCode),
          CleanCode(identity->firmware)};
}

BackupRadio BackupRadioOfDocument(const DocState& doc, const std::string& firmware) {
  return {ModelDisplayName(doc.modelText), std::to_string(BandCodeOf(doc.bandText, doc.modelText)),
          firmware};
}

std::string SanitiseForFileName(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                      c == '-' || c == '.';
    out += keep ? c : '_';
  }
  // A name of dots alone would mean this or the parent folder.
  if (out.find_first_not_of('.') == std::string::npos) out.clear();
  return out.empty() ? std::string("unknown") : out;
}

std::string BackupFileName(const Timestamp& stamp, BackupKind kind, const BackupRadio& radio) {
  std::string name = CompactStamp(stamp);
  name += kind == BackupKind::Read ? "_read_" : "_write_";
  name += SanitiseForFileName(radio.model);
  name += "_band" + SanitiseForFileName(radio.band);
  name += "_" + SanitiseForFileName(radio.firmware);
  return name + ".dat";
}

std::filesystem::path BackupFolder(const std::filesystem::path& userDataDir) {
  return userDataDir / kBackupFolder;
}

BackupResult WriteBackup(const std::filesystem::path& userDataDir, const RadioConfig& config,
                         BackupKind kind, const BackupRadio& radio, const Timestamp& stamp) {
  const std::filesystem::path folder = BackupFolder(userDataDir);
  const std::string name = BackupFileName(stamp, kind, radio);
  BackupResult result;
  result.file = folder / name;
  if (userDataDir.empty()) return result;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return result;
  // Never over an earlier backup of the same second.
  const std::string stem = name.substr(0, name.size() - 4);
  for (int n = 2; std::filesystem::exists(result.file, ec) && n < 1000; ++n)
    result.file = folder / (stem + "-" + std::to_string(n) + ".dat");
  const auto bytes = EncodeDataFile(config);
  result.ok = WriteFileAtomically(result.file, bytes);
  if (result.ok) PruneBackups(folder);
  return result;
}

BackupEntry ParseBackupFileName(std::string_view name) {
  BackupEntry entry;
  entry.file = PathFromUtf8(std::string(name));
  constexpr std::string_view kDat = ".dat";
  if (name.size() >= kDat.size() && name.substr(name.size() - kDat.size()) == kDat)
    name.remove_suffix(kDat.size());
  const std::vector<std::string> parts = SplitAt(name, '_');
  entry.stamp = ParseCompactStamp(parts[0]);
  if (!entry.stamp || parts.size() < 2) return entry;
  if (parts[1] == "read") entry.kind = BackupKind::Read;
  if (parts[1] == "write") entry.kind = BackupKind::Write;
  if (!entry.kind) return entry;
  // The model and the firmware may hold '_' (for any character a file name cannot), the band code
  // never: the last "band" part after the model divides the two.
  for (std::size_t band = parts.size() - 1; band > 2; --band) {
    if (parts[band].rfind("band", 0) != 0 || band + 1 >= parts.size()) continue;
    std::string firmware = Joined(parts, band + 1, parts.size());
    entry.copy = TakeCopyNumber(firmware);
    entry.radio = {Known(Joined(parts, 2, band)), Known(parts[band].substr(4)), Known(firmware)};
    break;
  }
  return entry;
}

std::vector<BackupEntry> ListBackups(const std::filesystem::path& folder) {
  std::error_code ec;
  std::vector<BackupEntry> backups;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::filesystem::path& path = it->path();
    if (path.extension() != ".dat" || !it->is_regular_file(ec)) continue;
    BackupEntry entry = ParseBackupFileName(Utf8FromPath(path.filename()));
    entry.file = path;
    backups.push_back(std::move(entry));
  }
  std::sort(backups.begin(), backups.end(), NewerFirst);
  return backups;
}

std::optional<BackupEntry> NewestReadBackupOf(const std::vector<BackupEntry>& backups,
                                              const BackupRadio& radio) {
  // As the names spell them: a radio with characters a file name cannot hold still matches.
  const auto same = [](const std::string& named, const std::string& wanted) {
    return SanitiseForFileName(named) == SanitiseForFileName(wanted);
  };
  std::optional<BackupEntry> newest;
  for (const BackupEntry& b : backups) {
    if (b.kind != BackupKind::Read || !b.stamp || !same(b.radio.model, radio.model) ||
        !same(b.radio.band, radio.band) || !same(b.radio.firmware, radio.firmware))
      continue;
    if (!newest || NewerFirst(b, *newest)) newest = b;
  }
  return newest;
}

BackupRow BackupRowOf(const BackupEntry& entry, int language) {
  BackupRow row;
  if (entry.stamp) {
    const std::string stamp = FormatTimestamp(*entry.stamp);  // "2024-05-01 14:03:22"
    row[0] = stamp.substr(0, 10);
    row[1] = stamp.substr(11);
  }
  if (entry.kind)
    row[2] = (*entry.kind == BackupKind::Read ? kBackupRead : kBackupWrite).in(language);
  row[3] = entry.radio.model;
  row[4] = entry.radio.band;
  row[5] = entry.radio.firmware;
  row[6] = Utf8FromPath(entry.file.filename());
  return row;
}

BackupRow BackupHeadings(int language) {
  BackupRow row;
  for (std::size_t i = 0; i < row.size(); ++i) row[i] = kBackupHeadings[i].in(language);
  return row;
}

std::size_t PruneBackups(const std::filesystem::path& folder, std::size_t keep) {
  std::error_code ec;
  std::vector<std::filesystem::path> files;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path& path = it->path();
    if (path.extension() == ".dat" && it->is_regular_file(ec)) files.push_back(path);
  }
  if (files.size() <= keep) return 0;
  std::sort(files.begin(), files.end());
  std::size_t deleted = 0;
  for (std::size_t i = 0; i + keep < files.size(); ++i)
    if (std::filesystem::remove(files[i], ec)) ++deleted;
  return deleted;
}

}  // namespace kr4100
