// SPDX-License-Identifier: GPL-3.0-or-later
// A text in both interface languages. Texts are UTF-8; the GUI converts them at its edge.
#pragma once

namespace kr4100 {

// Interface language index as the settings file stores it.
enum Language : int { kEnglish = 1, kChinese = 2 };

struct Bilingual {
  const char* en;
  const char* zh;
  // Any value but kChinese picks English, so a bad setting can never index past the table.
  const char* in(int language) const { return language == kChinese ? zh : en; }
};

}  // namespace kr4100
