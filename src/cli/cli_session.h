// SPDX-License-Identifier: GPL-3.0-or-later
// A radio command's job over the serial port on the command line: the core's radio job on the
// command line's host, prompter, trace and stop signals, run to its end on a local event loop.
// What it says goes to stderr; the command decides the exit status.
#pragma once

#include <filesystem>
#include <optional>

#include "cli/cli_common.h"
#include "cli/radio_console.h"
#include "cli/radio_link.h"
#include "core/link/radio_job.h"
#include "core/link/transfer_session.h"

namespace kr4100 {

class CliSession : private ConsoleRun {
 public:
  CliSession(const CliContext& context, const VersionTable& versions);

  TransferSession& session() { return session_; }
  RadioJob& job() { return job_; }

  // Opens the port for a session of the kind; the radio must match the document when there is
  // one. Prints the port error when the port does not open.
  bool open(SessionKind kind, const Document* document = nullptr);
  // Runs the opened session to its end. False: it failed, and the user has been told why.
  bool run();
  // The exit status of a session that did not succeed.
  int failure() const;

  // The job's backups; one that cannot be written is said on the error stream and the command
  // goes on. The file written, or nothing.
  std::optional<std::filesystem::path> backUpRead(const RadioConfig& base, bool always = false);
  std::optional<std::filesystem::path> backUpWrite(const Document& document);
  // A write that stopped after its first data block: what that means for the radio, and the
  // backup that can put it back as it was.
  void explainPartialWrite();

 private:
  std::optional<std::filesystem::path> said(const std::optional<BackupResult>& backup);

  CliSessionHost host_;
  TransferSession session_;
  RadioJob job_;                        // after the host: the data folder may need its application
  const Document* document_ = nullptr;  // of the last open, what a write's read-back is held to
};

}  // namespace kr4100
