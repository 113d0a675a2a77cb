// SPDX-License-Identifier: GPL-3.0-or-later
// Texts the radio keeps (dealer names, dates, descriptions, messages) as the program shows them,
// and back.
#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

namespace kr4100 {

// The radio's texts are the ANSI bytes of a Chinese system (GBK); decoded as GB18030, which
// contains it. A character cut off at the end of its field is dropped rather than shown garbled.
QString FromRadioText(std::string_view bytes);

// The bytes of a text as the radio keeps it, the same encoding back: at most maxBytes of them,
// whole characters only, so that a field never ends in half a character.
std::string ToRadioText(const QString& text, std::size_t maxBytes);

}  // namespace kr4100
