// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/file_commands.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/cli_command.h"
#include "cli/record_json.h"
#include "core/config/calendar_date.h"
#include "core/config/file_io.h"
#include "core/config/record_diff.h"
#include "core/link/backups.h"

namespace kr4100 {
namespace {

// A message box text breaks its lines with CR LF; a check line keeps to one line.
std::string OneLine(std::string_view text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    line += text[i] == '\n' || text[i] == '\r' ? ' ' : text[i];
  }
  return line;
}

void PrintRow(std::ostream& out, const BackupRow& row) {
  for (std::size_t i = 0; i < row.size(); ++i) out << (i > 0 ? "\t" : "") << row[i];
  out << '\n';
}

// One line of check: "<path>: OK" or "<path>: <the refusal message on one line>".
struct CheckedFile {
  bool ok = false;
  std::string line;
};

CheckedFile CheckDataFile(const std::filesystem::path& path, const VersionTable& versions,
                          int language) {
  Document doc;
  const FileOutcome opened = OpenDataFile(doc, path, versions);
  return {opened.ok(), Utf8FromPath(path) + ": " +
                           (opened.ok() ? std::string("OK") : OneLine(opened.message(language)))};
}

int RunDump(const CliContext& c) {
  const auto& files = c.options.inputs;
  const VersionTable versions = LoadVersions(c);
  int status = kExitOk;
  for (const std::string& file : files) {
    Document doc;
    const FileOutcome opened = OpenDataFile(doc, PathFromUtf8(file), versions);
    if (!opened.ok()) {
      status = Fail(opened, c);
      continue;
    }
    // One file: the indented document it has always been. Several: one document per line, so a
    // script can take them apart.
    if (files.size() == 1)
      c.out << RecordToJson(doc.working()).dump(2, ' ', true) << '\n';
    else
      c.out << RecordToJson(doc.working()).dump(-1, ' ', true) << '\n';
  }
  return status;
}

int RunCheck(const CliContext& c) {
  const VersionTable versions = LoadVersions(c);
  int status = kExitOk;
  for (const std::string& file : c.options.inputs) {
    const CheckedFile checked = CheckDataFile(PathFromUtf8(file), versions, c.language);
    c.out << checked.line << '\n';
    if (!checked.ok) status = kExitFailed;
  }
  return status;
}

int RunDiff(const CliContext& c) {
  const VersionTable versions = LoadVersions(c);
  Document a;
  Document b;
  const FileOutcome openedA = OpenDataFile(a, PathFromUtf8(c.options.input), versions);
  if (!openedA.ok()) return Fail(openedA, c);
  const FileOutcome openedB = OpenDataFile(b, PathFromUtf8(c.options.output), versions);
  if (!openedB.ok()) return Fail(openedB, c);
  const auto differences = DiffRecords(a.working(), b.working(), c.language);
  for (const FieldDifference& d : differences) c.out << DifferenceLine(d, c.language) << '\n';
  return differences.empty() ? kExitOk : kExitFailed;
}

int RunNew(const CliContext& c) {
  Document doc;
  if (c.options.sourceDateEpoch) {
    if (const auto fixed = SourceDateEpochDate()) doc.setToday([date = *fixed] { return date; });
  }
  InitNewDocument(doc, c.options.band, c);
  return SaveOutput(doc, c);
}

int RunResave(const CliContext& c) {
  Document doc;
  const FileOutcome opened = OpenDataFile(doc, PathFromUtf8(c.options.input), LoadVersions(c));
  if (!opened.ok()) return Fail(opened, c);
  return SaveOutput(doc, c);
}

void NewOptions(CLI::App& command, CliOptions& o) {
  AddBandOption(command, o);
  command.add_flag("--no-template", o.noTemplate, "Do not read the band's template file");
  command.add_flag("--source-date-epoch", o.sourceDateEpoch,
                   "Date the document by SOURCE_DATE_EPOCH (UTC) when it is set, instead of "
                   "today, as the build does for reproducible templates");
  command.add_option("OUT", o.output, "Data file to write")->required();
}

void DumpOptions(CLI::App& command, CliOptions& o) {
  command.add_option("FILE", o.inputs, "Data files to read")->required();
}

void CheckOptions(CLI::App& command, CliOptions& o) {
  command.add_option("FILE", o.inputs, "Data files to check")->required();
}

void DiffOptions(CLI::App& command, CliOptions& o) {
  command.add_option("A", o.input, "First data file")->required();
  command.add_option("B", o.output, "Second data file")->required();
}

void ResaveOptions(CLI::App& command, CliOptions& o) {
  AddInOutFiles(command, o, {"IN", "Data file to open", "OUT", "Data file to write"});
}

constexpr CliCommand kFileCommands[] = {
    {"new", nullptr, "Write a new document as a data file", false, NewOptions, RunNew},
    {"dump", nullptr,
     "Print a data file's whole record as JSON (several files: one document per line)", false,
     DumpOptions, RunDump},
    {"check", nullptr, "Open each data file as the program does: OK or why not", false,
     CheckOptions, RunCheck},
    {"diff", nullptr, "Print every setting that differs between two data files (exit 1 when any)",
     false, DiffOptions, RunDiff},
    {"resave", nullptr, "Open a data file and save it again", false, ResaveOptions, RunResave},
};

}  // namespace

CliGroup FileCommands() {
  return {"file", kFileCommands};
}

int RunBackups(const CliContext& c, const std::filesystem::path& dataDir) {
  PrintRow(c.out, BackupHeadings(c.language));
  if (dataDir.empty()) return kExitOk;  // no data folder, so no backups either
  for (const BackupEntry& entry : ListBackups(BackupFolder(dataDir)))
    PrintRow(c.out, BackupRowOf(entry, c.language));
  return kExitOk;
}

}  // namespace kr4100
