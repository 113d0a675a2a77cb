// SPDX-License-Identifier: GPL-3.0-or-later
// The product's name and this program's version, the same in both languages: the title of the
// program's windows, the model a radio of the default model code is shown as, and the version
// the texts and the record name.
#pragma once

namespace kr4100 {

inline constexpr const char* kDefaultModelName = "KR-4100";
inline constexpr const char* kSoftVerText = "V6.00";

}  // namespace kr4100
