// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "core/os/os.h"

namespace kr4100::os {

bool CreateSyncedFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  std::size_t written = 0;
  bool ok = true;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n <= 0) {
      ok = false;
      break;
    }
    written += static_cast<std::size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  return ok;
}

bool RenameOver(const std::filesystem::path& source, const std::filesystem::path& target) {
  return std::rename(source.c_str(), target.c_str()) == 0;
}

bool MayWrite(const std::filesystem::path& existing) {
  std::error_code ec;
  const int mode = std::filesystem::is_directory(existing, ec) ? (W_OK | X_OK) : W_OK;
  return ::access(existing.c_str(), mode) == 0;
}

std::tm LocalTime(std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  return local;
}

}  // namespace kr4100::os
