// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/key_tables.h"

#include <algorithm>

namespace kr4100 {
namespace {

// Function names by code 0..11; code 1 has no name of its own and shows as "Reserved1".
constexpr std::array<Bilingual, 12> kFunctionNames{{
    {"Reserved1", "保留1"},
    {"Reserved1", "保留1"},
    {"Key Lock", "按键锁定"},
    {"Key Lock with Backup", "按键锁定及备份"},
    {"Monitor", "监听"},
    {"Monitor Momentary", "监听瞬时"},
    {"Scan", "扫描"},
    {"Scan+Temporary Delete", "扫描+暂时删除"},
    {"Reserved2", "保留2"},
    {"Squelch Off", "取消静噪"},
    {"Squelch Off Momentary", "瞬时取消静噪"},
    {"Temporary Delete", "暂时删除"},
}};

// Codes in list order: the reserved codes are never offered, so no choice can store them.
constexpr std::array<int, kKeyListCount> kListCodes{kKeyNone, 2, 3, 4, 5, 6, 7, 9, 10, 11};

}  // namespace

std::vector<std::string> KeyListTexts(int language) {
  std::vector<std::string> texts;
  for (const int code : kListCodes) texts.emplace_back(KeyFunctionText(code)->in(language));
  return texts;
}

std::optional<int> KeyItemIndexOfStored(int code) {
  const auto* it = std::find(kListCodes.begin(), kListCodes.end(), code);
  if (it == kListCodes.end()) return std::nullopt;
  return static_cast<int>(it - kListCodes.begin());
}

std::optional<int> KeyStoredOfItemIndex(int position) {
  if (position < 0 || position >= kKeyListCount) return std::nullopt;
  return kListCodes[static_cast<std::size_t>(position)];
}

bool StoreKeyPick(RadioConfig& record, int key, int position) {
  const auto code = KeyStoredOfItemIndex(position);
  if (!code || key < 0 || key >= static_cast<int>(record.KeyAssign.size())) return false;
  record.KeyAssign[static_cast<std::size_t>(key)] = static_cast<Integer>(*code);
  return true;
}

std::optional<Bilingual> KeyFunctionText(int code) {
  if (code == kKeyNone) return kNoneWord;
  if (code < 0 || code >= static_cast<int>(kFunctionNames.size())) return std::nullopt;
  return kFunctionNames[static_cast<std::size_t>(code)];
}

std::string KeyShownText(int code, int language) {
  if (const std::optional<Bilingual> name = KeyFunctionText(code)) return name->in(language);
  return std::to_string(code);
}

}  // namespace kr4100
