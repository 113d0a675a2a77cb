// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <shlobj.h>
#include <windows.h>

#include "cli/radio_link.h"

namespace kr4100 {

std::filesystem::path ProgramDataFolder() {
  // Where Qt puts an application's data on Windows: the roaming application data folder, then
  // organisation and application.
  wchar_t folder[MAX_PATH] = {};
  if (::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
    return {};  // as Qt's own look-up gives nothing
  return std::filesystem::path(folder) / L"KR_4100" / L"kr4100";
}

}  // namespace kr4100
