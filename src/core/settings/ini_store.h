// SPDX-License-Identifier: GPL-3.0-or-later
// Access to keys in sections of an INI file. The GUI's platform layer and the file-based IniFile
// below both implement it, so the start-up logic and the version table never see a file system.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kr4100 {

class IniStore {
 public:
  virtual ~IniStore() = default;
  // The value of a key, surrounding blanks removed and cut to 511 characters; nothing when the
  // section or key is missing. Section and key names compare case-insensitively.
  virtual std::optional<std::string> read(std::string_view section, std::string_view key) const = 0;
  // Sets a key, adding the section or key when missing. False when it could not be stored.
  virtual bool write(std::string_view section, std::string_view key, std::string_view value) = 0;
};

}  // namespace kr4100
