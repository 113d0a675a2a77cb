// SPDX-License-Identifier: GPL-3.0-or-later
// The program's release, as --version, the packages and the About box give it. The build reads
// it from here too, so there is one place to change it.
#pragma once

namespace kr4100 {

inline constexpr const char* kProgramVersion = "6.0.0";

}  // namespace kr4100
