// SPDX-License-Identifier: GPL-3.0-or-later
// The two message texts the radio keeps (EmbMsg1, EmbMsg2): what their window shows and the rule
// by which a typed text becomes the 32 stored characters.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/config/fixed_text.h"
#include "core/config/radio_config.h"
#include "core/config/record_fields_blocks.h"
#include "core/texts/bilingual.h"

namespace kr4100 {

inline constexpr int kEmbMsgLength = 32;
using EmbMsgText = FixedText<kEmbMsgLength>;

inline constexpr Bilingual kEmbMsgCaption{"Embedded Message", "嵌入信息"};
// The boxes' labels and the printed sheet's row names.
inline constexpr std::array<Bilingual, 2> kEmbMsgLabels{
    {LabelOf(&RadioConfig::EmbMsg1), LabelOf(&RadioConfig::EmbMsg2)}};

// Message k (0: EmbMsg1, 1: EmbMsg2) of a record.
EmbMsgText& EmbMsgOf(RadioConfig& record, int k);
const EmbMsgText& EmbMsgOf(const RadioConfig& record, int k);

// What a text box shows: the stored characters up to the first NUL, blanks kept, so that showing
// a message and storing it again gives back the same characters.
std::string EmbMsgShownText(const EmbMsgText& stored);

// The stored form of a typed text: shorter than 32 characters it is the text, one NUL and blanks;
// otherwise its first 32 characters without a NUL.
EmbMsgText EmbMsgStoredForm(std::string_view text);

// Stores a box's text. A text equal to what the box was shown leaves the field as it is, so that
// merely passing through a box never changes a message read from a file or the radio (whatever
// followed its NUL there). True when the field changed.
bool StoreEmbMsg(EmbMsgText& field, std::string_view text);

// Whether a character may be typed into a message box: 7-bit characters only (a message that
// came from a radio may hold Chinese ones), and Ctrl+C, Ctrl+V and Ctrl+X (3, 22, 24) never
// become text.
bool IsEmbMsgCharacter(char32_t code);

}  // namespace kr4100
