// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program finds its files, relative to its own folder, as an installation lays them out:
// <root>/Version.ini, <root>/language/mysetup.ini, <root>/<tag>/<program>, <root>/<tag>/Init/...
#pragma once

#include <filesystem>

namespace kr4100 {

struct InstallLayout {
  std::filesystem::path programDir;  // the folder the executable is in

  std::filesystem::path root() const { return programDir.parent_path(); }
  std::filesystem::path versionIni() const { return root() / "Version.ini"; }
  std::filesystem::path settingsIni() const { return root() / "language" / "mysetup.ini"; }
  // The band templates a new document and "Initial Setting" read.
  std::filesystem::path templateDir() const { return programDir / "Init"; }
};

}  // namespace kr4100
