// SPDX-License-Identifier: GPL-3.0-or-later
// File paths between Qt and the core: always through UTF-16, so that names in any script survive.
#pragma once

#include <QString>
#include <filesystem>

namespace kr4100 {

inline QString ToQString(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

inline std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

}  // namespace kr4100
