// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/file_io.h"

#include "core/os/os.h"

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

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
  std::error_code ec;
  const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::random_device seed;
  // Built as a path, not a narrow string, so a name outside the ASCII range survives on Windows.
  fs::path tempName = ".";
  tempName += path.filename();
  tempName += ".tmp" + std::to_string(seed() % 1000000u);
  const fs::path temp = dir / tempName;

  bool ok = os::CreateSyncedFile(temp, bytes) && os::RenameOver(temp, path);
  if (!ok) fs::remove(temp, ec);
  return ok;
}

}  // namespace kr4100
