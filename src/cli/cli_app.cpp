// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_app.h"

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/cli_common.h"
#include "core/settings/program_version.h"
#include "core/texts/bilingual.h"

namespace kr4100 {
namespace {

// A command of the table with the parser's subcommand for it.
struct ParsedCommand {
  const CliCommand* command;
  const CLI::App* parser;
};

// Every group in the order --help lists its commands.
std::vector<CliGroup> CommandGroups() {
  return {FileCommands(),  ImageCommands(),    CsvCommands(),
          RadioCommands(), TestModeCommands(), BackupCommands()};
}

void AddGlobalOptions(CLI::App& app, CliOptions& o) {
  // Options are "--name" everywhere; a leading "/" is a path, also on Windows.
  app.allow_windows_style_options(false);
  app.name("kr4100-cli");
  app.require_subcommand(1);
  app.set_version_flag("--version", kProgramVersion, "Print the program's version and exit");
  app.add_option("--lang", o.lang, "Language of messages: en or zh")
      ->check(CLI::IsMember({"en", "zh"}));
  app.add_option("--version-ini", o.versionIni,
                 "Version table to use instead of the installed one");
}

// Every command of the table this build has, as a subcommand of its own or of the one it is
// under (which comes first in the table).
std::vector<ParsedCommand> AddCommands(CLI::App& app, CliOptions& o) {
  std::vector<ParsedCommand> commands;
  for (const CliGroup& group : CommandGroups()) {
    for (const CliCommand& command : group.commands) {
      if (command.needsRadio && kRadioSide == RadioSide::Absent) continue;
      CLI::App* parent = command.under != nullptr ? app.get_subcommand(command.under) : &app;
      CLI::App* parser = parent->add_subcommand(command.name, command.summary);
      if (command.addOptions != nullptr) command.addOptions(*parser, o);
      commands.push_back({&command, parser});
    }
  }
  return commands;
}

int Dispatch(const std::vector<ParsedCommand>& commands, const CliContext& context) {
  for (const ParsedCommand& parsed : commands) {
    if (!parsed.parser->parsed()) continue;
    // Parsed here, run by the program beside this one that has the serial side.
    if (parsed.command->needsRadio && kRadioSide == RadioSide::HandedOff) return kExitHandOff;
    // A command that only holds subcommands has one of them parsed after it.
    if (parsed.command->run != nullptr) return parsed.command->run(context);
  }
  return kExitUsage;
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
  AddGlobalOptions(app, o);
  const std::vector<ParsedCommand> commands = AddCommands(app, o);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e, out, err);
    return code == 0 ? kExitOk : kExitUsage;
  }
  const CliContext context{
      o, InstallLayout{programDir}, o.lang == "zh" ? kChinese : kEnglish, out, err, figures};
  return Dispatch(commands, context);
}

}  // namespace kr4100
