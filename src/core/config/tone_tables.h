// SPDX-License-Identifier: GPL-3.0-or-later
// The QT tones and DQT codes a channel's decode and encode lists offer.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace kr4100 {

// The QT tones in Hz as the lists show them, "67.0" .. "254.1".
std::span<const char* const> QtTones();
// The DQT codes as three octal digits, "017" .. "754".
std::span<const char* const> DqtCodes();

// Items of the QT/DQT decode and encode lists, the same in both languages: "OFF", the QT tones,
// each DQT code normal ("D023N"), then each inverted ("D023I").
std::vector<std::string> QtDqtListItems();

}  // namespace kr4100
