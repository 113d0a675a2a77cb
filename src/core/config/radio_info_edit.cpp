// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/radio_info_edit.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/config/model_band.h"
#include "core/config/numbers.h"

namespace kr4100 {
namespace {

struct BandList {
  std::string_view model;
  std::vector<std::string> bands;
};

const std::array<BandList, 6>& FamilyBands() {
  static const std::array<BandList, 6> kTable{{
      {"611", {"136 - 174 MHz(M)", "136 - 174 MHz(K)"}},
      {"615", {"136 - 174 MHz(M)"}},
      {"616", {"136 - 174 MHz(M)"}},
      {"711", {"450 - 490 MHz(K)", "470 - 512 MHz(K2)", "450 - 490 MHz(M)", "470 - 512 MHz(M2)"}},
      {"715", {"450 - 490 MHz(M)", "400 - 430 MHz(M3)"}},
      {"716",
       {"450 - 490 MHz(M)", "440 - 480 MHz(C)", "400 - 430 MHz(C2)", "370 - 390 MHz(C5)",
        "350 - 370 MHz(C6)"}},
  }};
  return kTable;
}

// The stored form of a text field: the text, one NUL, blanks; cut to the field.
template <std::size_t N>
void StoreText(FixedText<N>& field, std::string_view text) {
  FixedText<N> stored;
  stored.assign(std::string(text) + '\0');
  field = stored;
}

}  // namespace

std::vector<std::string> RadioInfoModelItems(std::string_view ownModelName) {
  std::vector<std::string> items;
  for (const BandList& family : FamilyBands()) items.emplace_back(family.model);
  for (std::string& code : KnownModelCodes()) items.push_back(std::move(code));
  const std::string own(Trim(ownModelName));
  if (std::find(items.begin(), items.end(), own) == items.end()) items.push_back(own);
  return items;
}

std::vector<std::string> RadioInfoBandItems(std::string_view modelText) {
  const std::string_view code = Trim(modelText);
  for (const BandList& family : FamilyBands())
    if (family.model == code) return family.bands;
  return {kBand0Text, kBand1Text};
}

RadioInfoView ShowRadioInfo(const ModelInfo& info) {
  RadioInfoView view;
  view.model = std::string(Trim(info.ModelName.text()));
  view.modelItems = RadioInfoModelItems(view.model);
  view.bandItems = RadioInfoBandItems(view.model);
  view.band = BandTextOf(info.BandType2, view.model);
  if (std::find(view.bandItems.begin(), view.bandItems.end(), view.band) == view.bandItems.end())
    view.bandItems.insert(view.bandItems.begin(), view.band);
  view.date = info.ProgDate.text();
  view.version = info.SoftVer.text();
  return view;
}

void StoreRadioInfo(ModelInfo& info, const RadioInfoInput& input) {
  StoreText(info.ModelName, input.model);
  info.BandType2 = static_cast<Integer>(BandCodeOf(input.band, input.model));
  info.SeriesChar = kStoredSeriesChar;
  StoreText(info.ProgDate, input.date);
  StoreText(info.SoftVer, input.version);
}

std::string VersionWithPrefix(std::string_view text, std::size_t maxLength) {
  if (text.empty()) return "V";
  if (text.front() == 'V') return std::string(text);
  std::string prefixed = "V" + std::string(text);
  if (prefixed.size() > maxLength) prefixed.resize(maxLength);
  return prefixed;
}

bool RadioInfoKeyRefused(char32_t code) { return code < 1 || code > 127; }

}  // namespace kr4100
