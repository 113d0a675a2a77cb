// SPDX-License-Identifier: GPL-3.0-or-later
// Automatic backups: every image read from a radio and every document about to be written to one
// is kept as a data file in the "backups" folder of the per-user data folder, newest 500 kept.
// A write's backup is renamed "written" once the write completed: from then on it is what that
// radio is known to hold.
// Nothing here throws or shows anything; a failure comes back as a result for the caller to report.
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/document.h"
#include "core/config/radio_config.h"
#include "core/link/identity.h"

namespace kr4100 {

inline constexpr const char* kBackupFolder = "backups";
inline constexpr std::size_t kBackupsKept = 500;

// Write: the document as a write was about to send it; Written: the same once the write completed
// (verified, or with verify off), so the radio holds it.
enum class BackupKind { Read, Write, Written };

// Local date and time, to the second; the caller takes it from its clock.
struct Timestamp {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  friend auto operator<=>(const Timestamp&, const Timestamp&) = default;  // earlier is less
};
Timestamp LocalTimestampNow();
// "2024-05-01 14:03:22", as the production log and the backup names show it.
std::string FormatTimestamp(const Timestamp& stamp);
// "2024-05-01 14:03", as a question names when a backup was made.
std::string FormatTimestampToMinute(const Timestamp& stamp);

// The radio a backup belongs to, as far as it is known (a write's backup is made before the radio
// has answered: the document's model and band and the firmware last heard).
struct BackupRadio {
  std::string model;     // "KR-4100"
  std::string band;      // band code, "0" or "1"
  std::string firmware;  // "V600"; may be empty
};
// The radio as it announced itself; all empty when it never did.
BackupRadio BackupRadioOf(const std::optional<RadioIdentity>& identity);
// Before the radio has answered: the document's model and band, and the firmware last heard.
BackupRadio BackupRadioOfDocument(const DocState& doc, const std::string& firmware);

// Keeps letters, digits, '-' and '.'; anything else becomes '_', so that a radio's identity can
// never leave the folder or upset a file system. Never empty ("unknown").
std::string SanitiseForFileName(std::string_view text);

// "20240501-140322_read_KR-4100_band0_V600.dat": the date first, so that name order is age order.
std::string BackupFileName(const Timestamp& stamp, BackupKind kind, const BackupRadio& radio);

struct BackupResult {
  bool ok = false;
  std::filesystem::path file;  // the backup written (ok), or the one that could not be
};

// Writes the record as a data file into <userDataDir>/backups (made when missing), then deletes
// the oldest backups beyond kBackupsKept (never the one just written). Two backups in the same
// second get "-2", "-3", ...
BackupResult WriteBackup(const std::filesystem::path& userDataDir, const RadioConfig& config,
                         BackupKind kind, const BackupRadio& radio, const Timestamp& stamp);

// Deletes the oldest of the program's own backups (names BackupFileName makes, by their date, time
// and copy number) beyond the newest `keep`. Kept whatever their age: `spare` (the backup just
// written), and for every radio (model, band, firmware) the newest read and the newest content it
// is known to hold. Nothing else in the folder is touched: a file the user saved there is theirs.
// Returns how many were deleted; files that cannot be deleted are left.
std::size_t PruneBackups(const std::filesystem::path& folder, std::size_t keep = kBackupsKept,
                         const std::filesystem::path& spare = {});

// A write's backup once the write completed: renamed to a "written" backup of the radio that
// answered (a write's backup is named before the radio has said which firmware it has). The new
// path, or nothing when the file cannot be renamed (it stays a write's backup).
std::optional<std::filesystem::path> MarkWriteCompleted(const std::filesystem::path& writeBackup,
                                                        const BackupRadio& radio);

std::filesystem::path BackupFolder(const std::filesystem::path& userDataDir);

// A backup opened as a document becomes an untitled one (Save asks for a name, as after a read),
// so that a backup is never changed in place. True when `file` is one of the program's backups in
// <userDataDir>/backups; any other file leaves the state alone.
bool DetachIfBackup(DocState& state, const std::filesystem::path& file,
                    const std::filesystem::path& userDataDir);

// What a backup's file name tells. A name BackupFileName did not make tells what it can: a field
// it does not hold is empty (unset), and a name of no known shape tells nothing but itself.
struct BackupEntry {
  std::filesystem::path file;
  std::optional<Timestamp> stamp;
  std::optional<BackupKind> kind;
  BackupRadio radio;  // as the name spells it; "unknown" in a name reads back as empty
  int copy = 1;       // 2, 3, ... for the later backups of one second
};

// Reads a name BackupFileName made ("20240501-140322_read_KR-4100_band0_V600-2.dat").
BackupEntry ParseBackupFileName(std::string_view name);
// Whether the entry's name is one BackupFileName makes (with its same-second copy number), so the
// program may prune it.
bool IsProgramBackup(const BackupEntry& entry);

// Every ".dat" file of the folder, newest first; names without a date follow, by name. A
// missing folder has none.
std::vector<BackupEntry> ListBackups(const std::filesystem::path& folder);

// The newest backup of a read from that radio: the same model, band and firmware, compared as
// the file names spell them.
std::optional<BackupEntry> NewestReadBackupOf(const std::vector<BackupEntry>& backups,
                                              const BackupRadio& radio);
// The newest content that radio is known to hold: its newest read or completed write.
std::optional<BackupEntry> NewestKnownContentOf(const std::vector<BackupEntry>& backups,
                                                const BackupRadio& radio);

// One row of a backups listing, the window's and the command line's: date, time, read or write,
// model, band, firmware and the file's name; what the name does not tell is empty.
inline constexpr std::size_t kBackupColumnCount = 7;
using BackupRow = std::array<std::string, kBackupColumnCount>;
BackupRow BackupRowOf(const BackupEntry& entry, int language);
BackupRow BackupHeadings(int language);

}  // namespace kr4100
