// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/record_json.h"

#include <type_traits>

#include "core/config/data_file_layout.h"

namespace kr4100 {
namespace {

// Each stored byte becomes the character of the same number, so NUL dumps as \u0000 and a byte
// from 0x80 up as \u0080..\u00ff: the dump shows exactly what the file holds.
template <std::size_t N>
std::string BytesAsText(const FixedText<N>& text) {
  std::string utf8;
  for (const char c : text.raw()) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      utf8 += static_cast<char>(b);
    } else {
      utf8 += static_cast<char>(0xC0 | (b >> 6));
      utf8 += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return utf8;
}

struct ToJson {
  nlohmann::ordered_json& out;
  void operator()(const char* name, const Integer& v) { out[name] = v; }
  void operator()(const char* name, const Long& v) { out[name] = v; }
  template <std::size_t N>
  void operator()(const char* name, const FixedText<N>& t) {
    out[name] = BytesAsText(t);
  }
};

// A part as the dump shows it: a field as its value, an array as a JSON array, a block or an
// entry as an object of its fields.
template <class T>
nlohmann::ordered_json PartJson(const T& v) {
  if constexpr (requires { v.raw(); }) {
    return BytesAsText(v);
  } else if constexpr (requires {
                         v.size();
                         v[0];
                       }) {
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const auto& e : v) out.push_back(PartJson(e));
    return out;
  } else if constexpr (std::is_arithmetic_v<T>) {
    return v;
  } else {
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    layout::Fields(v, ToJson{out});
    return out;
  }
}

}  // namespace

nlohmann::ordered_json RecordToJson(const RadioConfig& r) {
  nlohmann::ordered_json j;
  ForEachField(kRecordParts, [&](const auto& part) { j[part.name] = PartJson(r.*part.member); });
  return j;
}

}  // namespace kr4100
