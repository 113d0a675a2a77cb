// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' sizes are kept in twips, as the settings store and the layouts have them.
#pragma once

namespace kr4100 {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

}  // namespace kr4100
