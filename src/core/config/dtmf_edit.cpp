// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/dtmf_edit.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <stdexcept>
#include <type_traits>

#include "core/config/record_fields_blocks.h"

namespace kr4100 {
namespace {

constexpr std::array<Bilingual, 4> kSpeeds{{{"6", "6"}, {"8", "8"}, {"10", "10"}, {"15", "15"}}};
constexpr std::array<Bilingual, 4> kToneTimes{
    {{"0", "0"}, {"100", "100"}, {"500", "500"}, {"1000", "1000"}}};
constexpr Bilingual kDCode{"D Code", "D 码"};
constexpr Bilingual kSeconds{"s", "秒"};
// The group code list offers these keys after "Off"; each stores its own character code.
constexpr std::string_view kGroupKeys = "ABCD#*";
constexpr std::array<Bilingual, 3> kCallAlerts{
    {{"Off", "关"}, {"Normal", "常规"}, {"Continuous", "连续"}}};
constexpr std::array<Bilingual, 3> kTransponds{
    {{"Off", "关"}, {"Alert", "告警"}, {"ID Code", "ID 码"}}};
constexpr std::array<Bilingual, 2> kStunTypes{
    {{"TX Inhibit", "发射抑制"}, {"TX/RX Inhibit", "发射/接收 抑制"}}};

// First digit delay: 100 .. 1000 ms in steps of 50, stored in units of 10 ms.
constexpr int kDelayFirstMs = 100;
constexpr int kDelayStepMs = 50;
constexpr int kDelayItems = 19;
constexpr int kDCodeSeconds = 16;
constexpr int kResetSeconds = 15;

static_assert(std::tuple_size_v<std::remove_const_t<decltype(kDtmfFields)>> == kDtmfFieldCount,
              "one control per field of the block");

std::size_t At(DtmfField field) {
  return static_cast<std::size_t>(static_cast<int>(field) - 1);
}

// The number a list or a check box keeps, from the field table.
Integer& IndexField(DtmfSettings& b, DtmfField field) {
  Integer* out = nullptr;
  AtField(kDtmfFields, At(field), [&](const auto& f) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(b.*f.member)>, Integer>)
      out = &(b.*f.member);
  });
  if (!out) throw std::out_of_range("DTMF field without an Integer");
  return *out;
}

Integer IndexField(const DtmfSettings& b, DtmfField field) {
  return IndexField(const_cast<DtmfSettings&>(b), field);
}

std::vector<std::string> Texts(std::span<const Bilingual> items, int language) {
  std::vector<std::string> out;
  for (const Bilingual& item : items) out.emplace_back(item.in(language));
  return out;
}

int ItemCount(DtmfField field) {
  return static_cast<int>(DtmfItemTexts(field, kEnglish).size());
}

// The stored form of a typed text in a field of N characters: the text, one NUL, blanks; a text
// of N characters or more keeps its first N and no NUL.
template <std::size_t N>
FixedText<N> NulPadded(std::string_view text) {
  if (text.size() >= N) return FixedText<N>(text);
  std::string withNul(text);
  withNul.push_back('\0');
  return FixedText<N>(withNul);
}

template <std::size_t N>
std::string UpToNul(const FixedText<N>& stored) {
  const std::string_view raw = stored.raw();
  return std::string(raw.substr(0, raw.find('\0')));
}

int UsedAutodial(const RadioConfig& r) {
  return std::clamp<int>(r.AutodialCount, 0, kAutodialSlots);
}

}  // namespace

DtmfControl ControlOf(DtmfField field) {
  FieldControl control = FieldControl::None;
  AtField(kDtmfFields, At(field), [&](const auto& f) { control = f.control; });
  switch (control) {
    case FieldControl::CheckBox:
      return DtmfControl::CheckBox;
    case FieldControl::TextBox:
      return DtmfControl::TextBox;
    default:
      return DtmfControl::List;
  }
}

const Bilingual& DtmfCaption(DtmfField field) {
  const Bilingual* label = nullptr;
  AtField(kDtmfFields, At(field), [&](const auto& f) { label = &f.label; });
  if (!label) throw std::out_of_range("DtmfCaption");
  return *label;
}

int DtmfStoredNumber(const DtmfSettings& block, DtmfField field) {
  return ControlOf(field) == DtmfControl::TextBox ? 0 : IndexField(block, field);
}

std::vector<std::string> DtmfItemTexts(DtmfField field, int language) {
  std::vector<std::string> items;
  switch (field) {
    case DtmfField::DtmfSpeed:
      return Texts(kSpeeds, language);
    case DtmfField::FirstDigitTime:
    case DtmfField::StarHashTime:
      return Texts(kToneTimes, language);
    case DtmfField::FirstDigitDelay:
      for (int i = 0; i < kDelayItems; ++i)
        items.push_back(std::to_string(kDelayFirstMs + i * kDelayStepMs));
      return items;
    case DtmfField::DCodeAssign:
      items.emplace_back(kDCode.in(language));
      for (int n = 1; n <= kDCodeSeconds; ++n)
        items.push_back(std::to_string(n) + kSeconds.in(language));
      return items;
    case DtmfField::GroupCode:
      items.emplace_back(kOffWord.in(language));
      for (char key : kGroupKeys) items.emplace_back(1, key);
      return items;
    case DtmfField::AutoResetTimer:
      items.emplace_back(kOffWord.in(language));
      for (int n = 1; n <= kResetSeconds; ++n) items.push_back(std::to_string(n));
      return items;
    case DtmfField::CallAlert:
      return Texts(kCallAlerts, language);
    case DtmfField::Transpond:
      return Texts(kTransponds, language);
    case DtmfField::StunType:
      return Texts(kStunTypes, language);
    default:
      return items;
  }
}

