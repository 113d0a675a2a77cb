#include "app/app_context.h"

namespace kr4100 {

AppContext::AppContext(InstallLayout install, UserPrompter& prompter)
    : install_(std::move(install)), prompter_(prompter) {}

void AppContext::startup(unsigned systemLocaleId, const std::filesystem::path& userConfigDir) {
  const IniFile versions = IniFile::Open(install_.versionIni());
  settingsFile_ = IniFile::Open(SettingsFilePath(install_, userConfigDir));
  state_ = RunStartup(install_, versions.existed() ? &versions : nullptr, settingsFile_,
                      settingsFile_.existed(), systemLocaleId, doc_);
  // The group-write switch may also come from the settings file.
  if (const auto value = settingsFile_.read("language", "GroupWrite"); value && *value == "1")
    groupWriteEnabled = true;
  if (const auto device = settingsFile_.read("language", "comDevice"); device && portOverride.empty())
    state_.settings.comDevice = *device;
}

void AppContext::savePortSettings() { SavePortSettings(settingsFile_, state_.settings); }

void AppContext::saveLanguage(int language) { SaveLanguage(settingsFile_, language); }

}  // namespace kr4100
