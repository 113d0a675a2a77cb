// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/production_log.h"

#include <cstdio>
#include <fstream>
#include <system_error>
#include <utility>


namespace kr4100 {

bool RadioSucceeded(const RadioWritten& radio, bool verifyOn, const VerifyResult* verify) {
  if (!radio.success) return false;
  if (!verifyOn) return true;
  return verify != nullptr && verify->passed();
}

ProductionLogRow MakeProductionLogRow(const RadioWritten& radio, bool verifyOn,
                                      const VerifyResult* verify, const Timestamp& when) {
  ProductionLogRow row;
  row.when = when;
  row.radioNumber = radio.radioNumber;
  BackupRadio named = BackupRadioOf(radio.identity);
  row.model = std::move(named.model);
  row.band = std::move(named.band);
  row.firmware = std::move(named.firmware);
  row.seconds = static_cast<double>(radio.duration.count()) / 1000.0;
  if (!verifyOn) {
    row.verify = "off";
  } else if (verify == nullptr) {
    row.verify = "not completed";
  } else if (verify->passed()) {
    row.verify = "passed";
  } else {
    const std::size_t n = verify->differences.size();
    row.verify = std::to_string(n) + (n == 1 ? " difference" : " differences");
  }
  if (!radio.success)
    row.result = radio.partial ? "partial" : "failed";
  else
    row.result = RadioSucceeded(radio, verifyOn, verify) ? "written" : "verify failed";
  return row;
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

std::string ProductionLogHeader() {
  return "Date and time,Radio,Result,Model,Band,Firmware,Duration (s),Verify\r\n";
}

std::string ProductionLogLine(const ProductionLogRow& row) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f", row.seconds);
  std::string line = CsvField(FormatTimestamp(row.when));
  line += ',' + std::to_string(row.radioNumber);
  line += ',' + CsvField(row.result);
  line += ',' + CsvField(row.model);
  line += ',' + CsvField(row.band);
  line += ',' + CsvField(row.firmware);
  line += ',' + std::string(seconds);
  line += ',' + CsvField(row.verify);
  return line + "\r\n";
}

bool AppendProductionLog(const std::filesystem::path& userDataDir, const ProductionLogRow& row) {
  if (userDataDir.empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(userDataDir, ec);
  const std::filesystem::path file = userDataDir / kProductionLogFile;
  const auto size = std::filesystem::file_size(file, ec);
  const bool fresh = ec || size == 0;
  std::ofstream out(file, std::ios::binary | std::ios::app);
  if (!out) return false;
  if (fresh) out << ProductionLogHeader();
  out << ProductionLogLine(row);
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace kr4100
