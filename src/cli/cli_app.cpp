#include "cli/cli_app.h"

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "cli/cli_common.h"
#include "core/config/calendar_date.h"
#include "core/config/data_file.h"
#include "core/config/file_io.h"
#include "core/config/document.h"
#include "cli/csv_commands.h"
#include "cli/file_commands.h"
#include "cli/image_commands.h"
#ifdef KR4100_RADIO_COMMANDS
#include "cli/radio_commands.h"
#include "cli/test_mode_cli.h"
#endif
#include "cli/record_json.h"
#include "core/texts/bilingual.h"

namespace kr4100 {
namespace {

int RunNew(const CliContext& c) {
  Document doc;
  if (c.options.sourceDateEpoch) {
    if (const auto fixed = SourceDateEpochDate()) doc.setToday([date = *fixed] { return date; });
  }
  InitNewDocument(doc, c.options.band, c);
  const FileOutcome saved = SaveDataFile(doc, PathFromUtf8(c.options.output));
  return saved.ok() ? kExitOk : Fail(saved, c);
}

int RunResave(const CliContext& c) {
  Document doc;
  const FileOutcome opened = OpenDataFile(doc, PathFromUtf8(c.options.input), LoadVersions(c));
  if (!opened.ok()) return Fail(opened, c);
  const FileOutcome saved = SaveDataFile(doc, PathFromUtf8(c.options.output));
  return saved.ok() ? kExitOk : Fail(saved, c);
}

void AddBandOption(CLI::App* command, CliOptions& o) {
  command->add_option("--band", o.band, "Band code: 0 (28-29.7 MHz) or 1 (25.615-30.105 MHz)")
      ->check(CLI::Range(0, 1));
}

[[maybe_unused]] void AddPortOptions(CLI::App* command, CliOptions& o) {
  command->add_option("--port", o.port, "Serial device of the radio, e.g. /dev/ttyUSB0")
      ->required();
  command->add_option("--stop-bits", o.stopBits, "Stop bits: 1 or 2")->check(CLI::IsMember({1, 2}));
  command
      ->add_option("--handshaking", o.handshaking,
                   "Handshaking: 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both")
      ->check(CLI::Range(0, 3));
  command->add_option("--trace", o.trace,
                      "Write every byte sent and received, with times and steps, to this file");
}

[[maybe_unused]] void AddBackupOptions(CLI::App* command, CliOptions& o) {
  command->add_flag("--no-backup", o.noBackup, "Keep no backup of what is read or written");
  command->add_option("--data-dir", o.dataDir,
                      "Per-user data folder whose \"backups\" folder keeps the backups "
                      "(default: the program's)");
}

}  // namespace

int RunCli(int argc, const char* const* argv, const std::filesystem::path& programDir,
           std::ostream& out, std::ostream& err) {
  return RunCli(argc, argv, programDir, out, err, nullptr);
}

int RunCli(int argc, const char* const* argv, const std::filesystem::path& programDir,
           std::ostream& out, std::ostream& err, SessionFigures* figures) {
  CliOptions o;
  CLI::App app{"KR-4100 programming software, command line"};
  // Options are "--name" everywhere; a leading "/" is a path, also on Windows.
  app.allow_windows_style_options(false);
  app.name("kr4100-cli");
  app.require_subcommand(1);
  app.add_option("--lang", o.lang, "Language of messages: en or zh")
      ->check(CLI::IsMember({"en", "zh"}));
  app.add_option("--version-ini", o.versionIni,
                 "Version table to use instead of the installed one");

  auto* cmdNew = app.add_subcommand("new", "Write a new document as a data file");
  AddBandOption(cmdNew, o);
  cmdNew->add_flag("--no-template", o.noTemplate, "Do not read the band's template file");
  cmdNew->add_flag("--source-date-epoch", o.sourceDateEpoch,
                   "Date the document by SOURCE_DATE_EPOCH (UTC) when it is set, instead of "
                   "today, as the build does for reproducible templates");
  cmdNew->add_option("OUT", o.output, "Data file to write")->required();

  auto* cmdDump = app.add_subcommand(
      "dump", "Print a data file's whole record as JSON (several files: one document per line)");
  cmdDump->add_option("FILE", o.inputs, "Data files to read")->required();

  auto* cmdCheck =
      app.add_subcommand("check", "Open each data file as the program does: OK or why not");
  cmdCheck->add_option("FILE", o.inputs, "Data files to check")->required();

  auto* cmdDiff = app.add_subcommand(
      "diff", "Print every setting that differs between two data files (exit 1 when any)");
  cmdDiff->add_option("A", o.input, "First data file")->required();
  cmdDiff->add_option("B", o.output, "Second data file")->required();

  auto* cmdResave = app.add_subcommand("resave", "Open a data file and save it again");
  cmdResave->add_option("IN", o.input, "Data file to open")->required();
  cmdResave->add_option("OUT", o.output, "Data file to write")->required();

  auto* cmdPack = app.add_subcommand("pack", "Write the 8192-byte radio image a write would send");
  cmdPack->add_option("FILE", o.input, "Data file to open")->required();
  cmdPack->add_option("OUT", o.output, "Image file to write")->required();

  auto* cmdUnpack =
      app.add_subcommand("unpack", "Make a data file from a radio image, as a read does");
  auto* unpackBand = cmdUnpack->add_option(
      "--band", o.band,
      "Template band for what the image does not hold (default: the image's band)");
  unpackBand->check(CLI::Range(0, 1));
  cmdUnpack->add_option("IMAGE", o.input, "Image file of 8192 bytes")->required();
  cmdUnpack->add_option("OUT", o.output, "Data file to write")->required();

  auto* cmdExportCsv =
      app.add_subcommand("export-csv", "Write a data file's channels as a CSV file");
  cmdExportCsv->add_option("FILE", o.input, "Data file to open")->required();
  cmdExportCsv->add_option("OUT", o.output, "CSV file to write")->required();

  auto* cmdImportCsv = app.add_subcommand(
      "import-csv", "Replace a data file's channels with a CSV file's and save it as OUT");
  cmdImportCsv->add_option("FILE", o.input, "Data file to open")->required();
  cmdImportCsv->add_option("IN", o.csv, "CSV file with the channels")->required();
  cmdImportCsv->add_option("OUT", o.output, "Data file to write")->required();

#if defined(KR4100_RADIO_COMMANDS) || defined(KR4100_RADIO_HANDOFF)
  auto* cmdRead =
      app.add_subcommand("read", "Read the configuration from the radio into a data file");
  AddPortOptions(cmdRead, o);
  AddBandOption(cmdRead, o);
  cmdRead->add_option("OUT", o.output, "Data file to write")->required();
  AddBackupOptions(cmdRead, o);

  auto* cmdWrite = app.add_subcommand("write", "Write a data file's configuration to the radio");
  AddPortOptions(cmdWrite, o);
  cmdWrite->add_option("FILE", o.input, "Data file to write to the radio")->required();
  AddBackupOptions(cmdWrite, o);
  cmdWrite->add_flag("--verify", o.verify,
                     "Read the radio back after writing; exit 1 and list what differs");
  cmdWrite->add_flag("--read-first", o.readFirst,
                     "Read the radio into a backup first and list what the write changes in it");

  auto* cmdInfo = app.add_subcommand("info", "Read and print the radio's information block");
  AddPortOptions(cmdInfo, o);

  auto* cmdPorts = app.add_subcommand(
      "ports", "List the serial ports, each with what the system knows of its device");

  auto* cmdTest = app.add_subcommand("testmode", "Test mode: the radio's test channels, alignment");
  cmdTest->require_subcommand(1);
  auto* cmdTestChannels = cmdTest->add_subcommand(
      "channels", "Enter test mode with a data file's test frequencies and print the radio's");
  AddPortOptions(cmdTestChannels, o);
  cmdTestChannels->add_option("FILE", o.input, "Data file with the test frequencies")->required();
  auto* cmdTestAlign = cmdTest->add_subcommand(
      "align", "Tune an alignment item: print its points, set them, store them");
  AddPortOptions(cmdTestAlign, o);
  cmdTestAlign->add_option("FILE", o.input, "Data file with the test frequencies")->required();
  cmdTestAlign->add_option("--item", o.testItem, "Alignment item 1-15")
      ->required()
      ->check(CLI::Range(1, 15));
  cmdTestAlign->add_flag("--narrow", o.narrow, "Switch to narrow before tuning (default: wide)");
  cmdTestAlign->add_option("--set", o.testSets, "Set a point as its slider would: TAB=VALUE")
      ->allow_extra_args(false);
  cmdTestAlign->add_flag("--ok", o.testOk, "Press OK on the last tab set");
  cmdTestAlign->add_flag("--cancel", o.testCancel,
                         "Close with Cancel: the values read at the start are sent back and stored");
  cmdTestAlign->add_option("--poll", o.testPoll, "Items 12-15: print K polled values")
      ->check(CLI::Range(1, 1000));

  // Beside the radio commands, which know where the desktop program keeps its data folder.
  auto* cmdBackups = app.add_subcommand(
      "backups", "List the backups of reads and writes, newest first (columns separated by tabs)");
  cmdBackups->add_option("--data-dir", o.dataDir,
                         "Per-user data folder whose \"backups\" folder to list "
                         "(default: the program's)");
#endif

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e, out, err);
    return code == 0 ? kExitOk : kExitUsage;
  }
  o.bandGiven = unpackBand->count() > 0;

  const CliContext context{
      o, InstallLayout{programDir}, o.lang == "zh" ? kChinese : kEnglish, out, err, figures};
  if (cmdNew->parsed()) return RunNew(context);
  if (cmdDump->parsed()) return RunDump(context);
  if (cmdCheck->parsed()) return RunCheck(context);
  if (cmdDiff->parsed()) return RunDiff(context);
  if (cmdResave->parsed()) return RunResave(context);
  if (cmdPack->parsed()) return RunPack(context);
  if (cmdUnpack->parsed()) return RunUnpack(context);
  if (cmdExportCsv->parsed()) return RunExportCsv(context);
  if (cmdImportCsv->parsed()) return RunImportCsv(context);
#ifdef KR4100_RADIO_COMMANDS
  if (cmdRead->parsed()) return RunRead(context);
  if (cmdWrite->parsed()) return RunWrite(context);
  if (cmdInfo->parsed()) return RunInfo(context);
  if (cmdPorts->parsed()) return RunPorts(context);
  if (cmdTestChannels->parsed()) return RunTestModeChannels(context);
  if (cmdTestAlign->parsed()) return RunTestModeAlign(context);
  if (cmdBackups->parsed()) return RunBackups(context, UserDataDir(context));
#elif defined(KR4100_RADIO_HANDOFF)
  for (const CLI::App* radio : {cmdRead, cmdWrite, cmdInfo, cmdPorts, cmdTest, cmdBackups})
    if (radio->parsed()) return kExitHandOff;
#endif
  return kExitUsage;
}

}  // namespace kr4100
