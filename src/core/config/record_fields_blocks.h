// SPDX-License-Identifier: GPL-3.0-or-later
// The record beyond the channels and the option features, each field described once: the model
// information, the DTMF and FleetSync blocks, the entries of the three lists, the keys, the scan
// settings, and the record's own parts in file order. The data file layout, the dump, the
// defaults, the DTMF helpers, the differences and the print pages read these tables.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "core/config/radio_config.h"
#include "core/texts/bilingual.h"
#include "core/texts/product.h"

namespace kr4100 {

// How a field is shown and edited where a window shows it.
enum class FieldControl {
  None,      // kept in the file; no window shows it by itself
  List,      // a drop-down list of items
  CheckBox,  // 0 or 1
  TextBox,   // typed text
  Shown,     // shown, not edited (the model information)
};

inline constexpr int kNoImage = -1;

template <class Record, class Member>
struct RecordField {
  const char* name;  // as the data file layout and the dump name it
  Member Record::*member;
  Member byDefault;  // a new document's value, where nothing else works it out
  Bilingual label;   // where the program shows it; none for bookkeeping
  FieldControl control;
  bool printed;  // on a print page
  int imageAt;   // where the radio's memory holds it, where it does; else kNoImage
};

template <class Record, class Member>
constexpr RecordField<Record, Member> Field(const char* name, Member Record::*member,
                                            std::type_identity_t<Member> byDefault = {},
                                            Bilingual label = {}, FieldControl control = {},
                                            bool printed = false, int imageAt = kNoImage) {
  return {name, member, byDefault, label, control, printed, imageAt};
}

template <std::size_t N>
constexpr FixedText<N> Text(std::string_view text) {
  return FixedText<N>(text);
}

// A text that ends where it starts: one NUL, then blanks.
template <std::size_t N>
constexpr FixedText<N> kNoText = Text<N>(std::string_view("\0", 1));

// Calls f(field) for every field of a table, in order.
template <class Table, class F>
constexpr void ForEachField(const Table& table, F&& f) {
  std::apply([&](const auto&... field) { (f(field), ...); }, table);
}

// Calls f(field) for field i of a table (nothing for an i past its end).
template <class Table, class F>
constexpr void AtField(const Table& table, std::size_t i, F&& f) {
  std::size_t k = 0;
  ForEachField(table, [&](const auto& field) {
    if (k++ == i) f(field);
  });
}

// ---- model information ----------------------------------------------------------------------

// The model and band the user chose and the program's date and version fill the rest. A read
// takes the model code, type and band from the identity the radio keeps in its memory (its
// 14-byte reply at 0x1D90: "P", four characters of model code, one byte not interpreted, type,
// band).
inline constexpr std::size_t kIdentityModelCodeLength = 4;  // the rest of ModelCode is NULs
inline constexpr auto kModelInfoFields = std::tuple{
    Field("ModelCode", &ModelInfo::ModelCode, {}, {"Model code", "机型代码"}, FieldControl::Shown,
          false, 0x1D91),
    Field("ModelType", &ModelInfo::ModelType, {}, {}, {}, false, 0x1D96),
    Field("BandType", &ModelInfo::BandType, {}, {}, {}, false, 0x1D97),
    Field("ProgDate", &ModelInfo::ProgDate, {}, {"Date", "日期"}, FieldControl::Shown),
    Field("SoftVer", &ModelInfo::SoftVer, Text<5>(kSoftVerText), {"Version", "版本"},
          FieldControl::Shown),
    Field("ModelName", &ModelInfo::ModelName, {}, {"Model", "机型"}, FieldControl::Shown),
    Field("BandType2", &ModelInfo::BandType2, 0, {"Band", "频段"}, FieldControl::Shown),
    Field("SeriesChar", &ModelInfo::SeriesChar, 67),
};

// ---- DTMF -----------------------------------------------------------------------------------

// In the block's order, which is also DtmfField's.
inline constexpr auto kDtmfFields = std::tuple{
    Field("DtmfSpeed", &DtmfSettings::DtmfSpeed, 0, {"DTMF Speed[digit/s]", "DTMF 速率[数字/秒]"},
          FieldControl::List),
    Field("FirstDigitTime", &DtmfSettings::FirstDigitTime, 0,
          {"First Digit Time[ms]", "首位数码时间[毫秒]"}, FieldControl::List),
    Field("FirstDigitDelay", &DtmfSettings::FirstDigitDelay, 10,
          {"First Digit Delay[ms]", "首位数码延迟[毫秒]"}, FieldControl::List),
    Field("StarHashTime", &DtmfSettings::StarHashTime, 0, {"* and # Tone[ms]", "*和#音[毫秒]"},
          FieldControl::List),
    Field("DCodeAssign", &DtmfSettings::DCodeAssign, 0, {"D Code Assignment", "D键设定"},
          FieldControl::List),
    Field("DtmfSideTone", &DtmfSettings::DtmfSideTone, 1, {"DTMF Side Tone", "DTMF 侧音"},
          FieldControl::CheckBox),
    Field("IdCode", &DtmfSettings::IdCode, Text<10>("000"), {"ID Code", "ID 码"},
          FieldControl::TextBox),
    Field("GroupCode", &DtmfSettings::GroupCode, 0, {"Group Code", "组呼码"}, FieldControl::List),
    Field("AutoResetTimer", &DtmfSettings::AutoResetTimer, 10,
          {"Auto Reset Timer[s]", "自动复位定时器[秒]"}, FieldControl::List),
    Field("CallAlert", &DtmfSettings::CallAlert, 0, {"Call Alert", "呼叫告警"}, FieldControl::List),
    Field("Transpond", &DtmfSettings::Transpond, 0, {"Transpond", "自动应答"}, FieldControl::List),
    Field("ClearToTranspond", &DtmfSettings::ClearToTranspond, 0,
          {"Clear to Transpond", "清除自动应答"}, FieldControl::CheckBox),
    Field("StunCode", &DtmfSettings::StunCode, kNoText<10>, {"Stun Code", "遥毙码"},
          FieldControl::TextBox),
    Field("StunType", &DtmfSettings::StunType, 0, {"Stun Type", "遥毙类型"}, FieldControl::List),
};

// ---- FleetSync ------------------------------------------------------------------------------

// No own fleet until one is chosen (kNoOwnFleet).
inline constexpr auto kFleetSyncFields = std::tuple{
    Field("OwnFleet", &FleetSyncSettings::OwnFleet, 255, {"Fleet(Own)", "队列（自身）"},
          FieldControl::List),
    Field("OwnId", &FleetSyncSettings::OwnId, 0, {"ID(Own)", "ID（自身）"}, FieldControl::List),
    Field("BaudRate", &FleetSyncSettings::BaudRate, 0,
          {"FleetSync Baud Rate[bps]", "队列同步波特率[bps]"}, FieldControl::List),
    Field("DataTxModDelay", &FleetSyncSettings::DataTxModDelay, 400,
          {"Data TX Modulation Delay Time[ms]", "数据发射调制延迟时间[毫秒]"}, FieldControl::List),
    Field("MsgModeTimer", &FleetSyncSettings::MsgModeTimer, 10,
          {"Message Mode Timer[s]", "信息模式定时器[秒]"}, FieldControl::List),
    Field("PttIdSideTone", &FleetSyncSettings::PttIdSideTone, 1,
          {"PTT ID Side Tone", "PTT ID 侧音"}, FieldControl::CheckBox),
};

// ---- list entries ---------------------------------------------------------------------------

// The entries' windows are grids with headings of their own; a new document's lists are empty
// but for the test frequencies, which follow the band.
inline constexpr auto kAutodialFields = std::tuple{
    Field("Row", &AutodialEntry::Row),
    Field("Digits", &AutodialEntry::Digits),
};
inline constexpr auto kTestFreFields = std::tuple{
    Field("No", &TestFreEntry::No),         Field("RxFre", &TestFreEntry::RxFre),
    Field("TxFre", &TestFreEntry::TxFre),   Field("RxMark", &TestFreEntry::RxMark),
    Field("TxMark", &TestFreEntry::TxMark),
};
inline constexpr auto kFleetListFields = std::tuple{
    Field("Row", &FleetListEntry::Row),
    Field("Fleet", &FleetListEntry::Fleet),
    Field("Id", &FleetListEntry::Id),
};

inline constexpr std::tuple<> kNoFields{};

// The table of a block or an entry, by its type; kNoFields for any other type.
template <class T>
constexpr const auto& FieldsOf() {
  if constexpr (std::is_same_v<T, ModelInfo>)
    return kModelInfoFields;
  else if constexpr (std::is_same_v<T, DtmfSettings>)
    return kDtmfFields;
  else if constexpr (std::is_same_v<T, FleetSyncSettings>)
    return kFleetSyncFields;
  else if constexpr (std::is_same_v<T, AutodialEntry>)
    return kAutodialFields;
  else if constexpr (std::is_same_v<T, TestFreEntry>)
    return kTestFreFields;
  else if constexpr (std::is_same_v<T, FleetListEntry>)
    return kFleetListFields;
  else
    return kNoFields;
}

template <class T>
concept FieldTable =
    !std::is_same_v<decltype(FieldsOf<std::remove_const_t<T>>()), const std::tuple<>&>;

// A block with every field at its default.
template <FieldTable T>
constexpr T DefaultsOf() {
  T out{};
  ForEachField(FieldsOf<T>(), [&](const auto& field) { out.*field.member = field.byDefault; });
  return out;
}

// ---- keys and scan settings -----------------------------------------------------------------

// One element of a settings array the windows show one list each.
struct ArrayField {
  Integer byDefault;
  Bilingual label;
};

// KeyAssign(k): the function of PF1 and PF2 (kKeyNone: none).
inline constexpr std::array<ArrayField, 2> kKeyAssignFields{{
    {255, {"PF1", "PF1"}},
    {10, {"PF2", "PF2"}},
}};

// ScanInfo(k), in ScanSetting's order.
inline constexpr std::array<ArrayField, 7> kScanInfoFields{{
    {0, {"Priority", "优先"}},
    {255, {"Priority Channel", "优先信道"}},
    {31, {"Look Back Time A[s]", "回扫时间A[秒]"}},
    {51, {"Look Back Time B[s]", "回扫时间B[秒]"}},
    {1, {"Revert Channel", "返回信道"}},
    {3, {"Dropout Delay Time[s]", "扫描接收恢复延迟时间[秒]"}},
    {3, {"TX Dwell Time[s]", "扫描发射恢复延迟时间[秒]"}},
}};

static_assert(kKeyAssignFields.size() == std::tuple_size_v<decltype(RadioConfig::KeyAssign)>);
static_assert(kScanInfoFields.size() == std::tuple_size_v<decltype(RadioConfig::ScanInfo)>);

template <std::size_t N>
constexpr std::array<Integer, N> DefaultsOf(const std::array<ArrayField, N>& fields) {
  std::array<Integer, N> out{};
  for (std::size_t i = 0; i < N; ++i) out[i] = fields[i].byDefault;
  return out;
}

// ---- the record -----------------------------------------------------------------------------

// A part of the record: a field, an array, a block or a list, in the file's order.
template <class Member>
struct RecordPart {
  const char* name;
  Member RadioConfig::*member;
  Bilingual label;  // the difference listing's name of the part or of a list's row
  bool compared;    // by the document-modified test; the others are bookkeeping
  int imageAt;      // where the radio keeps it, for a part the packer moves whole; else kNoImage
};

template <class Member>
constexpr RecordPart<Member> Part(const char* name, Member RadioConfig::*member,
                                  Bilingual label = {}, bool compared = true,
                                  int imageAt = kNoImage) {
  return {name, member, label, compared, imageAt};
}

inline constexpr auto kRecordParts = std::tuple{
    Part("Version", &RadioConfig::Version, {"Version", "版本"}, false),
    Part("CurGroup", &RadioConfig::CurGroup, {"Current group", "当前组"}, false),
    Part("ChCount", &RadioConfig::ChCount),
    Part("Ch", &RadioConfig::Ch),
    Part("ModelInfo", &RadioConfig::ModelInfo, {"Model Information", "机型信息"}),
    Part("OptFeat", &RadioConfig::OptFeat, {"Option", "选项"}),
    Part("KeyAssign", &RadioConfig::KeyAssign),
    Part("ScanInfo", &RadioConfig::ScanInfo),
    Part("Dtmf", &RadioConfig::Dtmf),
    Part("Fleet", &RadioConfig::Fleet),
    Part("AutodialCount", &RadioConfig::AutodialCount),
    Part("Autodial", &RadioConfig::Autodial, {"Autodial Memory %1", "自动拨号存储器 %1"}),
    Part("TestFreCount", &RadioConfig::TestFreCount),
    Part("TestFre", &RadioConfig::TestFre, {"Test frequency %1", "测试频率 %1"}),
    Part("EmbMsg1", &RadioConfig::EmbMsg1, {"Message 1", "信息 1"}, true, 0x1DA0),
    Part("EmbMsg2", &RadioConfig::EmbMsg2, {"Message 2", "信息 2"}, true, 0x1DC0),
    Part("FleetListCount", &RadioConfig::FleetListCount),
    Part("FleetList", &RadioConfig::FleetList, {"Fleet List %1 %2", "队列表 %1 %2"}),
};

// The label of a block's field or of a part, by its member.
template <class Table, class Member>
constexpr const Bilingual& LabelIn(const Table& table, Member member) {
  // Found by a flag, not by a null test: a sanitizer build cannot fold a comparison of a
  // constant's address with null, and the label must be a constant.
  const Bilingual* out = nullptr;
  bool found = false;
  ForEachField(table, [&](const auto& field) {
    if constexpr (std::is_same_v<decltype(field.member), Member>)
      if (field.member == member) {
        out = &field.label;
        found = true;
      }
  });
  return found ? *out : throw "not a field of the table";
}
template <FieldTable R, class M>
constexpr const Bilingual& LabelOf(M R::*member) {
  return LabelIn(FieldsOf<R>(), member);
}
template <class M>
constexpr const Bilingual& LabelOf(M RadioConfig::*member) {
  return LabelIn(kRecordParts, member);
}

// Where the radio's memory holds a block's field (kNoImage: nowhere).
template <FieldTable R, class M>
constexpr int ImageAtOf(M R::*member) {
  int out = kNoImage;
  ForEachField(FieldsOf<R>(), [&](const auto& field) {
    if constexpr (std::is_same_v<decltype(field.member), M R::*>)
      if (field.member == member) out = field.imageAt;
  });
  return out;
}

// Where the radio keeps a part the packer moves whole.
template <class M>
constexpr int ImageAtOf(M RadioConfig::*member) {
  int out = kNoImage;
  ForEachField(kRecordParts, [&](const auto& part) {
    if constexpr (std::is_same_v<decltype(part.member), M RadioConfig::*>)
      if (part.member == member) out = part.imageAt;
  });
  return out;
}

// Whether a part of the given name is bookkeeping rather than content.
constexpr bool IsBookkeeping(std::string_view name) {
  bool out = false;
  ForEachField(kRecordParts, [&](const auto& part) { out |= !part.compared && name == part.name; });
  return out;
}

// ---- how values are shown -------------------------------------------------------------------

inline constexpr Bilingual kOnWord{"On", "开"};
inline constexpr Bilingual kOffWord{"Off", "关"};
inline constexpr Bilingual kNoneWord{"None", "无"};

}  // namespace kr4100
