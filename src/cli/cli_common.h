// SPDX-License-Identifier: GPL-3.0-or-later
// What the kr4100-cli commands share: the parsed options, how a command reaches the installation,
// and how refusals are printed.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_app.h"
#include "core/config/data_file.h"
#include "core/config/document.h"
#include "core/config/version_table.h"
#include "core/settings/install_layout.h"

namespace kr4100 {

struct CliOptions {
  std::string lang = "en";
  std::string versionIni;
  int band = 0;
  bool bandGiven = false;  // unpack: without --band the image's own band picks the template
  bool noTemplate = false;
  bool sourceDateEpoch = false;  // new: dated by SOURCE_DATE_EPOCH, as the build's templates are
  std::string input;
  std::string output;
  std::string csv;                  // import-csv: the channel file
  std::vector<std::string> inputs;  // dump and check: every file named
  // Radio commands.
  std::string port;
  int stopBits = 1;
  int handshaking = 0;
  bool verify = false;     // write: read the radio back and compare
  bool readFirst = false;  // write: read the radio into a backup first, list what the write changes
  bool noBackup = false;   // read, write: no backup in the data folder
  std::string dataDir;     // the per-user data folder the backups go into; empty: the program's
  std::string trace;       // the serial trace's file; empty: none
  int waitNew = -1;        // ports --wait-new: seconds to wait for a new port; -1: list them
  // testmode align.
  int testItem = 0;
  bool narrow = false;
  std::vector<std::string> testSets;  // "TAB=VALUE", in order
  bool testOk = false;
  bool testCancel = false;
  int testPoll = 0;
};

// One command's surroundings.
struct CliContext {
  const CliOptions& options;
  InstallLayout install;
  int language;
  std::ostream& out;
  std::ostream& err;
  SessionFigures* figures;  // may be null
};

// The installed version table, or the one --version-ini names.
VersionTable LoadVersions(const CliContext& context);

// A new document of a band as the program starts one: defaults with the band's installed
// new-document template read over them (unless --no-template).
void InitNewDocument(Document& doc, int band, const CliContext& context);

// Prints a message on its own line. Message texts break lines with CR LF, as message boxes do; a
// terminal wants LF alone.
void PrintMessage(std::ostream& stream, std::string_view text);

// Saves the document to the command's output file: the success status, or the refusal printed
// and the failure status.
int SaveOutput(Document& doc, const CliContext& context);

// Prints a file refusal and returns the failure status.
int Fail(const FileOutcome& outcome, const CliContext& context);
// Prints a message of the table, optionally followed by a blank and a detail, and returns the
// failure status.
int Fail(MessageId id, const CliContext& context, std::string_view detail = {});

}  // namespace kr4100
