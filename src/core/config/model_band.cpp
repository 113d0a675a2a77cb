// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/model_band.h"

#include <array>

#include "core/config/conversions.h"
#include "core/config/numbers.h"

namespace kr4100 {

namespace {

constexpr int kModelTypeCommon = 248;

struct ModelEntry {
  std::string_view code;
  int type;
};

// Codes the model dialog knows how to set; "HT52", the default, is left out on purpose: choosing
// it keeps the record's code fields as they are until the new document rewrites them.
constexpr std::array<ModelEntry, 5> kDialogModels{{
    {"HT63", 248},
    {"541", 248},
    {"542", 249},
    {"7731", 252},
    {"7732", 248},
}};

struct PriorityEntry {
  std::string_view code;
  int channels;
};

constexpr int kDefaultPriorityChannels = 40;
constexpr std::array<PriorityEntry, 7> kPriorityChannels{{
    {"HT63", 40},
    {"611", 8},
    {"615", 16},
    {"616", 16},
    {"711", 8},
    {"715", 16},
    {"716", 16},
}};

}  // namespace

int ModelTypeOf(std::string_view modelText) {
  const std::string_view code = Trim(modelText);
  if (code == "542") return 249;
  if (code == "7731") return 252;
  return kModelTypeCommon;
}

int BandCodeOf(std::string_view bandText, std::string_view /*modelText*/) {
  return bandText == kBand1Text ? 1 : 0;
}

std::string BandTextOf(int code, std::string_view modelText) {
  if (code == 1) return kBand1Text;
  // A model whose dialog offers a single band stores it as code 0; reading it back as the
  // KR-4100's own first band would give the document another band than the one it was saved with.
  const std::vector<std::string> bands = ModelDialogBandItems(modelText);
  if (bands.size() == 1 && BandFitsStoredForm(bands.front())) return bands.front();
  return kBand0Text;
}

std::vector<std::string> ModelDialogBandItems(std::string_view modelText) {
  const std::string_view code = Trim(modelText);
  if (code == "HT63") return {"26.51500 - 27.85500 MHz"};
  if (code == "541" || code == "7731") {
    return {"350 - 390 MHz", "400 - 470 MHz", "470 - 512 MHz", "450 - 520 MHz"};
  }
  if (code == "542" || code == "7732") return {"136 - 174 MHz", "245 - 246 MHz"};
  return {};
}

bool BandFitsStoredForm(std::string_view bandText) {
  const BandEdges edges = SetBandEdges(bandText);
  return FitsStoredForm(edges.lower) && FitsStoredForm(edges.upper);
}

std::vector<std::string> KnownModelCodes() {
  return {"HT52", "HT63", "541", "542", "7731", "7732"};
}

std::optional<ModelCodeChoice> ModelDialogChoice(std::string_view modelText) {
  const std::string_view code = Trim(modelText);
  for (const auto& model : kDialogModels) {
    if (model.code == code) return ModelCodeChoice{std::string(model.code), model.type};
  }
  return std::nullopt;
}

int PriorityChannelCount(std::string_view modelCode) {
  const std::string_view code = Trim(modelCode);
  for (const auto& entry : kPriorityChannels) {
    if (entry.code == code) return entry.channels;
  }
  return kDefaultPriorityChannels;
}

}  // namespace kr4100
