// SPDX-License-Identifier: GPL-3.0-or-later
// The one description of how the configuration record lies in a data file: every field in
// declaration order, no gaps, no padding. The codec, the size checks and the dump all walk it.
#pragma once

#include <concepts>
#include <cstddef>
#include <type_traits>

#include "core/config/radio_config.h"
#include "core/config/record_fields.h"
#include "core/config/record_fields_blocks.h"

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

// A block or a list entry: its fields from its table, in the table's (the file's) order.
template <class T, class F>
requires FieldTable<T>
constexpr void Fields(T& e, F&& f) {
  ForEachField(FieldsOf<std::remove_const_t<T>>(),
               [&](const auto& field) { f(field.name, e.*field.member); });
}

// A part of the record: a field as it is, an array element by element (every element under the
// part's name), a block or an entry through its own Fields().
template <class T, class F>
constexpr void PartFields(const char* name, T& v, F&& f) {
  if constexpr (requires {
                  v.size();
                  v[0];
                })
    for (auto& e : v) PartFields(name, e, f);
  else if constexpr (requires { Fields(v, f); })
    Fields(v, f);
  else
    f(name, v);
}

// The record's parts in the table's order. The channel position varies fastest, so slot c of
// group g lies at element (c - 1) + 60 * g.
template <class T, class F>
requires RecordOf<T, RadioConfig>
constexpr void Fields(T& r, F&& f) {
  ForEachField(kRecordParts, [&](const auto& part) { PartFields(part.name, r.*part.member, f); });
}

// Bytes a field takes in the file.
struct FieldSize {
  std::size_t total = 0;
  constexpr void operator()(const char*, const Integer&) { total += 2; }
  constexpr void operator()(const char*, const Long&) { total += 4; }
  template <std::size_t N>
  constexpr void operator()(const char*, const FixedText<N>&) {
    total += N;
  }
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
