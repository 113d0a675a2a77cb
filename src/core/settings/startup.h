// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up sequence's logic, in its binding order: version table, start-up switches, settings,
// the default radio identity, and a new document. The windows that follow read what it sets.
#pragma once

#include <filesystem>
#include <string>

#include "core/config/document.h"
#include "core/config/version_table.h"
#include "core/settings/ini_store.h"
#include "core/settings/install_layout.h"
#include "core/settings/startup_settings.h"

namespace kr4100 {

struct StartupState {
  VersionTable versions = VersionTable::BuiltIn();
  StartupSettings settings;
  std::string modelName = kDefaultModelName;              // product title in captions
  std::string firmwareVersion = kDefaultFirmwareVersion;  // assumed until a radio reports its own
};

// versionIni null: no Version.ini (the built-in table is used). settingsExisted false: the
// settings file was missing and is written complete.
StartupState RunStartup(const InstallLayout& install, const IniStore* versionIni, IniStore& settingsIni,
                        bool settingsExisted, unsigned systemLocaleId, Document& doc);

// Where the settings file lives: the installation's own when it can be written, otherwise the
// same name below the user's configuration folder.
std::filesystem::path SettingsFilePath(const InstallLayout& install,
                                       const std::filesystem::path& userConfigDir);

}  // namespace kr4100