std::optional<int> DtmfItemIndexOfStored(const DtmfSettings& block, DtmfField field) {
  if (ControlOf(field) != DtmfControl::List) return std::nullopt;
  const int stored = IndexField(block, field);
  int position = stored;
  if (field == DtmfField::FirstDigitDelay) {
    const int ms = stored * 10;
    if ((ms - kDelayFirstMs) % kDelayStepMs != 0) return std::nullopt;
    position = (ms - kDelayFirstMs) / kDelayStepMs;
  } else if (field == DtmfField::GroupCode) {
    if (stored == 0) return 0;
    if (stored < 0 || stored > 127) return std::nullopt;
    const auto key = kGroupKeys.find(static_cast<char>(stored));
    if (key == std::string_view::npos) return std::nullopt;
    position = static_cast<int>(key) + 1;
  }
  if (position < 0 || position >= ItemCount(field)) return std::nullopt;
  return position;
}

bool StoreDtmfPick(DtmfSettings& block, DtmfField field, int position) {
  if (ControlOf(field) != DtmfControl::List || position < 0 || position >= ItemCount(field))
    return false;
  int value = position;
  if (field == DtmfField::FirstDigitDelay) {
    const int ms = kDelayFirstMs + position * kDelayStepMs;
    value = static_cast<int>(std::lround(ms / 10.0));
  } else if (field == DtmfField::GroupCode) {
    value = position == 0 ? 0 : kGroupKeys[static_cast<std::size_t>(position - 1)];
  }
  IndexField(block, field) = static_cast<Integer>(value);
  return true;
}

bool DtmfChecked(const DtmfSettings& block, DtmfField field) {
  if (ControlOf(field) != DtmfControl::CheckBox) throw std::out_of_range("not a DTMF check box");
  return IndexField(block, field) != 0;
}

void StoreDtmfCheck(DtmfSettings& block, DtmfField field, bool checked) {
  if (ControlOf(field) != DtmfControl::CheckBox) throw std::out_of_range("not a DTMF check box");
  IndexField(block, field) = checked ? 1 : 0;
}

std::string IdCodeShownText(const DtmfSettings& block) {
  const std::string text = UpToNul(block.IdCode);
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

IdCodeCommit CommitIdCode(DtmfSettings& block, std::string_view text, IdCodeCommitBy by) {
  const bool tooShort = text.size() < static_cast<std::size_t>(kIdCodeMinLength);
  if (text == IdCodeShownText(block) && (!tooShort || by == IdCodeCommitBy::Program))
    return IdCodeCommit::Unchanged;
  if (tooShort) {
    block.IdCode = kIdCodeDefault;
    return IdCodeCommit::Refused;
  }
  block.IdCode = text;  // cut to 10, padded with blanks
  return IdCodeCommit::Stored;
}

std::string StunCodeShownText(const DtmfSettings& block) {
  return UpToNul(block.StunCode);
}

bool CommitStunCode(DtmfSettings& block, std::string_view text) {
  if (text == StunCodeShownText(block)) return false;
  const auto stored = NulPadded<kStunCodeLength>(text);
  if (stored == block.StunCode) return false;
  block.StunCode = stored;
  return true;
}

std::array<std::string, kAutodialRows> AutodialRowTexts(const RadioConfig& record) {
  std::array<std::string, kAutodialRows> rows;
  for (int i = 0; i < UsedAutodial(record); ++i) {
    const AutodialEntry& entry = record.Autodial[static_cast<std::size_t>(i)];
    if (entry.Row >= 1 && entry.Row <= kAutodialRows)
      rows[static_cast<std::size_t>(entry.Row - 1)] = UpToNul(entry.Digits);
  }
  return rows;
}

bool CommitAutodial(RadioConfig& record, int row, std::string_view text) {
  if (row < 1 || row > kAutodialRows) return false;
  const int used = UsedAutodial(record);
  const auto first = record.Autodial.begin();
  const auto entry =
      std::find_if(first, first + used, [row](const AutodialEntry& e) { return e.Row == row; });
  if (entry != first + used) {
    if (text.empty()) {
      std::move(entry + 1, first + used, entry);
      record.AutodialCount = static_cast<Integer>(used - 1);
      return true;
    }
    if (text == UpToNul(entry->Digits)) return false;
    entry->Digits = NulPadded<kAutodialDigitsLength>(text);
    return true;
  }
  // A row has at most one entry, so eight rows never need more; a damaged count still must not
  // push past the list.
  if (used >= kAutodialSlots) return false;
  AutodialEntry& added = record.Autodial[static_cast<std::size_t>(used)];
  added.Row = static_cast<Integer>(row);
  added.Digits = NulPadded<kAutodialDigitsLength>(text);
  record.AutodialCount = static_cast<Integer>(used + 1);
  return true;
}

std::optional<char32_t> DtmfTypedChar(DtmfBox box, char32_t code) {
  if (code == 3 || code == 22 || code == 24 || code == 13 || code > 127) return std::nullopt;
  if (code < 32 || code == 127) return code;  // Backspace and the other editing codes
  if (code >= U'0' && code <= U'9') return code;
  if (box == DtmfBox::IdCode) return std::nullopt;
  if (code == U'#' || code == U'*' || (code >= U'A' && code <= U'D')) return code;
  if (code >= U'a' && code <= U'd') return code - U'a' + U'A';
  return std::nullopt;
}

}  // namespace kr4100
