// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and saving data files: the checks an open makes, in their order, and the messages a
// refusal carries. Nothing here shows anything; the caller turns an outcome into a message box.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "core/config/data_file_codec.h"
#include "core/config/document.h"
#include "core/config/version_table.h"
#include "core/texts/messages.h"

namespace kr4100 {

enum class FileStatus {
  Ok,
  UnknownVersion,       // the first four bytes are not a version tag
  IncompatibleVersion,  // the tag is not listed for this program: ask whether to start another
  WrongLength,          // not exactly 14531 bytes
  FileError,            // could not be read or written
};

struct FileOutcome {
  FileStatus status = FileStatus::Ok;
  std::string fileTag;  // the file's version tag as read (IncompatibleVersion)

  bool ok() const { return status == FileStatus::Ok; }
  // The message box text in a language; empty when ok. For IncompatibleVersion it is the
  // Yes/No question whose Yes starts the program version that accepts fileTag.
  std::string message(int language) const;
};

// Reads a data file into the document. On success the file becomes the document's name, the
// never-saved flag is cleared and the working and saved copies hold the file; on any refusal the
// document is exactly as it was.
FileOutcome OpenDataFile(Document& doc, const std::filesystem::path& path, const VersionTable& versions);

// The same checks on a file's content already in memory (at least the first 14532 bytes of it,
// so that a longer file is still seen to be too long).
FileOutcome OpenDataBytes(Document& doc, std::span<const std::uint8_t> content, const std::string& name,
                          const VersionTable& versions);

// Commits the working copy and writes it, atomically, as exactly 14531 bytes. On success the path
// becomes the document's name and the never-saved flag is cleared; on failure the saved copy is
// left as it was, so the document still counts as modified.
FileOutcome SaveDataFile(Document& doc, const std::filesystem::path& path);

// The same save where the caller puts the bytes somewhere itself (a browser's download): the
// working copy is committed and the document counts as saved under its present name.
DataFileBytes SaveDataBytes(Document& doc);

}  // namespace kr4100
