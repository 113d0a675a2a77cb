// The one description of how the configuration record lies in a data file: every field in
// declaration order, no gaps, no padding. The codec, the size checks and the dump all walk it.
#pragma once

#include <concepts>
#include <cstddef>
#include <type_traits>

#include "core/config/radio_config.h"
#include "core/config/record_fields.h"

namespace kr4100::layout {

template <class T, class U>
concept RecordOf = std::same_as<std::remove_const_t<T>, U>;

// Each Fields() calls f(name, field) for every field in file order; a field is an Integer, a Long
// or a FixedText<N>. Nested records are walked through their own Fields().
// A channel's fields come from the channel field table, in its (the file's) order.
template <class T, class F>
  requires RecordOf<T, ChInfo>
constexpr void Fields(T& e, F&& f) {
  for (const ChannelField& field : kChannelFields) {
    if (field.text)
      f(field.name, e.*field.text);
    else
      f(field.name, e.*field.number);
  }
}

template <class T, class F>
  requires RecordOf<T, ModelInfo>
constexpr void Fields(T& m, F&& f) {
  f("ModelCode", m.ModelCode);
  f("ModelType", m.ModelType);
  f("BandType", m.BandType);
  f("ProgDate", m.ProgDate);
  f("SoftVer", m.SoftVer);
  f("ModelName", m.ModelName);
  f("BandType2", m.BandType2);
  f("SeriesChar", m.SeriesChar);
}

template <class T, class F>
  requires RecordOf<T, DtmfSettings>
constexpr void Fields(T& d, F&& f) {
  f("DtmfSpeed", d.DtmfSpeed);
  f("FirstDigitTime", d.FirstDigitTime);
  f("FirstDigitDelay", d.FirstDigitDelay);
  f("StarHashTime", d.StarHashTime);
  f("DCodeAssign", d.DCodeAssign);
  f("DtmfSideTone", d.DtmfSideTone);
  f("IdCode", d.IdCode);
  f("GroupCode", d.GroupCode);
  f("AutoResetTimer", d.AutoResetTimer);
  f("CallAlert", d.CallAlert);
  f("Transpond", d.Transpond);
  f("ClearToTranspond", d.ClearToTranspond);
  f("StunCode", d.StunCode);
  f("StunType", d.StunType);
}

template <class T, class F>
  requires RecordOf<T, FleetSyncSettings>
constexpr void Fields(T& s, F&& f) {
  f("OwnFleet", s.OwnFleet);
  f("OwnId", s.OwnId);
  f("BaudRate", s.BaudRate);
  f("DataTxModDelay", s.DataTxModDelay);
  f("MsgModeTimer", s.MsgModeTimer);
  f("PttIdSideTone", s.PttIdSideTone);
}

template <class T, class F>
  requires RecordOf<T, AutodialEntry>
constexpr void Fields(T& a, F&& f) {
  f("Row", a.Row);
  f("Digits", a.Digits);
}

template <class T, class F>
  requires RecordOf<T, TestFreEntry>
constexpr void Fields(T& t, F&& f) {
  f("No", t.No);
  f("RxFre", t.RxFre);
  f("TxFre", t.TxFre);
  f("RxMark", t.RxMark);
  f("TxMark", t.TxMark);
}

template <class T, class F>
  requires RecordOf<T, FleetListEntry>
constexpr void Fields(T& e, F&& f) {
  f("Row", e.Row);
  f("Fleet", e.Fleet);
  f("Id", e.Id);
}

// The top level walks arrays element by element; the channel position varies fastest, so slot c
// of group g lies at element (c - 1) + 60 * g.
template <class T, class F>
  requires RecordOf<T, RadioConfig>
constexpr void Fields(T& r, F&& f) {
  f("Version", r.Version);
  f("CurGroup", r.CurGroup);
  for (auto& n : r.ChCount) f("ChCount", n);
  for (auto& group : r.Ch)
    for (auto& e : group) Fields(e, f);
  Fields(r.ModelInfo, f);
  for (auto& v : r.OptFeat) f("OptFeat", v);
  for (auto& v : r.KeyAssign) f("KeyAssign", v);
  for (auto& v : r.ScanInfo) f("ScanInfo", v);
  Fields(r.Dtmf, f);
  Fields(r.Fleet, f);
  f("AutodialCount", r.AutodialCount);
  for (auto& e : r.Autodial) Fields(e, f);
  f("TestFreCount", r.TestFreCount);
  for (auto& e : r.TestFre) Fields(e, f);
  f("EmbMsg1", r.EmbMsg1);
  f("EmbMsg2", r.EmbMsg2);
  f("FleetListCount", r.FleetListCount);
  for (auto& e : r.FleetList) Fields(e, f);
}

// Bytes a field takes in the file.
struct FieldSize {
  std::size_t total = 0;
  constexpr void operator()(const char*, const Integer&) { total += 2; }
  constexpr void operator()(const char*, const Long&) { total += 4; }
  template <std::size_t N>
  constexpr void operator()(const char*, const FixedText<N>&) { total += N; }
};

template <class T>
constexpr std::size_t WireSize() {
  T record{};
  FieldSize size;
  Fields(static_cast<const T&>(record), size);
  return size.total;
}

inline constexpr std::size_t kDataFileSize = 14531;

static_assert(WireSize<ChInfo>() == 38);
static_assert(WireSize<ModelInfo>() == 33);
static_assert(WireSize<DtmfSettings>() == 44);
static_assert(WireSize<FleetSyncSettings>() == 18);
static_assert(WireSize<AutodialEntry>() == 18);
static_assert(WireSize<TestFreEntry>() == 22);
static_assert(WireSize<FleetListEntry>() == 8);
static_assert(WireSize<RadioConfig>() == kDataFileSize);

// Offsets of the blocks, for readers that look at a file without decoding it.
inline constexpr std::size_t kChannelTableOffset = 18;
constexpr std::size_t ChannelEntryOffset(int c, int g) {
  return kChannelTableOffset + 38 * static_cast<std::size_t>((c - 1) + kChannelsPerGroup * g);
}
inline constexpr std::size_t kModelInfoOffset = 13698;
static_assert(ChannelEntryOffset(1, kGroupCount) == kModelInfoOffset);

}  // namespace kr4100::layout
