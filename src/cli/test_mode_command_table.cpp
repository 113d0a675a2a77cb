// SPDX-License-Identifier: GPL-3.0-or-later
// The test-mode group's commands as the parser knows them; kr4100-cli parses them too and hands
// them to kr4100-cli-radio to run.
#include <CLI/CLI.hpp>

#include "cli/cli_command.h"
#include "cli/test_mode_cli.h"

namespace kr4100 {
namespace {

void ChannelsOptions(CLI::App& command, CliOptions& o) {
  AddPortOptions(command, o);
  command.add_option("FILE", o.input, "Data file with the test frequencies")->required();
}

void AlignOptions(CLI::App& command, CliOptions& o) {
  AddPortOptions(command, o);
  command.add_option("FILE", o.input, "Data file with the test frequencies")->required();
  command.add_option("--item", o.testItem, "Alignment item 1-15")
      ->required()
      ->check(CLI::Range(1, 15));
  command.add_flag("--narrow", o.narrow, "Switch to narrow before tuning (default: wide)");
  command.add_option("--set", o.testSets, "Set a point as its slider would: TAB=VALUE")
      ->allow_extra_args(false);
  command.add_flag("--ok", o.testOk, "Press OK on the last tab set");
  command.add_flag("--cancel", o.testCancel,
                   "Close with Cancel: the values read at the start are sent back and stored");
  command.add_option("--poll", o.testPoll, "Items 12-15: print K polled values")
      ->check(CLI::Range(1, 1000));
}

constexpr CliCommand kTestModeCommands[] = {
    {"testmode", nullptr, "Test mode: the radio's test channels, alignment", true,
     RequireSubcommand, nullptr},
    {"channels", "testmode",
     "Enter test mode with a data file's test frequencies and print the radio's", true,
     ChannelsOptions, KR4100_RADIO_RUN(RunTestModeChannels)},
    {"align", "testmode", "Tune an alignment item: print its points, set them, store them", true,
     AlignOptions, KR4100_RADIO_RUN(RunTestModeAlign)},
};

}  // namespace

CliGroup TestModeCommands() {
  return {"testmode", kTestModeCommands};
}

}  // namespace kr4100
