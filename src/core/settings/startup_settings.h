// SPDX-License-Identifier: GPL-3.0-or-later
// The settings the program starts with, from "mysetup.ini" (section "language"): the interface
// language, the serial port number, handshaking and stop bits, and the first-run rule.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/settings/ini_store.h"

namespace kr4100 {

inline constexpr unsigned kChinesePrcLocale = 0x0804;

struct StartupSettings {
  int currentLanguage = 1;   // 1 English, 2 Chinese
  int captionLanguage = 1;   // the language the windows were captioned in
  int systemLanguage = 1;    // from the system locale; decides what the language dialog offers
  int comPort = 1;           // >= 1 after loading
  std::string comDevice;     // a device path where ports have no COM number; empty: use comPort
  int handshaking = 0;       // 0..3
  int stopBit = 1;           // 1 or 2
  bool firstRun = false;
  // Read the image back after every write and compare it; kept only once the user changes it.
  bool verifyAfterWrite = true;
  // Write every radio session's serial traffic to a file, for a bug report.
  bool recordSerialTrace = false;
};

// Language index of a system locale identifier: 2 for Chinese (PRC), 1 for anything else.
int LanguageOfLocale(unsigned systemLocaleId);

// Loads the settings and writes back what start-up writes: "IsFirstRun" = "0" on the first run,
// and "comPort" and "CurrentLanguage" always. A missing, empty, non-numeric or out-of-range key
// falls back to a sound default (port 1, no handshaking, one stop bit, the locale's language).
// fileExisted false (the settings file was missing) counts as a first run and writes every key.
StartupSettings LoadStartupSettings(IniStore& ini, unsigned systemLocaleId, bool fileExisted = true);

// The serial device a session opens: the device path when one is set, otherwise the COM number
// ("COM3" on Windows, its counterpart /dev/ttyS2 elsewhere).
std::string PortNameFor(const StartupSettings& settings);

// The number a port name stands for: "COM7", Windows' "\\.\COM7", or this system's device of
// that number (/dev/ttyS6); three digits at most. Nothing for any other device.
std::optional<int> ComNumberOf(std::string_view port);

// The one rule for keeping a chosen or found port: a port that has a number is kept as that
// number (comDevice cleared), any other device by its path.
void StorePort(StartupSettings& settings, std::string_view port);

// Stores the port choice of the port dialog or the automatic port search.
void SavePortSettings(IniStore& ini, const StartupSettings& settings);
// Stores the language chosen in the language dialog.
void SaveLanguage(IniStore& ini, int language);
// Stores the Setup menu's "Verify after writing".
void SaveVerifyAfterWrite(IniStore& ini, bool on);
// Stores the Setup menu's "Record serial trace".
void SaveRecordSerialTrace(IniStore& ini, bool on);

}  // namespace kr4100
