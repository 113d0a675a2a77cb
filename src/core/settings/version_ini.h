// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the version table from Version.ini.
#pragma once

#include "core/config/version_table.h"
#include "core/settings/ini_store.h"

namespace kr4100 {

// A missing file (ini null) or a count that is not a whole number of at least 1 gives
// VersionTable::BuiltIn(), so that files written by this program still open.
VersionTable LoadVersionTable(const IniStore* ini);

}  // namespace kr4100
