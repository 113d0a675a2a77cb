// SPDX-License-Identifier: GPL-3.0-or-later
// Model-type codes and frequency bands: the tables between the texts a user sees and the codes
// the record keeps.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/texts/product.h"

namespace kr4100 {

inline constexpr const char* kBand0Text = "28.000000 - 29.700000 MHz";
inline constexpr const char* kBand1Text = "25.615000 - 30.105000 MHz";
inline constexpr const char* kDefaultModelCode = "HT52";
inline constexpr const char* kDefaultFirmwareVersion = "V600";
inline constexpr const char* kRecordVersionTag = "V600";

int ModelTypeOf(std::string_view modelText);
int BandCodeOf(std::string_view bandText, std::string_view modelText);
std::string BandTextOf(int code, std::string_view modelText);

// Band items the model dialog offers for a model text, in list order (first item preselected).
std::vector<std::string> ModelDialogBandItems(std::string_view modelText);
// Whether a document can have this band: both edges below 100 MHz, the most the record's stored
// frequencies hold. The VHF and UHF items of other models do not fit.
bool BandFitsStoredForm(std::string_view bandText);

// Model codes the model dialog offers as list items.
std::vector<std::string> KnownModelCodes();

// ModelCode text and ModelType value the model dialog's OK sets for a model text; nothing for a
// text it does not know (the record's fields are left as they are).
struct ModelCodeChoice {
  std::string code;
  int type;
};
std::optional<ModelCodeChoice> ModelDialogChoice(std::string_view modelText);

// Number of channels the priority-channel list offers for a model code.
int PriorityChannelCount(std::string_view modelCode);

}  // namespace kr4100
