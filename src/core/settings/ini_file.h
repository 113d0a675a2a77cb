// SPDX-License-Identifier: GPL-3.0-or-later
// A small INI file kept in memory: parsed from text, edited key by key, written back atomically.
// Lines it does not understand are kept as they are, so comments and foreign keys survive a write.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/settings/ini_store.h"

namespace kr4100 {

class IniFile : public IniStore {
 public:
  IniFile() = default;
  // Parses text; any bytes are accepted (malformed lines are ignored for reading, kept for writing).
  static IniFile Parse(std::string_view text);

  // Binds the object to a file: reads it when it exists. Every write() saves the file at once.
  // existed() tells whether the file was there.
  static IniFile Open(const std::filesystem::path& path);
  bool existed() const { return existed_; }
  const std::filesystem::path& path() const { return path_; }

  std::optional<std::string> read(std::string_view section, std::string_view key) const override;
  bool write(std::string_view section, std::string_view key, std::string_view value) override;

  std::string text() const;  // the file's content as it would be written
  bool save() const;         // false when the file could not be written

 private:
  // Keys of the first section of each name, first occurrence of each key, by lower-case names;
  // values already in the form read() returns. Rebuilt after every change of lines_.
  using SectionKeys = std::unordered_map<std::string, std::string>;
  void reindex();
  // After a write of one key line (raw) in a section already indexed.
  void indexKeyLine(std::string_view section, std::string_view key, std::string_view raw);

  std::vector<std::string> lines_;  // without line ends
  std::string eol_ = "\r\n";        // the file's own line end, CR LF for a new file
  std::unordered_map<std::string, SectionKeys> index_;
  std::filesystem::path path_;
  bool existed_ = false;
};

}  // namespace kr4100
