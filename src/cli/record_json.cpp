#include "cli/record_json.h"

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
  void operator()(const char* name, const FixedText<N>& t) { out[name] = BytesAsText(t); }
};

template <class Record>
nlohmann::ordered_json Object(const Record& record) {
  nlohmann::ordered_json out = nlohmann::ordered_json::object();
  layout::Fields(record, ToJson{out});
  return out;
}

template <class Array>
nlohmann::ordered_json Numbers(const Array& values) {
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (const auto v : values) out.push_back(v);
  return out;
}

template <class Array>
nlohmann::ordered_json Objects(const Array& records) {
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (const auto& r : records) out.push_back(Object(r));
  return out;
}

}  // namespace

nlohmann::ordered_json RecordToJson(const RadioConfig& r) {
  nlohmann::ordered_json j;
  j["Version"] = BytesAsText(r.Version);
  j["CurGroup"] = r.CurGroup;
  j["ChCount"] = Numbers(r.ChCount);
  nlohmann::ordered_json groups = nlohmann::ordered_json::array();
  for (const auto& group : r.Ch) groups.push_back(Objects(group));
  j["Ch"] = std::move(groups);
  j["ModelInfo"] = Object(r.ModelInfo);
  j["OptFeat"] = Numbers(r.OptFeat);
  j["KeyAssign"] = Numbers(r.KeyAssign);
  j["ScanInfo"] = Numbers(r.ScanInfo);
  j["Dtmf"] = Object(r.Dtmf);
  j["Fleet"] = Object(r.Fleet);
  j["AutodialCount"] = r.AutodialCount;
  j["Autodial"] = Objects(r.Autodial);
  j["TestFreCount"] = r.TestFreCount;
  j["TestFre"] = Objects(r.TestFre);
  j["EmbMsg1"] = BytesAsText(r.EmbMsg1);
  j["EmbMsg2"] = BytesAsText(r.EmbMsg2);
  j["FleetListCount"] = r.FleetListCount;
  j["FleetList"] = Objects(r.FleetList);
  return j;
}

}  // namespace kr4100
