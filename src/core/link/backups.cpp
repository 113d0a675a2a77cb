// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/backups.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <set>
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

const char* KindWord(BackupKind kind) {
  switch (kind) {
    case BackupKind::Read:
      return "read";
    case BackupKind::Write:
      return "write";
    case BackupKind::Written:
      return "written";
  }
  return "read";
}

// The radio as a backup's name spells it, so that names compare as the files do.
std::string RadioKey(const BackupRadio& radio) {
  return SanitiseForFileName(radio.model) + "_band" + SanitiseForFileName(radio.band) + "_" +
         SanitiseForFileName(radio.firmware);
}

std::string WithCopy(std::string name, int copy) {
  if (copy > 1) name.insert(name.size() - 4, "-" + std::to_string(copy));
  return name;
}

// The name for a new backup in the folder. The same second's later backups, of whatever kind,
// get "-2", "-3", ..., so that the copy number keeps their order: a read just after a write of
// the same second is the newer one.
std::filesystem::path NewBackupPath(const std::filesystem::path& folder, const Timestamp& stamp,
                                    BackupKind kind, const BackupRadio& radio) {
  const std::string prefix = CompactStamp(stamp) + "_";
  int highest = 0;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = Utf8FromPath(it->path().filename());
    if (name.rfind(prefix, 0) != 0) continue;
    const BackupEntry entry = ParseBackupFileName(name);
    if (IsProgramBackup(entry)) highest = std::max(highest, entry.copy);
  }
  std::filesystem::path path = folder / WithCopy(BackupFileName(stamp, kind, radio), highest + 1);
  // A name of another shape in the way (never one of ours: those were counted).
  for (int n = highest + 2; std::filesystem::exists(path, ec) && n < 1000; ++n)
    path = folder / WithCopy(BackupFileName(stamp, kind, radio), n);
  return path;
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

std::string FormatTimestampToMinute(const Timestamp& stamp) {
  return FormatTimestamp(stamp).substr(0, 16);
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
  name += std::string("_") + KindWord(kind) + "_";
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
  result.file = NewBackupPath(folder, stamp, kind, radio);
  const auto bytes = EncodeDataFile(config);
  result.ok = WriteFileAtomically(result.file, bytes);
  if (result.ok) PruneBackups(folder, kBackupsKept, result.file);
  return result;
}

bool DetachIfBackup(DocState& state, const std::filesystem::path& file,
                    const std::filesystem::path& userDataDir) {
  if (userDataDir.empty()) return false;
  std::error_code ec;
  if (!std::filesystem::equivalent(file.parent_path(), BackupFolder(userDataDir), ec) || ec)
    return false;
  BackupEntry entry = ParseBackupFileName(Utf8FromPath(file.filename()));
  if (!IsProgramBackup(entry)) return false;
  state.fileName = kNewDocumentName;
  state.neverSaved = true;
  return true;
}

std::optional<std::filesystem::path> MarkWriteCompleted(const std::filesystem::path& writeBackup,
                                                        const BackupRadio& radio) {
  const BackupEntry entry = ParseBackupFileName(Utf8FromPath(writeBackup.filename()));
  if (!entry.stamp || entry.kind != BackupKind::Write) return std::nullopt;
  // The copy number stays: it is the backup's place among those of its second.
  const std::filesystem::path target =
      writeBackup.parent_path() /
      WithCopy(BackupFileName(*entry.stamp, BackupKind::Written, radio), entry.copy);
  std::error_code ec;
  if (std::filesystem::exists(target, ec)) return std::nullopt;
  std::filesystem::rename(writeBackup, target, ec);
  if (ec) return std::nullopt;
  return target;
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
  if (parts[1] == "written") entry.kind = BackupKind::Written;
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

bool IsProgramBackup(const BackupEntry& entry) {
  if (!entry.stamp || !entry.kind) return false;
  return Utf8FromPath(entry.file.filename()) ==
         WithCopy(BackupFileName(*entry.stamp, *entry.kind, entry.radio), entry.copy);
}

namespace {

// The newest backup of the radio whose kind `wanted` accepts. As the names spell the radio: one
// with characters a file name cannot hold still matches.
template <class Wanted>
std::optional<BackupEntry> NewestOf(const std::vector<BackupEntry>& backups,
                                    const BackupRadio& radio, Wanted wanted) {
  const std::string key = RadioKey(radio);
  std::optional<BackupEntry> newest;
  for (const BackupEntry& b : backups) {
    if (!b.kind || !wanted(*b.kind) || !b.stamp || RadioKey(b.radio) != key) continue;
    if (!newest || NewerFirst(b, *newest)) newest = b;
  }
  return newest;
}

}  // namespace

std::optional<BackupEntry> NewestReadBackupOf(const std::vector<BackupEntry>& backups,
                                              const BackupRadio& radio) {
  return NewestOf(backups, radio, [](BackupKind k) { return k == BackupKind::Read; });
}

std::optional<BackupEntry> NewestKnownContentOf(const std::vector<BackupEntry>& backups,
                                                const BackupRadio& radio) {
  return NewestOf(backups, radio, [](BackupKind k) { return k != BackupKind::Write; });
}

BackupRow BackupRowOf(const BackupEntry& entry, int language) {
  BackupRow row;
  if (entry.stamp) {
    const std::string stamp = FormatTimestamp(*entry.stamp);  // "2024-05-01 14:03:22"
    row[0] = stamp.substr(0, 10);
    row[1] = stamp.substr(11);
  }
  if (entry.kind) {
    const Bilingual& word = *entry.kind == BackupKind::Read    ? kBackupRead
                            : *entry.kind == BackupKind::Write ? kBackupWrite
                                                               : kBackupWritten;
    row[2] = word.in(language);
  }
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

std::size_t PruneBackups(const std::filesystem::path& folder, std::size_t keep,
                         const std::filesystem::path& spare) {
  std::vector<BackupEntry> own = ListBackups(folder);  // newest first
  std::erase_if(own, [](const BackupEntry& e) { return !IsProgramBackup(e); });
  if (own.size() <= keep) return 0;
  // What each radio was last read as, and last known to hold, survives any number of newer
  // backups of other radios: it is what the write preview and Write Back need.
  std::set<std::string> lastRead, lastKnown;
  std::size_t deleted = 0;
  std::error_code ec;
  for (std::size_t i = 0; i < own.size(); ++i) {
    const BackupEntry& entry = own[i];
    const std::string radio = RadioKey(entry.radio);
    bool kept = i < keep || (!spare.empty() && entry.file.filename() == spare.filename());
    if (entry.kind == BackupKind::Read && lastRead.insert(radio).second) kept = true;
    if (entry.kind != BackupKind::Write && lastKnown.insert(radio).second) kept = true;
    if (!kept && std::filesystem::remove(entry.file, ec)) ++deleted;
  }
  return deleted;
}

}  // namespace kr4100
