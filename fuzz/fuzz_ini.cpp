// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as "mysetup.ini" or "Version.ini": parsing, start-up loading, the version table and a
// write must neither crash nor leak, and a written key must read back, also after a re-parse. A
// share of the inputs (see fuzz_support.h) is also opened as a file, and must read as parsed.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/config/version_table.h"
#include "core/settings/ini_file.h"
#include "core/settings/startup_settings.h"
#include "core/settings/version_ini.h"
#include "fuzz_support.h"

using namespace kr4100;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  IniFile ini = IniFile::Parse(bytes);
  const IniFile original = ini;

  const StartupSettings s = LoadStartupSettings(ini, kChinesePrcLocale);
  if (s.comPort < 1 || s.handshaking < 0 || s.handshaking > 3 || s.stopBit < 1 || s.stopBit > 2 ||
      s.currentLanguage < 1 || s.currentLanguage > 2) {
    __builtin_trap();
  }
  IniFile copy = original;
  LoadStartupSettings(copy, 0x0409, size % 2 == 0);

  const VersionTable table = LoadVersionTable(&original);
  table.IsPairListed("V600", "V600");
  OtherVersionProgram(table, "/opt/kr/V600", "V600", "kr4100");
  for (const auto& [program, other] : table.pairs()) {
    IsValidVersionTag(other);
    VersionDisplayForm(other);
  }

  original.read("Version", "CurrentVersion");
  original.read("Firm", "Firm0");
  original.read(bytes.substr(0, 8), bytes.substr(size / 2, 8));

  const std::string value(bytes.substr(0, 16));
  const bool written = ini.write("language", "Extra", value);
  const std::string text = ini.text();
  const IniFile reparsed = IniFile::Parse(text);
  if (written) {
    const std::string expected = value.substr(0, 511);
    if (ini.read("language", "Extra") != expected ||
        reparsed.read("language", "Extra") != expected ||
        reparsed.read("language", "comPort") != std::to_string(s.comPort)) {
      __builtin_trap();
    }
  }

  const std::span<const std::uint8_t> raw(data, size);
  if (fuzz::TakesPathWay(raw)) {
    const IniFile opened = IniFile::Open(fuzz::WriteScratchFile(raw, ".ini"));
    if (!opened.existed() || opened.text() != original.text()) __builtin_trap();
  }
  return 0;
}
