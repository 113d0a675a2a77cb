#include "core/config/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace kr4100 {

namespace fs = std::filesystem;

std::optional<std::vector<std::uint8_t>> ReadFilePrefix(const fs::path& path, std::size_t maxBytes) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes(maxBytes);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(maxBytes));
  if (in.bad()) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

std::optional<std::uintmax_t> RegularFileSize(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  const auto size = fs::file_size(path, ec);
  if (ec) return std::nullopt;
  return size;
}

bool WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
  std::error_code ec;
  const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::random_device seed;
  const fs::path temp =
      dir / ("." + path.filename().string() + ".tmp" + std::to_string(seed() % 1000000u));

  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
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
  if (ok) {
    fs::rename(temp, path, ec);
    ok = !ec;
  }
  if (!ok) fs::remove(temp, ec);
  return ok;
}

}  // namespace kr4100
