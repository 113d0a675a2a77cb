// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/texts/accessible_texts.h"

namespace kr4100 {
namespace {

constexpr Bilingual kEmptyCell{"empty", "空"};
constexpr Bilingual kChannelWord{"channel", "信道"};

}  // namespace

std::string AccessibleCellText(std::string_view heading, std::string_view value, int channel,
                               int language) {
  // Chinese readers pause on the full-width comma; English ones on ", ".
  const std::string_view pause = language == kChinese ? "，" : ", ";
  std::string text(heading);
  text += pause;
  text += value.empty() ? std::string_view(kEmptyCell.in(language)) : value;
  if (channel >= 1) {
    text += pause;
    text += kChannelWord.in(language);
    text += ' ';
    text += std::to_string(channel);
  }
  return text;
}

}  // namespace kr4100
