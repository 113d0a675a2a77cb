// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

#include "core/os/os.h"

namespace kr4100::os {

bool CreateSyncedFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::size_t written = 0;
  bool ok = true;
  while (written < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
    DWORD n = 0;
    if (!::WriteFile(file, bytes.data() + written, chunk, &n, nullptr) || n == 0) {
      ok = false;
      break;
    }
    written += n;
  }
  ok = ok && ::FlushFileBuffers(file);
  ok = ::CloseHandle(file) && ok;
  return ok;
}

bool RenameOver(const std::filesystem::path& source, const std::filesystem::path& target) {
  // A plain rename refuses an existing target here; this replaces it, and returns only once
  // the move is on the disk.
  return ::MoveFileExW(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool MayWrite(const std::filesystem::path& existing) {
  // Permission bits say little here (a folder under Program Files is not read-only, yet closed
  // to a user): try it.
  std::error_code ec;
  if (!std::filesystem::is_directory(existing, ec)) {
    const HANDLE file = ::CreateFileW(existing.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
  }
  const std::filesystem::path probe = existing / L".kr4100-write-probe";
  const HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  return true;
}

std::tm LocalTime(std::time_t moment) {
  std::tm local{};
  localtime_s(&local, &moment);
  return local;
}

}  // namespace kr4100::os
