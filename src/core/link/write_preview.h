// SPDX-License-Identifier: GPL-3.0-or-later
// What a write will change in the radio, measured against what the radio is known to hold (the
// backup of its last read or completed write): the write confirmation lists it by field names, as
// Compare with File lists differences.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/config/radio_config.h"
#include "core/config/record_diff.h"
#include "core/config/version_table.h"
#include "core/link/backups.h"

namespace kr4100 {

struct WritePreview {
  BackupEntry lastKnown;                 // the backup the radio is taken to still hold
  std::vector<FieldDifference> changes;  // a: in the radio now, b: after the write
};

// The changes writing `record` makes to `radio`, against the newest read or completed write of
// that radio in <userDataDir>/backups. Only what the radio's memory holds counts (keys, scan and
// signalling stay in the data file). Nothing when there is no such backup, or it cannot be opened
// or packed: then there is nothing to measure against.
std::optional<WritePreview> PreviewWrite(const RadioConfig& record, const BackupRadio& radio,
                                         const std::filesystem::path& userDataDir,
                                         const VersionTable& versions, int language);

// The confirmation's question: the write, which radio and which backup it is measured against
// (last read or last written, when), and how many settings change (or that none does).
std::string WritePreviewQuestion(const WritePreview& preview, int language);

}  // namespace kr4100
