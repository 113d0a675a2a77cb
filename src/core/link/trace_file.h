// SPDX-License-Identifier: GPL-3.0-or-later
// A serial trace in a file of its own, for the desktop program: one file per session in the
// per-user data folder's "traces" folder, named by when it began and what it traced, the newest
// 200 of them kept.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/link/backups.h"
#include "core/link/serial_trace.h"

namespace kr4100 {

inline constexpr const char* kTraceFolder = "traces";
inline constexpr std::size_t kTracesKept = 200;

// "trace-2024-05-01-140322-read.txt"; copy 2, 3, ... for later sessions of the same second
// ("trace-2024-05-01-140322-read-2.txt").
std::string TraceFileName(const Timestamp& stamp, std::string_view what, int copy = 1);

// Deletes the oldest of the program's own trace files (names TraceFileName makes, by their time
// and copy) beyond the newest `keep`, never `spare`; nothing else in the folder. Returns how many
// were deleted.
std::size_t PruneTraces(const std::filesystem::path& folder, std::size_t keep = kTracesKept,
                        const std::filesystem::path& spare = {});

class TraceFile {
 public:
  // Makes a new file in <dataDir>/traces, never over another session's; ok() is false when it
  // cannot be made.
  TraceFile(const std::filesystem::path& dataDir, std::string_view what, const Timestamp& stamp);

  bool ok() const { return out_.is_open() && out_.good(); }
  SerialTrace& trace() { return trace_; }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::ofstream out_;
  SerialTrace trace_{out_};
};

}  // namespace kr4100
