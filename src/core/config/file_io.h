// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads and atomic whole-file writes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kr4100 {

// The first maxBytes bytes of a file (all of it when shorter), or nothing when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadFilePrefix(const std::filesystem::path& path,
                                                        std::size_t maxBytes);

// Size of a regular file, or nothing when there is none to read.
std::optional<std::uintmax_t> RegularFileSize(const std::filesystem::path& path);

// A path from UTF-8 text (the command line's and the settings' encoding) and back; on Windows a
// narrow string would otherwise go through the ANSI code page and lose what it cannot hold.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// Writes the bytes to a temporary file beside the target, flushes it and renames it over the
// target, so the target is either the old file or exactly the new bytes, never a mix.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace kr4100
