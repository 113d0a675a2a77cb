// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/app_state.h"

namespace kr4100 {

AppState::AppState(InstallLayout install) : install_(std::move(install)) {}

void AppState::startup(unsigned systemLocaleId, const std::filesystem::path& userConfigDir) {
  const IniFile versions = IniFile::Open(install_.versionIni());
  settingsFile_ = IniFile::Open(SettingsFilePath(install_, userConfigDir));
  state_ = RunStartup(install_, versions.existed() ? &versions : nullptr, settingsFile_,
                      settingsFile_.existed(), systemLocaleId, doc_);
  // The group-write switch may also come from the settings file.
  if (const auto value = settingsFile_.read("language", "GroupWrite"); value && *value == "1")
    groupWriteEnabled = true;
  // The service functions are for a dealer's technician: a key nobody writes but by hand.
  if (const auto value = settingsFile_.read("language", "Service"); value && *value == "1")
    serviceFunctions = true;
  if (const auto device = settingsFile_.read("language", "comDevice"); device && portOverride.empty())
    state_.settings.comDevice = *device;
}

void AppState::savePortSettings() { SavePortSettings(settingsFile_, state_.settings); }

void AppState::saveLanguage(int language) { SaveLanguage(settingsFile_, language); }

void AppState::saveRecordSerialTrace(bool on) {
  state_.settings.recordSerialTrace = on;
  SaveRecordSerialTrace(settingsFile_, on);
}

void AppState::saveVerifyAfterWrite(bool on) {
  state_.settings.verifyAfterWrite = on;
  SaveVerifyAfterWrite(settingsFile_, on);
}

std::string AppState::portInForce() const {
  return portOverride.empty() ? PortNameFor(state_.settings) : portOverride;
}

void AppState::choosePort(const std::string& port) {
  portOverride.clear();
  StartupSettings& settings = state_.settings;
  if (port.empty()) {
    // Sessions will report that no port opens; the file keeps the last real choice.
    settings.comPort = 0;
    settings.comDevice.clear();
    return;
  }
  StorePort(settings, port);
  savePortSettings();
}

void AppState::keepFoundPort(const std::string& port, int stopBits, int handshaking) {
  StartupSettings& settings = state_.settings;
  settings.stopBit = stopBits;
  settings.handshaking = handshaking;
  StorePort(settings, port);
  if (!portOverride.empty()) portOverride = port;
  savePortSettings();
}

}  // namespace kr4100
