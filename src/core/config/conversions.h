// SPDX-License-Identifier: GPL-3.0-or-later
// Frequency forms and small shared helpers: display text "28.015000" (MHz, six decimals), stored
// text "28015000" (eight characters of the record), the band-edge check and 10 Hz snapping.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/texts/messages.h"

namespace kr4100 {

// The document's band, in MHz.
struct BandEdges {
  double lower = 28.0;
  double upper = 29.7;
  friend bool operator==(const BandEdges&, const BandEdges&) = default;
};

// The stored form holds eight digits of hertz: every frequency it can hold is below 100 MHz.
inline constexpr double kStoredFreLimit = 100.0;
inline bool FitsStoredForm(double mhz) { return mhz < kStoredFreLimit; }

// Where a conversion reports a warning the user must see (the GUI shows a message box).
// An empty sink drops the warning.
using WarningSink = std::function<void(MessageId)>;

// Empty (no frequency) for 100 MHz or more, which the stored form cannot hold.
std::string FreToStore(std::string_view text, const BandEdges& band);
std::string FreToText(std::string_view stored, const BandEdges& band, const WarningSink& warn = {});
double SnapTo10Hz(double f, const BandEdges& band);
// A frequency of 100 MHz or more is out of range whatever the band, and is never clamped into
// an edge the stored form cannot hold: the result is then 0 (no frequency).
double CheckFreRange(double f, bool clamp, const BandEdges& band, const WarningSink& warn);
double FreOutOfRange(bool clamp, const BandEdges& band, const WarningSink& warn);
std::string NormaliseFreText(std::string_view value, bool clamp, const BandEdges& band,
                             const WarningSink& warn);
BandEdges SetBandEdges(std::string_view bandText);

// Text after the last path separator ("\" or "/").
std::string FileNamePart(std::string_view path);
bool SameText(std::string_view a, std::string_view b);
bool SameCode(int a, int b, int mode);
std::string ByteHex(std::uint8_t b);

}  // namespace kr4100
