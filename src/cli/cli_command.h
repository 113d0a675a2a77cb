// SPDX-License-Identifier: GPL-3.0-or-later
// The command line as a table: every command with its group, whether it runs over the serial
// port, its options and its function. RunCli builds its parser from the groups in order (which is
// also the order --help lists them in) and, in a kr4100-cli built without the serial side, hands
// every command that needs it to kr4100-cli-radio.
#pragma once

#include <span>

#include "cli/cli_common.h"

namespace CLI {
class App;
}

namespace kr4100 {

// What this build does with a command that runs over the serial port: runs it, parses it and
// hands it to kr4100-cli-radio, or has no such command (a build without Qt off Windows).
enum class RadioSide { Here, HandedOff, Absent };

#if defined(KR4100_RADIO_COMMANDS)
constexpr RadioSide kRadioSide = RadioSide::Here;
#define KR4100_RADIO_RUN(function) (&(function))
#elif defined(KR4100_RADIO_HANDOFF)
constexpr RadioSide kRadioSide = RadioSide::HandedOff;
#define KR4100_RADIO_RUN(function) nullptr
#else
constexpr RadioSide kRadioSide = RadioSide::Absent;
#define KR4100_RADIO_RUN(function) nullptr
#endif

struct CliCommand {
  const char* name;
  // The command it is a subcommand of ("testmode"); null for a command of its own.
  const char* under;
  const char* summary;  // its line in --help
  bool needsRadio;      // runs over the serial port (and Qt, on Linux)
  // Adds its options and arguments, with their help texts; null when it has none.
  void (*addOptions)(CLI::App& command, CliOptions& options);
  // Null for a command that only holds subcommands, and where the serial side is elsewhere.
  int (*run)(const CliContext& context);
};

struct CliGroup {
  const char* name;
  std::span<const CliCommand> commands;
};

// The groups, one file each.
CliGroup FileCommands();      // new, dump, check, diff, resave
CliGroup ImageCommands();     // pack, unpack
CliGroup CsvCommands();       // export-csv, import-csv
CliGroup RadioCommands();     // read, write, info, ports
CliGroup TestModeCommands();  // testmode channels, testmode align
CliGroup BackupCommands();    // backups

// Options more than one command takes.
void AddBandOption(CLI::App& command, CliOptions& options);
void AddPortOptions(CLI::App& command, CliOptions& options);
// The two files of a command that reads one and writes another: names and help texts.
struct InOutFiles {
  const char* in;
  const char* inHelp;
  const char* out;
  const char* outHelp;
};
void AddInOutFiles(CLI::App& command, CliOptions& options, const InOutFiles& files);
void AddBackupOptions(CLI::App& command, CliOptions& options);
// A command whose work is done by exactly one of its subcommands.
void RequireSubcommand(CLI::App& command, CliOptions& options);

}  // namespace kr4100
