// pack and unpack: a data file to the radio image a write would send, and an image back to a
// data file as a read from the radio makes one.
#pragma once

#include "cli/cli_common.h"

namespace kr4100 {

int RunPack(const CliContext& context);
int RunUnpack(const CliContext& context);

}  // namespace kr4100
