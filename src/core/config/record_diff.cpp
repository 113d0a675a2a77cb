// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/record_diff.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <utility>

#include "core/config/channel_attributes.h"
#include "core/config/conversions.h"
#include "core/config/data_file_layout.h"
#include "core/config/dtmf_edit.h"
#include "core/config/embedded_message.h"
#include "core/config/fleet_sync_edit.h"
#include "core/config/key_tables.h"
#include "core/config/model_band.h"
#include "core/config/option_tables.h"
#include "core/config/radio_info_edit.h"
#include "core/config/record_fields.h"
#include "core/config/record_fields_blocks.h"
#include "core/config/scan_tables.h"
#include "core/config/test_fre_edit.h"
#include "core/texts/channel_texts.h"
#include "core/texts/test_fre_texts.h"

namespace kr4100 {
namespace {

constexpr Bilingual kGroupChannel{"Group %1 channel %2", "%1组 信道%2"};
constexpr Bilingual kGroupPlace{"Group %1", "%1组"};
constexpr Bilingual kChannelPresence{"Channel", "信道"};
constexpr Bilingual kChannelInfo{"Channel Information", "信道信息"};
constexpr Bilingual kPresent{"present", "有"};
constexpr Bilingual kAbsent{"absent", "无"};
constexpr Bilingual kDataFile{"Data file", "数据文件"};
constexpr Bilingual kRecord{"Stored record", "存储记录"};
constexpr Bilingual kEmpty{"(empty)", "（空）"};

std::string Fill(std::string_view pattern, std::string_view one, std::string_view two = {}) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() &&
        (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
      out += pattern[i + 1] == '1' ? one : two;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

// "Scan Resume Time[s]" names its field "Scan Resume Time"; the value carries no unit anyway.
std::string WithoutUnit(std::string caption) {
  if (!caption.empty() && caption.back() == ']') {
    const auto open = caption.rfind('[');
    if (open != std::string::npos && open > 0) caption.erase(open);
  }
  return caption;
}

// The side of a record every window reads beside the record itself: its model and band.
struct Side {
  const RadioConfig& r;
  std::string modelText;
  BandEdges edges;
  explicit Side(const RadioConfig& record) : r(record) {
    const std::string_view raw = record.ModelInfo.ModelCode.raw();
    modelText = std::string(raw.substr(0, raw.find('\0')));
    const auto last = modelText.find_last_not_of(' ');
    modelText.erase(last == std::string::npos ? 0 : last + 1);
    edges = SetBandEdges(BandTextOf(record.ModelInfo.BandType, modelText));
  }
};

class Differ {
 public:
  Differ(const RadioConfig& a, const RadioConfig& b, int language, bool storedFallback)
      : a_(a), b_(b), language_(language), storedFallback_(storedFallback) {}

  std::vector<FieldDifference> run() {
    channels();
    options();
    keys();
    scan();
    dtmf();
    fleetSync();
    testFrequencies();
    messages();
    modelInfo();
    if (storedFallback_ && out_.empty() && !(a_.r == b_.r)) storedFields();
    return std::move(out_);
  }

 private:
  Side a_;
  Side b_;
  int language_;
  bool storedFallback_;
  std::vector<FieldDifference> out_;

  std::string in(const Bilingual& text) const { return text.in(language_); }

  void add(std::string place, std::string name, std::string va, std::string vb, bool section) {
    if (va == vb) return;
    if (va.empty()) va = in(kEmpty);
    if (vb.empty()) vb = in(kEmpty);
    out_.push_back({std::move(place), std::move(name), std::move(va), std::move(vb), section});
  }

  template <class Show>
  void field(const std::string& place, const std::string& name, bool section, Show&& show) {
    add(place, name, show(a_), show(b_), section);
  }

  // A stored frequency as the grid shows it; a text that is no frequency shows as stored.
  static std::string Frequency(const Side& s, std::string_view stored) {
    bool bad = false;
    std::string shown = FreToText(stored, s.edges, [&](MessageId) { bad = true; });
    if (!bad) return shown;
    std::string text(stored);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return "\"" + text + "\"";
  }

  std::string onOff(bool on) const { return in(on ? kOnWord : kOffWord); }

  // A channel field as the grid shows it; a sub code as its number.
  std::string channelText(const Side& s, const ChannelField& f, const ChInfo& c) const {
    if (f.text) return Frequency(s, (c.*f.text).raw());
    const int value = c.*f.number;
    const ChannelAttribute* attribute = AttributeOfField(f);
    const Bilingual* word = attribute ? WordOfValue(*attribute, value) : nullptr;
    return word ? in(*word) : std::to_string(value);
  }

  void channels() {
    for (int g = 0; g < kGroupCount; ++g) {
      const char* letter = kGroupLetters[static_cast<std::size_t>(g)];
      for (int n = 1; n <= kChannelsPerGroup; ++n) {
        const ChInfo* ca = a_.r.findChannel(g, n);
        const ChInfo* cb = b_.r.findChannel(g, n);
        if (ca == nullptr && cb == nullptr) continue;
        const std::string place = Fill(in(kGroupChannel), letter, std::to_string(n));
        if (ca == nullptr || cb == nullptr) {
          add(place, in(kChannelPresence), in(ca ? kPresent : kAbsent), in(cb ? kPresent : kAbsent),
              false);
          continue;
        }
        // The number and the slot's bookkeeping are the place, not a difference.
        for (const ChannelField* f : kChannelFieldsShown)
          if (f->label)
            add(place, in(*f->label), channelText(a_, *f, *ca), channelText(b_, *f, *cb), false);
      }
    }
    for (int g = 0; g < kGroupCount; ++g) {
      const auto k = static_cast<std::size_t>(kEmgCh0 + g);
      add(Fill(in(kGroupPlace), kGroupLetters[static_cast<std::size_t>(g)]), in(kEmergencyChannel),
          std::to_string(a_.r.OptFeat[k] + 1), std::to_string(b_.r.OptFeat[k] + 1), false);
    }
    field(in(kChannelInfo), in(LabelOf(&RadioConfig::CurGroup)), true, [](const Side& s) {
      const int g = s.r.CurGroup;
      return g >= 0 && g < kGroupCount ? std::string(kGroupLetters[static_cast<std::size_t>(g)])
                                       : std::to_string(g);
    });
  }

  void options() {
    for (int f = 0; f < kOptFeatCount; ++f) {
      if (f >= kEmgCh0 && f < kEmgCh0 + kGroupCount) continue;  // with the channels
      const auto k = static_cast<std::size_t>(f);
      if (a_.r.OptFeat[k] == b_.r.OptFeat[k]) continue;
      if (const OptionList* list = OptionListOfField(f)) {
        field(in(LabelOf(&RadioConfig::OptFeat)), WithoutUnit(in(list->caption)), true,
              [&](const Side& s) {
                return ItemTextOfStored(list->items, s.r.OptFeat[k], language_)
                    .value_or(std::to_string(s.r.OptFeat[k]));
              });
      } else if (const OptionCheck* check = OptionCheckOfField(f)) {
        field(in(LabelOf(&RadioConfig::OptFeat)), in(check->caption), true,
              [&](const Side& s) { return onOff(CheckedOfStored(*check, s.r.OptFeat[k])); });
      } else {
        field(in(LabelOf(&RadioConfig::OptFeat)), "OptFeat(" + std::to_string(f) + ")", true,
              [&](const Side& s) { return std::to_string(s.r.OptFeat[k]); });
      }
    }
  }

  void keys() {
    for (std::size_t i = 0; i < kKeyLabels.size(); ++i)
      field(in(kKeyAssignCaption), in(kKeyLabels[i]), true,
            [&](const Side& s) { return KeyShownText(s.r.KeyAssign[i], language_); });
  }

  void scan() {
    for (int k = 0; k < kScanSettingCount; ++k) {
      const auto setting = static_cast<ScanSetting>(k);
      field(in(kScanInfoCaption), in(ScanCaption(setting)), true, [&](const Side& s) {
        const int stored = s.r.ScanInfo[static_cast<std::size_t>(k)];
        const ScanListContext context = ScanListContextOf(s.r, s.modelText);
        const auto items = ScanItemTexts(setting, context, language_);
        const auto at = ItemIndexOfStored(setting, stored, context);
        return at && *at >= 0 && static_cast<std::size_t>(*at) < items.size()
                   ? items[static_cast<std::size_t>(*at)]
                   : std::to_string(stored);
      });
    }
  }

  void dtmf() {
    const std::string place = in(kDtmfCaption);
    for (int k = 1; k <= kDtmfFieldCount; ++k) {
      const auto f = static_cast<DtmfField>(k);
      field(place, in(DtmfCaption(f)), true, [&](const Side& s) -> std::string {
        const DtmfSettings& d = s.r.Dtmf;
        switch (ControlOf(f)) {
          case DtmfControl::CheckBox:
            return onOff(DtmfChecked(d, f));
          case DtmfControl::TextBox:
            return f == DtmfField::IdCode ? IdCodeShownText(d) : StunCodeShownText(d);
          case DtmfControl::List: {
            const auto items = DtmfItemTexts(f, language_);
            const auto at = DtmfItemIndexOfStored(d, f);
            if (at && *at >= 0 && static_cast<std::size_t>(*at) < items.size())
              return items[static_cast<std::size_t>(*at)];
            return std::to_string(DtmfStoredNumber(d, f));
          }
        }
        return {};
      });
    }
    const auto rowsA = AutodialRowTexts(a_.r);
    const auto rowsB = AutodialRowTexts(b_.r);
    for (std::size_t row = 0; row < rowsA.size(); ++row)
      add(place, Fill(in(LabelOf(&RadioConfig::Autodial)), std::to_string(row + 1)), rowsA[row],
          rowsB[row], true);
  }

  static const FleetListEntry* FleetRow(const RadioConfig& r, int row) {
    const int count = std::clamp<int>(r.FleetListCount, 0, kFleetListSlots);
    for (int i = 0; i < count; ++i)
      if (r.FleetList[static_cast<std::size_t>(i)].Row == row)
        return &r.FleetList[static_cast<std::size_t>(i)];
    return nullptr;
  }

  void fleetSync() {
    const std::string place = in(kFleetSyncCaption);
    const auto label = [&](FleetSyncList list) {
      return in(kFleetSyncLabels[static_cast<std::size_t>(list)]);
    };
    field(place, label(FleetSyncList::OwnFleet), true, [](const Side& s) {
      const int shown = ShownOwnLists(s.r.Fleet).fleet;
      return shown > 0 ? std::to_string(shown + kFleetFirst - 1) : std::string();
    });
    field(place, label(FleetSyncList::OwnId), true, [](const Side& s) {
      const int shown = ShownOwnLists(s.r.Fleet).id;
      return shown > 0 ? std::to_string(shown + kIdFirst - 1) : std::string();
    });
    const std::pair<FleetSyncList, Long FleetSyncSettings::*> lists[] = {
        {FleetSyncList::ModDelay, &FleetSyncSettings::DataTxModDelay},
        {FleetSyncList::MsgTimer, &FleetSyncSettings::MsgModeTimer}};
    field(place, label(FleetSyncList::BaudRate), true, [&](const Side& s) {
      return ItemTextOfStored(FleetSyncItems(FleetSyncList::BaudRate), s.r.Fleet.BaudRate,
                              language_)
          .value_or(std::to_string(s.r.Fleet.BaudRate));
    });
    for (const auto& [list, member] : lists) {
      field(place, label(list), true, [&, list = list, member = member](const Side& s) {
        const Long stored = s.r.Fleet.*member;
        return ItemTextOfStored(FleetSyncItems(list), static_cast<int>(stored), language_)
            .value_or(std::to_string(stored));
      });
    }
    field(place, in(kPttIdSideToneText), true,
          [&](const Side& s) { return onOff(s.r.Fleet.PttIdSideTone != 0); });
    for (int row = 1; row <= kFleetListSlots; ++row) {
      const FleetListEntry* ea = FleetRow(a_.r, row);
      const FleetListEntry* eb = FleetRow(b_.r, row);
      const auto cell = [&](const FleetListEntry* e, FleetColumn column) {
        if (e == nullptr) return std::string();
        return column == FleetColumn::Fleet
                   ? FleetCellText(e->Fleet, column, language_)
                   : FleetCellText(static_cast<Integer>(e->Id), column, language_);
      };
      for (const FleetColumn column : {FleetColumn::Fleet, FleetColumn::Id})
        add(place,
            Fill(in(LabelOf(&RadioConfig::FleetList)), std::to_string(row),
                 in(kFleetGridHeadings[static_cast<std::size_t>(column)])),
            cell(ea, column), cell(eb, column), true);
    }
  }

  void testFrequencies() {
    for (int row = 1; row <= kTestFreRows; ++row) {
      const std::string place = Fill(in(LabelOf(&RadioConfig::TestFre)), std::to_string(row));
      for (const bool transmit : {false, true}) {
        field(place, in(kTestFreHeadings[transmit ? 2 : 1]), false, [&](const Side& s) {
          const int i = FindTestFreEntry(s.r, row);
          if (i < 0) return std::string();
          const TestFreEntry& e = s.r.TestFre[static_cast<std::size_t>(i)];
          return Frequency(s, transmit ? e.TxFre.raw() : e.RxFre.raw());
        });
      }
    }
  }

  void messages() {
    field(in(kEmbMsgCaption), in(LabelOf(&RadioConfig::EmbMsg1)), true,
          [](const Side& s) { return EmbMsgShownText(s.r.EmbMsg1); });
    field(in(kEmbMsgCaption), in(LabelOf(&RadioConfig::EmbMsg2)), true,
          [](const Side& s) { return EmbMsgShownText(s.r.EmbMsg2); });
  }

  void modelInfo() {
    const std::string place = in(LabelOf(&RadioConfig::ModelInfo));
    field(place, in(LabelOf(&ModelInfo::ModelCode)), true,
          [](const Side& s) { return s.modelText; });
    field(place, in(LabelOf(&ModelInfo::ModelName)), true,
          [](const Side& s) { return ShowRadioInfo(s.r.ModelInfo).model; });
    field(place, in(LabelOf(&ModelInfo::BandType2)), true,
          [](const Side& s) { return ShowRadioInfo(s.r.ModelInfo).band; });
    field(place, in(LabelOf(&ModelInfo::ProgDate)), true,
          [](const Side& s) { return ShowRadioInfo(s.r.ModelInfo).date; });
    field(place, in(LabelOf(&ModelInfo::SoftVer)), true,
          [](const Side& s) { return ShowRadioInfo(s.r.ModelInfo).version; });
    field(in(kDataFile), in(LabelOf(&RadioConfig::Version)), true,
          [](const Side& s) { return s.r.Version.text(); });
  }

  // What no window shows: each stored field, numbered among the fields of its name.
  static std::vector<std::pair<std::string, std::string>> Stored(const RadioConfig& r) {
    std::vector<std::pair<std::string, std::string>> out;
    std::map<std::string, int> seen;
    layout::Fields(r, [&](const char* name, const auto& v) {
      const int n = ++seen[name];
      std::string value;
      if constexpr (requires { v.raw(); }) {
        for (const char c : v.raw())
          value += static_cast<unsigned char>(c) < 0x20 || c == 0x7F
                       ? "0x" + ByteHex(static_cast<std::uint8_t>(c))
                       : std::string(1, c);
      } else {
        value = std::to_string(v);
      }
      out.emplace_back(std::string(name) + "(" + std::to_string(n) + ")", std::move(value));
    });
    return out;
  }

  void storedFields() {
    const auto fa = Stored(a_.r);
    const auto fb = Stored(b_.r);
    for (std::size_t i = 0; i < fa.size() && i < fb.size(); ++i)
      add(in(kRecord), fa[i].first, fa[i].second, fb[i].second, true);
  }
};

}  // namespace

std::vector<FieldDifference> DiffRecords(const RadioConfig& a, const RadioConfig& b, int language) {
  return Differ(a, b, language, true).run();
}

std::vector<FieldDifference> DiffShownFields(const RadioConfig& a, const RadioConfig& b,
                                             int language) {
  return Differ(a, b, language, false).run();
}

std::string DifferenceTitle(const FieldDifference& d, int language) {
  if (d.place.empty()) return d.name;
  if (d.section) return d.place + (language == kChinese ? "：" : ": ") + d.name;
  return d.place + " " + d.name;
}

std::string DifferenceLine(const FieldDifference& d, int language) {
  return DifferenceTitle(d, language) + (language == kChinese ? "：" : ": ") + d.a + " -> " + d.b;
}

}  // namespace kr4100
