// SPDX-License-Identifier: GPL-3.0-or-later
// The radio group's commands as the parser knows them. Built into kr4100-cli too, which parses
// them (their help and usage are its own) and hands them to kr4100-cli-radio to run.
#include <CLI/CLI.hpp>

#include "cli/cli_command.h"
#include "cli/radio_commands.h"

namespace kr4100 {
namespace {

void ReadOptions(CLI::App& command, CliOptions& o) {
  AddPortOptions(command, o);
  AddBandOption(command, o);
  command.add_option("OUT", o.output, "Data file to write")->required();
  AddBackupOptions(command, o);
}

void WriteOptions(CLI::App& command, CliOptions& o) {
  AddPortOptions(command, o);
  command.add_option("FILE", o.input, "Data file to write to the radio")->required();
  AddBackupOptions(command, o);
  command.add_flag("--verify", o.verify,
                   "Read the radio back after writing; exit 1 and list what differs");
  command.add_flag("--read-first", o.readFirst,
                   "Read the radio into a backup first and list what the write changes in it");
}

void PortsOptions(CLI::App& command, CliOptions& o) {
  command
      .add_option("--wait-new", o.waitNew,
                  "Wait up to SECONDS (default 30) for a port to appear, as the cable is plugged "
                  "in, and print it; exit 1 when none does")
      ->expected(0, 1)
      ->default_str("30")
      ->check(CLI::Range(1, 3600));
}

void BackupsOptions(CLI::App& command, CliOptions& o) {
  command.add_option("--data-dir", o.dataDir,
                     "Per-user data folder whose \"backups\" folder to list "
                     "(default: the program's)");
}

constexpr CliCommand kRadioCommands[] = {
    {"read", nullptr, "Read the configuration from the radio into a data file", true, ReadOptions,
     KR4100_RADIO_RUN(RunRead)},
    {"write", nullptr, "Write a data file's configuration to the radio", true, WriteOptions,
     KR4100_RADIO_RUN(RunWrite)},
    {"info", nullptr, "Read and print the radio's information block", true, AddPortOptions,
     KR4100_RADIO_RUN(RunInfo)},
    {"ports", nullptr, "List the serial ports, each with what the system knows of its device", true,
     PortsOptions, KR4100_RADIO_RUN(RunPorts)},
};

// With the radio commands, which know where the desktop program keeps its data folder.
constexpr CliCommand kBackupCommands[] = {
    {"backups", nullptr,
     "List the backups of reads and writes, newest first (columns separated by tabs)", true,
     BackupsOptions, KR4100_RADIO_RUN(RunBackupList)},
};

}  // namespace

CliGroup RadioCommands() {
  return {"radio", kRadioCommands};
}

CliGroup BackupCommands() {
  return {"backups", kBackupCommands};
}

}  // namespace kr4100
