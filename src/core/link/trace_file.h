// A serial trace in a file of its own, for the desktop program: one file per session in the
// per-user data folder's "traces" folder, named by when it began and what it traced.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/link/backups.h"
#include "core/link/serial_trace.h"

namespace kr4100 {

inline constexpr const char* kTraceFolder = "traces";

// "trace-2024-05-01-140322-read.txt"
std::string TraceFileName(const Timestamp& stamp, std::string_view what);

class TraceFile {
 public:
  // Opens <dataDir>/traces/<name>; ok() is false when it cannot be made.
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
