// SPDX-License-Identifier: GPL-3.0-or-later
// The production log of the group write: one CSV row per radio in <userDataDir>/group-write.csv,
// appended as each radio ends. The file is for spreadsheets and scripts, so its header and words
// are fixed English whatever the interface language.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/link/backups.h"
#include "core/link/session_host.h"
#include "core/link/write_verify.h"

namespace kr4100 {

inline constexpr const char* kProductionLogFile = "group-write.csv";

struct ProductionLogRow {
  Timestamp when;
  int radioNumber = 0;
  // "written", "failed", "partial" (failed after its first data block: it may hold part of the
  // write), or "verify failed" (written, reads back wrong)
  std::string result;
  std::string model;      // from the radio's identity reply; empty when it never answered
  std::string band;
  std::string firmware;
  double seconds = 0.0;   // from the radio's handshake to its end
  std::string verify;     // "passed", "2 differences", "not completed", "off"
};

// The row of one radio as its write ended. verify: the comparison made, or null when there was
// none (verify off, or the read-back did not complete).
ProductionLogRow MakeProductionLogRow(const RadioWritten& radio, bool verifyOn,
                                      const VerifyResult* verify, const Timestamp& when);
// Written and, when verify is on, read back the same: the radio counts as a success.
bool RadioSucceeded(const RadioWritten& radio, bool verifyOn, const VerifyResult* verify);

// One field as CSV wants it: quoted when it holds a comma, quote or line break, quotes doubled.
std::string CsvField(std::string_view text);

// The header line and one row, each ending in "\r\n".
std::string ProductionLogHeader();
std::string ProductionLogLine(const ProductionLogRow& row);

// Appends the row to <userDataDir>/group-write.csv, starting the file with the header when it is
// new or empty. False when the file cannot be written.
bool AppendProductionLog(const std::filesystem::path& userDataDir, const ProductionLogRow& row);

}  // namespace kr4100
