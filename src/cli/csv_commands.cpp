#include "cli/csv_commands.h"

#include <ostream>
#include <string>

#include "core/config/channel_csv.h"
#include "core/config/file_io.h"

namespace kr4100 {
namespace {

// A channel file of six full groups is some 30 KB; anything far beyond is not one.
constexpr std::uintmax_t kMaxCsvBytes = 16u << 20;

}  // namespace

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
  const auto bytes =
      size && *size <= kMaxCsvBytes ? ReadFilePrefix(PathFromUtf8(c.options.csv), *size) : std::nullopt;
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
  const FileOutcome saved = SaveDataFile(doc, PathFromUtf8(c.options.output));
  return saved.ok() ? kExitOk : Fail(saved, c);
}

}  // namespace kr4100
