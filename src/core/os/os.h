// SPDX-License-Identifier: GPL-3.0-or-later
// The few things the core needs from the operating system that the C++ library does not give:
// a durable write, a rename that replaces its target, a write-permission check and the local
// calendar time. One implementation file per system (os_posix.cpp, os_windows.cpp).
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <span>

namespace kr4100::os {

// Creates the file (failing when it already exists), writes the bytes and flushes them to the
// disk before returning.
bool CreateSyncedFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Renames source to target, replacing target when it exists, in one step: a reader sees either
// the old target or the new one.
bool RenameOver(const std::filesystem::path& source, const std::filesystem::path& target);

// Whether this process may write the existing file, or make files in the existing folder.
bool MayWrite(const std::filesystem::path& existing);

// The broken-down local time of a moment.
std::tm LocalTime(std::time_t moment);

}  // namespace kr4100::os
