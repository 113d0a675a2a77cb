// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/line_loss.h"

namespace kr4100 {

void EndTestModeOnLineLoss(TestModeDriver* driver, Prompter& prompter) {
  const bool running = driver && driver->active();
  if (driver) driver->end();
  if (running) prompter.portError();
}

}  // namespace kr4100
