// SPDX-License-Identifier: GPL-3.0-or-later
// One radio command from the opening of the port to what it leaves behind, run the same way by the
// main window and by the command line: the transfer session over the host the front end made for
// the port, its serial trace, the document's identity for the check, the backups a read and a
// write keep, and a write's tally with its verify. Each front end keeps what is its own: the
// window its progress window, message boxes and signals; the command line its text on stderr,
// exit statuses and options.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/config/document.h"
#include "core/link/backups.h"
#include "core/link/reporting_session_host.h"
#include "core/link/session_outcome.h"
#include "core/link/transfer_session.h"

namespace kr4100 {

class SerialTrace;

// How a session of the job is opened.
struct RadioJobOpening {
  PortSettings port;
  // The document whose model and band the radio must match; null leaves the session's own (a
  // radio-information read checks no identity).
  const DocState* document = nullptr;
  SerialTrace* trace = nullptr;  // null: none
};

class RadioJob {
 public:
  // dataDir: the per-user data folder, where backups are kept and restore points found; empty
  // keeps none. keepBackups false: reads and writes keep no backup unless one is asked for
  // anyway (the read a write preview is measured against).
  explicit RadioJob(std::filesystem::path dataDir, bool keepBackups = true);

  // Opens the port for a session of the kind, on the session the front end picked for the port.
  // A write reads the radio back when its tally has verify on. False: the port did not open
  // (host().openError() says why) and the session stays idle.
  bool open(TransferSession& session, ReportingSessionHost& host, SessionKind kind,
            const RadioJobOpening& opening);

  // The session and host of the last open; null before the first.
  TransferSession* session() const { return session_; }
  ReportingSessionHost* host() const { return host_; }
  const std::filesystem::path& dataDir() const { return dataDir_; }
  // The window's data folder is the program's setting, which may change between commands.
  void setDataDir(std::filesystem::path dataDir) { dataDir_ = std::move(dataDir); }

  // The data file a successful read makes over `base`. Nothing without a data folder, when the
  // job keeps no backups (unless always), or for an image that does not unpack.
  std::optional<BackupResult> backUpRead(const RadioConfig& base, bool always = false) const;

  // A write of one radio (radios 0) or a group; the tally starts again.
  void beginWrite(int radios, bool verify);
  // The document as the write is about to send it, named after the firmware last heard; a radio
  // that then takes the write whole has it renamed a written backup.
  std::optional<BackupResult> backUpWrite(const Document& doc, const std::string& firmwareHeard);
  // Each radio as its write ends, with its read-back compared against what was sent over `base`.
  void radioWritten(const RadioWritten& radio, const RadioConfig& base, int language);
  const WriteTally& tally() const { return tally_; }
  // What the user is told as the write ends.
  std::vector<Notice> finishWrite(bool success, int language) {
    return tally_.finish(success, language);
  }
  // The backup that may put a radio left with part of the write back as it was.
  std::optional<BackupEntry> restorePoint() const;

 private:
  std::filesystem::path dataDir_;
  bool keepBackups_;
  TransferSession* session_ = nullptr;
  ReportingSessionHost* host_ = nullptr;
  WriteTally tally_;
};

}  // namespace kr4100
