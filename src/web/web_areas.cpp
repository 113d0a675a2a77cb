// SPDX-License-Identifier: GPL-3.0-or-later
// The editor areas of the page (option features, key assignment, scan information, embedded
// messages): the desktop windows' lists, boxes and rules, read from the core's tables.
#include <algorithm>
#include <cctype>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "core/config/embedded_message.h"
#include "core/config/item_list.h"
#include "core/config/key_tables.h"
#include "core/config/option_edit.h"
#include "core/config/option_tables.h"
#include "core/config/record_fields.h"
#include "core/config/scan_tables.h"
#include "core/texts/messages.h"
#include "web/web_document.h"

namespace kr4100::web {
namespace {

// "ScanResumeTime" -> "scanResumeTime".
std::string LowerFirst(std::string text) {
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

std::string OptionKey(int field) {
  return LowerFirst(kOptionFeatures[static_cast<std::size_t>(field)].name);
}

constexpr const char* kScanKeys[kScanSettingCount] = {
    "priority", "priorityChannel", "lookBackA", "lookBackB", "revert", "dropoutDelay", "txDwell"};
constexpr const char* kKeyKeys[2] = {"pf1", "pf2"};
constexpr const char* kMessageKeys[2] = {"embMsg1", "embMsg2"};

std::vector<std::string> SwitchWords(int language) {
  return {kOffWord.in(language), kOnWord.in(language)};
}

// The position a typed choice stands for: its text, or its position as a number.
std::optional<int> PositionOf(const std::vector<std::string>& choices, const std::string& value) {
  for (std::size_t k = 0; k < choices.size(); ++k)
    if (choices[k] == value) return static_cast<int>(k);
  if (value.empty() || value.size() > 4) return std::nullopt;
  for (char c : value)
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  const int position = std::stoi(value);
  if (position < 0 || position >= static_cast<int>(choices.size())) return std::nullopt;
  return position;
}

int SingleChangeControl() {
  for (int c = 0; c < kOptionCheckCount; ++c)
    if (OptionCheckAt(c).role == OptionCheckRole::SingleChangeData) return c;
  return -1;
}

Area OptionsArea(const RadioConfig& r, int language) {
  Area area{"options", kOptFeaturesCaption.in(language), {}};
  const OptFeatBlock& block = r.OptFeat;
  for (int c = 0; c < kOptionListCount; ++c) {
    const OptionList& list = OptionListAt(c);
    std::vector<std::string> items = ItemTexts(list.items, language);
    const int shown = ShownListPosition(block, c);
    std::string value = shown >= 0 && shown < static_cast<int>(items.size())
                            ? items[static_cast<std::size_t>(shown)]
                            : std::string();
    area.fields.push_back({OptionKey(list.field), list.caption.in(language), "choice",
                           std::move(items), value, true});
  }
  const bool single = ShownChecked(block, SingleChangeControl());
  for (int c = 0; c < kOptionCheckCount; ++c) {
    const OptionCheck& check = OptionCheckAt(c);
    // The "VOIC" box keeps nothing in the record: there is nothing for the page to show.
    if (check.field == kNoOptFeatField) continue;
    const bool enabled = !(single && check.role == OptionCheckRole::CommonAttribute);
    std::vector<std::string> words = SwitchWords(language);
    const std::string value = words[ShownChecked(block, c) ? 1 : 0];
    area.fields.push_back({OptionKey(check.field), check.caption.in(language), "switch",
                           std::move(words), value, enabled});
  }
  return area;
}

Area KeysArea(const RadioConfig& r, int language) {
  Area area{"keys", kKeyAssignCaption.in(language), {}};
  for (int k = 0; k < 2; ++k) {
    std::vector<std::string> items = KeyListTexts(language);
    const int code = r.KeyAssign[static_cast<std::size_t>(k)];
    const std::optional<int> shown = KeyItemIndexOfStored(code);
    // A code the radio does not know shows as itself, so nobody mistakes it for a function.
    std::string value =
        shown ? items[static_cast<std::size_t>(*shown)] : KeyShownText(code, language);
    area.fields.push_back({kKeyKeys[k], kKeyLabels[static_cast<std::size_t>(k)].in(language),
                           "choice", std::move(items), value, true});
  }
  return area;
}

Area ScanArea(const RadioConfig& r, const std::string& modelCode, int language) {
  Area area{"scan", kScanInfoCaption.in(language), {}};
  const ScanListContext context = ScanListContextOf(r, modelCode);
  const int mode = ShownPriorityMode(r.ScanInfo[0]);
  for (int k = 0; k < kScanSettingCount; ++k) {
    const auto setting = static_cast<ScanSetting>(k);
    std::vector<std::string> items = ScanItemTexts(setting, context, language);
    const std::optional<int> shown =
        ItemIndexOfStored(setting, r.ScanInfo[static_cast<std::size_t>(k)], context);
    std::string value = shown && *shown < static_cast<int>(items.size())
                            ? items[static_cast<std::size_t>(*shown)]
                        : items.empty() ? std::string()
                                        : items.front();
    area.fields.push_back({kScanKeys[k], ScanCaption(setting).in(language), "choice",
                           std::move(items), value, ScanListEnabled(setting, mode)});
  }
  return area;
}

Area MessagesArea(const RadioConfig& r, int language) {
  Area area{"messages", kEmbMsgCaption.in(language), {}};
  for (int k = 0; k < 2; ++k)
    area.fields.push_back({kMessageKeys[k],
                           kEmbMsgLabels[static_cast<std::size_t>(k)].in(language),
                           "text",
                           {},
                           EmbMsgShownText(EmbMsgOf(r, k)),
                           true});
  return area;
}

// Code points of UTF-8 text; nothing for text that is not UTF-8.
std::optional<std::u32string> CodePoints(const std::string& text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80         ? 0
                      : (lead >> 5) == 6  ? 1
                      : (lead >> 4) == 14 ? 2
                      : (lead >> 3) == 30 ? 3
                                          : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) return std::nullopt;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k)
      code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    out += code;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

// Each area's field by its key: nothing when the area has no such field, else what came of the
// value (a refusal says why, or nothing for a control that takes no input now).
std::optional<Outcome> Refused(int language) {
  return Outcome{false, MessageText(MessageId::InvalidData, language)};
}

std::optional<Outcome> SetOption(Document& doc, const std::string& key, const std::string& value,
                                 int language) {
  for (int c = 0; c < kOptionListCount; ++c) {
    const OptionList& list = OptionListAt(c);
    if (OptionKey(list.field) != key) continue;
    const auto position = PositionOf(ItemTexts(list.items, language), value);
    if (!position) return Refused(language);
    doc.Edit([&](RadioConfig& r) { StoreOptFeat(r, OptListId(c), *position); });
    return Outcome{true, {}};
  }
  for (int c = 0; c < kOptionCheckCount; ++c) {
    const OptionCheck& check = OptionCheckAt(c);
    if (check.field == kNoOptFeatField || OptionKey(check.field) != key) continue;
    const auto position = PositionOf(SwitchWords(language), value);
    if (!position) return Refused(language);
    // A greyed box takes no click.
    const bool single = ShownChecked(doc.working().OptFeat, SingleChangeControl());
    if (single && check.role == OptionCheckRole::CommonAttribute) return Outcome{false, {}};
    doc.Edit([&](RadioConfig& r) { StoreOptFeat(r, OptCheckId(c), *position); });
    return Outcome{true, {}};
  }
  return std::nullopt;
}

// The keyed areas: field k of the area's list of keys.
Outcome SetKey(Document& doc, int k, const std::string& value, int language) {
  const auto position = PositionOf(KeyListTexts(language), value);
  const bool stored =
      position && doc.Edit([&](RadioConfig& r) { return StoreKeyPick(r, k, *position); });
  return stored ? Outcome{true, {}} : *Refused(language);
}

Outcome SetScan(Document& doc, int k, const std::string& value, int language) {
  const auto setting = static_cast<ScanSetting>(k);
  const ScanListContext context = ScanListContextOf(doc.working(), doc.state().modelText);
  if (!ScanListEnabled(setting, ShownPriorityMode(doc.working().ScanInfo[0]))) return {false, {}};
  const auto position = PositionOf(ScanItemTexts(setting, context, language), value);
  if (!position ||
      !doc.Edit([&](RadioConfig& r) { return StoreScanPick(r, setting, *position, context); }))
    return *Refused(language);
  return {true, {}};
}

Outcome SetMessage(Document& doc, int k, const std::string& value, int language) {
  const auto codes = CodePoints(value);
  if (!codes ||
      !std::all_of(codes->begin(), codes->end(), [](char32_t c) { return IsEmbMsgCharacter(c); }))
    return *Refused(language);
  doc.Edit([&](RadioConfig& r) { StoreEmbMsg(EmbMsgOf(r, k), value); });
  return {true, {}};
}

}  // namespace

std::vector<Area> WebDocument::areas() const {
  const RadioConfig& r = doc_->working();
  const int language = Language();
  return {OptionsArea(r, language), KeysArea(r, language),
          ScanArea(r, doc_->state().modelText, language), MessagesArea(r, language)};
}

Outcome WebDocument::setField(const std::string& area, const std::string& key,
                              const std::string& value) {
  using Keyed = Outcome (*)(Document&, int, const std::string&, int);
  struct KeyedArea {
    std::string_view area;
    std::span<const char* const> keys;
    Keyed set;
  };
  static constexpr KeyedArea kKeyed[] = {{"keys", kKeyKeys, &SetKey},
                                         {"scan", kScanKeys, &SetScan},
                                         {"messages", kMessageKeys, &SetMessage}};
  std::optional<Outcome> outcome;
  if (area == "options") outcome = SetOption(*doc_, key, value, Language());
  for (const KeyedArea& keyed : kKeyed) {
    if (keyed.area != area) continue;
    const auto at = std::find(keyed.keys.begin(), keyed.keys.end(), key);
    if (at != keyed.keys.end())
      outcome = keyed.set(*doc_, static_cast<int>(at - keyed.keys.begin()), value, Language());
  }
  if (!outcome) return {false, {}};
  if (outcome->ok) undo_.checkpoint();
  return *outcome;
}

}  // namespace kr4100::web
