// SPDX-License-Identifier: GPL-3.0-or-later
// kr4100-cli ports: the serial ports with what the system knows of each, or with --wait-new the
// first port that appears (the cable being plugged in). The system's side comes in as hooks, so
// that the tests can play the ports coming and going.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <vector>

#include "cli/cli_common.h"
#include "core/serial/port_watch.h"

namespace kr4100 {

inline constexpr std::chrono::milliseconds kWaitNewInterval{250};

struct PortHooks {
  PortLister list;
  // Waits the interval; false: a stop was requested.
  std::function<bool(std::chrono::milliseconds)> pause;
  // Where the braille-display service's udev rules are looked for (Linux).
  std::vector<std::filesystem::path> udevRuleDirs;
};

int ListPorts(const CliContext& context, const PortHooks& hooks);

}  // namespace kr4100
