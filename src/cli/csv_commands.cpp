// SPDX-License-Identifier: GPL-3.0-or-later
#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "cli/cli_command.h"
#include "core/config/channel_csv.h"
#include "core/config/file_io.h"

namespace kr4100 {
namespace {

// A channel file of six full groups is some 30 KB; anything far beyond is not one.
constexpr std::uintmax_t kMaxCsvBytes = 16u << 20;

int RunExportCsv(const CliContext& c) {
  Document doc;
  const FileOutcome opened = OpenDataFile(doc, PathFromUtf8(c.options.input), LoadVersions(c));
  if (!opened.ok()) return Fail(opened, c);
  const std::string text = ExportChannelsCsv(doc.working(), doc.state().edges);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  if (!WriteFileAtomically(PathFromUtf8(c.options.output), {bytes, text.size()}))
    return Fail(MessageId::FileError, c);
  return kExitOk;
}

int RunImportCsv(const CliContext& c) {
  Document doc;
  const FileOutcome opened = OpenDataFile(doc, PathFromUtf8(c.options.input), LoadVersions(c));
  if (!opened.ok()) return Fail(opened, c);
  const auto size = RegularFileSize(PathFromUtf8(c.options.csv));
  const auto bytes = size && *size <= kMaxCsvBytes
                         ? ReadFilePrefix(PathFromUtf8(c.options.csv), *size)
                         : std::nullopt;
  if (!bytes) return Fail(MessageId::FileError, c);

  const std::string text(bytes->begin(), bytes->end());
  const ChannelTablesResult result = ImportChannelsCsv(text, doc.state().edges);
  if (!result.ok()) {
    PrintMessage(c.err, MessageText(MessageId::ChannelsNotImported, c.language));
    for (const CsvProblem& problem : result.problems)
      PrintMessage(c.err, DescribeCsvProblem(problem, doc.state().edges, c.language));
    return kExitFailed;
  }
  doc.ReplaceChannelTables(result.tables);
  return SaveOutput(doc, c);
}

void ExportOptions(CLI::App& command, CliOptions& o) {
  AddInOutFiles(command, o, {"FILE", "Data file to open", "OUT", "CSV file to write"});
}

void ImportOptions(CLI::App& command, CliOptions& o) {
  command.add_option("FILE", o.input, "Data file to open")->required();
  command.add_option("IN", o.csv, "CSV file with the channels")->required();
  command.add_option("OUT", o.output, "Data file to write")->required();
}

constexpr CliCommand kCsvCommands[] = {
    {"export-csv", nullptr, "Write a data file's channels as a CSV file", false, ExportOptions,
     RunExportCsv},
    {"import-csv", nullptr, "Replace a data file's channels with a CSV file's and save it as OUT",
     false, ImportOptions, RunImportCsv},
};

}  // namespace

CliGroup CsvCommands() {
  return {"csv", kCsvCommands};
}

}  // namespace kr4100
