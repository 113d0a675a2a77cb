#include "core/link/trace_file.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace kr4100 {

std::string TraceFileName(const Timestamp& s, std::string_view what) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d-%02d%02d%02d", s.year, s.month, s.day, s.hour,
                s.minute, s.second);
  std::string kind(what);
  std::replace(kind.begin(), kind.end(), ' ', '-');
  return "trace-" + std::string(stamp) + "-" + kind + ".txt";
}

TraceFile::TraceFile(const std::filesystem::path& dataDir, std::string_view what,
                     const Timestamp& stamp)
    : path_(dataDir / kTraceFolder / TraceFileName(stamp, what)) {
  std::error_code ec;
  std::filesystem::create_directories(path_.parent_path(), ec);
  out_.open(path_, std::ios::out | std::ios::trunc);
  if (out_) out_ << "KR-4100 serial trace, " << FormatTimestamp(stamp) << "\n";
}

}  // namespace kr4100
