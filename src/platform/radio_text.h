// Texts the radio keeps (dealer names, dates, descriptions) as the program shows them.
#pragma once

#include <QString>
#include <string_view>

namespace kr4100 {

// The radio's texts are the ANSI bytes of a Chinese system (GBK); decoded as GB18030, which
// contains it. A character cut off at the end of its field is dropped rather than shown garbled.
QString FromRadioText(std::string_view bytes);

}  // namespace kr4100
