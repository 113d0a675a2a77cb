// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_command.h"

#include <CLI/CLI.hpp>

namespace kr4100 {

void AddBandOption(CLI::App& command, CliOptions& o) {
  command.add_option("--band", o.band, "Band code: 0 (28-29.7 MHz) or 1 (25.615-30.105 MHz)")
      ->check(CLI::Range(0, 1));
}

void AddInOutFiles(CLI::App& command, CliOptions& o, const InOutFiles& files) {
  command.add_option(files.in, o.input, files.inHelp)->required();
  command.add_option(files.out, o.output, files.outHelp)->required();
}

void AddPortOptions(CLI::App& command, CliOptions& o) {
  command.add_option("--port", o.port, "Serial device of the radio, e.g. /dev/ttyUSB0")->required();
  command.add_option("--stop-bits", o.stopBits, "Stop bits: 1 or 2")->check(CLI::IsMember({1, 2}));
  command
      .add_option("--handshaking", o.handshaking,
                  "Handshaking: 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both")
      ->check(CLI::Range(0, 3));
  command.add_option("--trace", o.trace,
                     "Write every byte sent and received, with times and steps, to this file");
}

void AddBackupOptions(CLI::App& command, CliOptions& o) {
  command.add_flag("--no-backup", o.noBackup, "Keep no backup of what is read or written");
  command.add_option("--data-dir", o.dataDir,
                     "Per-user data folder whose \"backups\" folder keeps the backups "
                     "(default: the program's)");
}

void RequireSubcommand(CLI::App& command, CliOptions&) {
  command.require_subcommand(1);
}

}  // namespace kr4100
