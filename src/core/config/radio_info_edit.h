// SPDX-License-Identifier: GPL-3.0-or-later
// The radio-information windows' rules: which model codes and bands their lists offer, what they
// show of ModelInfo, how the set window's values go back into it, the version box's "V" rule and
// the key rule of both text boxes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/radio_config.h"

namespace kr4100 {

inline constexpr std::size_t kProgDateBoxLength = 8;
inline constexpr std::size_t kSoftVerBoxLength = 5;
inline constexpr Integer kStoredSeriesChar = 67;  // "C"

// Model codes the list offers: the other radio families' codes, then this radio's, then the
// record's own model name when it is none of them (so that it can be shown and stored back).
std::vector<std::string> RadioInfoModelItems(std::string_view ownModelName);

// Bands offered for a model text, in list order. A model without a table of its own gets this
// radio's two bands, so that the document's band can always be shown and kept.
std::vector<std::string> RadioInfoBandItems(std::string_view modelText);

// What the windows show of ModelInfo.
struct RadioInfoView {
  std::string model;  // the whole trimmed model name: cutting it would corrupt the next store
  std::vector<std::string> modelItems;
  std::string band;   // selected; at the head of bandItems when the model's list lacks it
  std::vector<std::string> bandItems;
  std::string date;
  std::string version;
};
RadioInfoView ShowRadioInfo(const ModelInfo& info);

// The set window's values as its controls hold them.
struct RadioInfoInput {
  std::string model;
  std::string band;
  std::string date;
  std::string version;
};
// Writes the values into ModelInfo in their stored forms (text, one NUL, blanks, cut to the
// field), the band as its code and SeriesChar as "C". What ShowRadioInfo gave of a record in
// those forms stores back byte for byte.
void StoreRadioInfo(ModelInfo& info, const RadioInfoInput& input);

// The version box when it loses the focus: empty becomes "V", anything else not beginning with
// "V" gets one put in front and is cut to the box's length.
std::string VersionWithPrefix(std::string_view text, std::size_t maxLength = kSoftVerBoxLength);

// Typed characters the two text boxes refuse: NUL and everything beyond ASCII.
bool RadioInfoKeyRefused(char32_t code);

}  // namespace kr4100
