// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/embedded_message.h"

namespace kr4100 {

EmbMsgText& EmbMsgOf(RadioConfig& record, int k) {
  return k == 0 ? record.EmbMsg1 : record.EmbMsg2;
}
const EmbMsgText& EmbMsgOf(const RadioConfig& record, int k) {
  return k == 0 ? record.EmbMsg1 : record.EmbMsg2;
}

std::string EmbMsgShownText(const EmbMsgText& stored) {
  const std::string_view raw = stored.raw();
  return std::string(raw.substr(0, raw.find('\0')));
}

EmbMsgText EmbMsgStoredForm(std::string_view text) {
  if (text.size() >= static_cast<std::size_t>(kEmbMsgLength)) return EmbMsgText(text);
  std::string withNul(text);
  withNul.push_back('\0');
  return EmbMsgText(withNul);
}

bool StoreEmbMsg(EmbMsgText& field, std::string_view text) {
  if (text == EmbMsgShownText(field)) return false;
  const EmbMsgText stored = EmbMsgStoredForm(text);
  if (stored == field) return false;
  field = stored;
  return true;
}

bool IsEmbMsgCharacter(char32_t code) {
  if (code == 3 || code == 22 || code == 24) return false;
  return code <= 127;
}

}  // namespace kr4100
