// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/startup.h"

#include <system_error>

#include "core/os/os.h"
#include "core/settings/version_ini.h"

namespace kr4100 {
namespace {

// The nearest folder that exists on the way up decides whether the file could be made there.
bool CanWrite(const std::filesystem::path& file) {
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) return os::MayWrite(file);
  for (auto dir = file.parent_path(); !dir.empty(); dir = dir.parent_path()) {
    if (std::filesystem::exists(dir, ec))
      return std::filesystem::is_directory(dir, ec) && os::MayWrite(dir);
    if (dir == dir.parent_path()) break;
  }
  return false;
}

}  // namespace

StartupState RunStartup(const InstallLayout& install, const IniStore* versionIni, IniStore& settingsIni,
                        bool settingsExisted, unsigned systemLocaleId, Document& doc) {
  StartupState state;
  state.versions = LoadVersionTable(versionIni);
  // The decimal separator is the program's own business ("." in every conversion); the system
  // setting is left alone.
  state.settings = LoadStartupSettings(settingsIni, systemLocaleId, settingsExisted);
  state.modelName = kDefaultModelName;
  state.firmwareVersion = kDefaultFirmwareVersion;
  doc.setModelAndBand(kDefaultModelCode, kBand0Text);
  doc.setTemplateDir(install.templateDir());
  doc.InitNewDocument();
  return state;
}

std::filesystem::path SettingsFilePath(const InstallLayout& install,
                                       const std::filesystem::path& userConfigDir) {
  const std::filesystem::path installed = install.settingsIni();
  if (CanWrite(installed) || userConfigDir.empty()) return installed;
  return userConfigDir / "KR_4100" / "language" / "mysetup.ini";
}

}  // namespace kr4100
