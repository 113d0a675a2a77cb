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

namespace kr4100 {
namespace {

std::string CompactStamp(const Timestamp& s) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d-%02d%02d%02d", s.year, s.month, s.day, s.hour,
                s.minute, s.second);
  return buffer;
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
