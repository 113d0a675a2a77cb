// SPDX-License-Identifier: GPL-3.0-or-later
// The process-wide state of the desktop program, without any window: the document, the start-up
// state and settings file, the installation layout and the feature switches.
#pragma once

#include <filesystem>
#include <string>

#include "core/config/document.h"
#include "core/settings/ini_file.h"
#include "core/settings/install_layout.h"
#include "core/settings/startup.h"

namespace kr4100 {

class AppState {
 public:
  explicit AppState(InstallLayout install);

  // The start-up sequence: version table, settings (created when missing; in userConfigDir when
  // the installation cannot hold them), a new document from the installed template.
  void startup(unsigned systemLocaleId, const std::filesystem::path& userConfigDir);

  Document& doc() { return doc_; }
  const Document& doc() const { return doc_; }
  StartupState& state() { return state_; }
  const StartupState& state() const { return state_; }
  StartupSettings& settings() { return state_.settings; }
  IniFile& settingsFile() { return settingsFile_; }
  const InstallLayout& install() const { return install_; }
  int language() const { return state_.settings.currentLanguage; }

  // The settings file follows the port dialog, the port search and the language dialog at once.
  void savePortSettings();
  void saveLanguage(int language);
  void saveVerifyAfterWrite(bool on);
  void saveRecordSerialTrace(bool on);

  // The port sessions open: the one given on the command line until the user chooses one in the
  // port dialog, then the stored one.
  std::string portInForce() const;
  // The port dialog's OK: empty means nothing was there to choose (port 0, nothing stored).
  void choosePort(const std::string& port);
  // The port search found a radio on these settings: they are kept as a choice would be.
  void keepFoundPort(const std::string& port, int stopBits, int handshaking);

  // Optional features switched on from the command line or the settings file.
  bool groupWriteEnabled = false;
  bool serviceFunctions = false;      // the signalling editors, test frequencies, tools, test mode
  std::string portOverride;           // --port DEVICE: any device path, e.g. a pseudo-terminal
  std::filesystem::path userDataDir;  // the virtual radio's memory lives here
  std::filesystem::path startFile;    // a data file given on the command line, opened at start

 private:
  InstallLayout install_;
  StartupState state_;
  IniFile settingsFile_;
  Document doc_;
};

}  // namespace kr4100
