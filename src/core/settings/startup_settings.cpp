// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/startup_settings.h"

#include <optional>
#include <string>

#include "core/config/numbers.h"

namespace kr4100 {

namespace {

constexpr std::string_view kSection = "language";
constexpr std::string_view kIsFirstRun = "IsFirstRun";
constexpr std::string_view kComPort = "comPort";
constexpr std::string_view kHandshaking = "Handshaking";
constexpr std::string_view kStopBit = "StopBit";
constexpr std::string_view kCurrentLanguage = "CurrentLanguage";
constexpr std::string_view kComDevice = "comDevice";
constexpr std::string_view kVerifyAfterWrite = "VerifyAfterWrite";
constexpr std::string_view kRecordSerialTrace = "RecordSerialTrace";

std::optional<int> ReadInteger(const IniStore& ini, std::string_view key) {
  const auto text = ini.read(kSection, key);
  if (!text) return std::nullopt;
  return ParseInteger16(*text);
}

// A Boolean as the settings file holds it: a number (non-zero is true) or "True"/"False".
// Anything else, a missing key included, counts as false so start-up never stops on it.
bool ReadBoolean(const IniStore& ini, std::string_view key) {
  const auto text = ini.read(kSection, key);
  if (!text) return false;
  if (const auto number = ParseNumber(*text)) return *number != 0.0;
  const std::string_view word = Trim(*text);
  if (word.size() != 4) return false;
  std::string lower(word);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower == "true";
}

int InRange(std::optional<int> value, int low, int high, int fallback) {
  return value && *value >= low && *value <= high ? *value : fallback;
}

}  // namespace

int LanguageOfLocale(unsigned systemLocaleId) {
  return systemLocaleId == kChinesePrcLocale ? 2 : 1;
}

StartupSettings LoadStartupSettings(IniStore& ini, unsigned systemLocaleId, bool fileExisted) {
  StartupSettings s;
  s.comPort = 1;
  s.systemLanguage = LanguageOfLocale(systemLocaleId);
  s.currentLanguage = s.systemLanguage;
  s.firstRun = !fileExisted || ReadBoolean(ini, kIsFirstRun);

  // A port number is only useful when a port can carry it; 0 or less would never open.
  s.comPort = InRange(ReadInteger(ini, kComPort), 1, 32767, 1);
  s.handshaking = InRange(ReadInteger(ini, kHandshaking), 0, 3, 0);
  s.stopBit = InRange(ReadInteger(ini, kStopBit), 1, 2, 1);
  s.comDevice = std::string(Trim(ini.read(kSection, kComDevice).value_or("")));
  // Only an explicit 0 turns the read-back off; start-up never writes this key.
  s.verifyAfterWrite = ReadInteger(ini, kVerifyAfterWrite).value_or(1) != 0;
  s.recordSerialTrace = ReadInteger(ini, kRecordSerialTrace).value_or(0) != 0;

  if (s.firstRun) {
    s.firstRun = false;
    ini.write(kSection, kIsFirstRun, "0");
  } else {
    s.currentLanguage = InRange(ReadInteger(ini, kCurrentLanguage), 1, 2, s.systemLanguage);
  }

  ini.write(kSection, kComPort, std::to_string(s.comPort));
  if (!fileExisted) {
    // A settings file made by us should hold every key, not only those start-up writes back.
    ini.write(kSection, kHandshaking, std::to_string(s.handshaking));
    ini.write(kSection, kStopBit, std::to_string(s.stopBit));
  }
  ini.write(kSection, kCurrentLanguage, std::to_string(s.currentLanguage));
  s.captionLanguage = s.currentLanguage;
  return s;
}

std::string PortNameFor(const StartupSettings& settings) {
  if (!settings.comDevice.empty()) return settings.comDevice;
#ifdef _WIN32
  return "COM" + std::to_string(settings.comPort);
#else
  return "/dev/ttyS" + std::to_string(settings.comPort - 1);
#endif
}

std::optional<int> ComNumberOf(std::string_view port) {
  std::string_view digits;
  for (std::string_view prefix : {std::string_view("\\\\.\\"), std::string_view()}) {
    std::string_view rest = port;
    if (!rest.starts_with(prefix)) continue;
    rest.remove_prefix(prefix.size());
    if (rest.size() > 3 && (rest[0] == 'C' || rest[0] == 'c') && (rest[1] == 'O' || rest[1] == 'o') &&
        (rest[2] == 'M' || rest[2] == 'm')) {
      digits = rest.substr(3);
      break;
    }
  }
  if (!digits.empty()) {
    if (digits.size() > 3) return std::nullopt;
    int number = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return std::nullopt;
      number = number * 10 + (c - '0');
    }
    return number >= 1 ? std::optional<int>(number) : std::nullopt;
  }
  StartupSettings byNumber;
  for (int n = 1; n <= 999; ++n) {
    byNumber.comPort = n;
    if (PortNameFor(byNumber) == port) return n;
  }
  return std::nullopt;
}

void StorePort(StartupSettings& settings, std::string_view port) {
  if (const auto number = ComNumberOf(port)) {
    settings.comPort = *number;
    settings.comDevice.clear();
  } else {
    settings.comDevice = std::string(port);
  }
}

void SavePortSettings(IniStore& ini, const StartupSettings& settings) {
  ini.write(kSection, kComPort, std::to_string(settings.comPort));
  // Only where a device path is or was in use: a COM-number setup keeps its file as it was.
  if (!settings.comDevice.empty() || ini.read(kSection, kComDevice))
    ini.write(kSection, kComDevice, settings.comDevice);
  ini.write(kSection, kHandshaking, std::to_string(settings.handshaking));
  ini.write(kSection, kStopBit, std::to_string(settings.stopBit));
}

void SaveLanguage(IniStore& ini, int language) {
  ini.write(kSection, kCurrentLanguage, std::to_string(language));
}

void SaveVerifyAfterWrite(IniStore& ini, bool on) {
  ini.write(kSection, kVerifyAfterWrite, on ? "1" : "0");
}

void SaveRecordSerialTrace(IniStore& ini, bool on) {
  ini.write(kSection, kRecordSerialTrace, on ? "1" : "0");
}

}  // namespace kr4100
