// SPDX-License-Identifier: GPL-3.0-or-later
// What a transfer leaves behind besides the radio's bytes: the backups a read and a write keep,
// the verify decision of a write, and the group write's tally, production log and summary.
// Nothing here shows or asks anything; the windows show what comes back.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/config/document.h"
#include "core/link/backups.h"
#include "core/link/radio_image.h"
#include "core/link/session_host.h"
#include "core/link/transfer_session.h"
#include "core/link/write_verify.h"

namespace kr4100 {

// The data file a successful read makes over `base`, kept before it replaces the document. Nothing
// is kept without a data folder (an embedding that set none), nor for an image that does not
// unpack: that read is refused anyway.
std::optional<BackupResult> BackUpRead(const TransferSession& session, const RadioConfig& base,
                                       const std::filesystem::path& userDataDir,
                                       const Timestamp& when);
// The document as a write is about to send it. Nothing without a data folder.
std::optional<BackupResult> BackUpWrite(const Document& doc, const std::string& firmwareHeard,
                                        const std::filesystem::path& userDataDir,
                                        const Timestamp& when);

// A successful read into the document. The read data are a new, unsaved document: it counts as
// modified until saved. On an error the document is as it was.
std::optional<ImageError> TakeRead(const TransferSession& session, Document& doc);

// One radio's read-back compared with what was sent to it; nothing when it was not read back.
std::optional<VerifyResult> VerifyRadio(const RadioWritten& radio, const TransferSession& session,
                                        const RadioConfig& base, int language);

// A message for the user; the level picks the box's icon.
enum class NoticeLevel { Plain, Information, Warning };
struct Notice {
  std::string text;
  NoticeLevel level = NoticeLevel::Plain;
  friend bool operator==(const Notice&, const Notice&) = default;
};

// The write in progress, of one radio or of a group: each radio's end is counted (and in a group
// write logged), and the end says what the user is told.
class WriteTally {
 public:
  // radios 0: a single write; otherwise a group write of that many radios. logDir: where the
  // group write's production log goes; empty keeps none.
  void begin(int radios, bool verifyOn, std::filesystem::path logDir);
  // The backup of what is being written: once a radio has taken the write whole (and read back
  // right, with verify on), it is renamed a written backup, what that radio is known to hold.
  void setWriteBackup(std::filesystem::path file) { writeBackup_ = std::move(file); }
  const std::filesystem::path& writeBackup() const { return writeBackup_; }
  bool verifyOn() const { return verifyOn_; }
  bool groupWrite() const { return radios_ > 0; }

  // Each radio as its write ends. verify: its read-back compared, nothing when none completed.
  void radioWritten(const RadioWritten& radio, std::optional<VerifyResult> verify, int language,
                    const Timestamp& when);
  int succeeded() const { return succeeded_; }
  int failed() const { return failed_; }
  // The single write's radio compared with what was sent; nothing when it was not read back.
  const std::optional<VerifyResult>& singleVerify() const { return singleVerify_; }
  // The radio whose write stopped after its first data block, if one did.
  const std::optional<RadioWritten>& partial() const { return partial_; }

  // What the user is told as the write ends, in order. After a failure only what it means for a
  // radio left with part of the write: the failure itself was said by the session, and a group
  // write ended by Cancel or by closing its window had its tally in the window and its rows in
  // the log.
  std::vector<Notice> finish(bool success, int language);

 private:
  Notice groupSummary(int language) const;

  int radios_ = 0;
  bool verifyOn_ = false;
  std::filesystem::path logDir_;
  std::optional<VerifyResult> singleVerify_;  // the single write's radio, when read back
  int succeeded_ = 0;
  int failed_ = 0;
  std::vector<std::string> differences_;  // "Radio 2: ..." for each radio that read back wrong
  bool logFailed_ = false;
  std::filesystem::path writeBackup_;
  std::optional<RadioWritten> partial_;
};

// The backup that may put a radio left with part of a write back as it was: the newest read or
// completed write of that radio in <userDataDir>/backups.
std::optional<BackupEntry> RestorePointOf(const RadioWritten& radio,
                                          const std::filesystem::path& userDataDir);
// The question that offers to write that backup back, naming when it was made.
std::string WriteBackQuestion(const BackupEntry& restore, int language);

}  // namespace kr4100
