// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/conversions.h"

#include <cmath>

#include "core/config/numbers.h"

namespace kr4100 {

namespace {

constexpr std::string_view kEmptyChannelFre = "FFFFFFFF";

void Warn(const WarningSink& warn, MessageId id) {
  if (warn) warn(id);
}

// The edge an out-of-range frequency is clamped to, or 0 when it is not clamped or the edge
// itself cannot be stored.
double ClampedTo(double edge, bool clamp) { return clamp && FitsStoredForm(edge) ? edge : 0.0; }

}  // namespace

std::string FreToStore(std::string_view text, const BandEdges& band) {
  const std::string_view trimmed = Trim(text);
  if (trimmed.empty()) return {};

  std::string s = IsNumeric(trimmed) ? std::string(trimmed) : NumberText(band.lower);
  // Cutting the integer part to two digits would store 150 MHz as 15 MHz: a frequency is never
  // stored as another, so one the eight digits cannot hold is no frequency at all.
  if (!FitsStoredForm(ParseNumber(s).value_or(kStoredFreLimit))) return {};
  const auto point = s.find('.');
  if (point == std::string::npos) return s;

  // Two digits before the point, whatever the integer part: the radio's frequencies are below
  // 100 MHz, so a short integer part is padded with zeros and a long one keeps its first two.
  std::size_t digitsBefore = point;
  while (digitsBefore < 2) {
    s.insert(0, 1, '0');
    ++digitsBefore;
  }
  return s.substr(0, 2) + s.substr(digitsBefore + 1);
}

std::string FreToText(std::string_view stored, const BandEdges& band, const WarningSink& warn) {
  const std::string_view s = Trim(stored);
  if (s.empty() || s == kEmptyChannelFre) return {};

  if (IsNumeric(s)) {
    std::string t(s.substr(0, 2));
    t += '.';
    if (s.size() > 2) t += s.substr(2);
    // A stored text that is numeric as a whole can still give no number once the point is put in
    // ("28.5" -> "28..5"); that is as unreadable as any other garbage in the field.
    if (const auto value = ParseNumber(t)) return FormatFixed6(*value);
  }
  Warn(warn, MessageId::NotIsNumeric);
  return NumberText(band.lower);
}

double SnapTo10Hz(double f, const BandEdges& band) {
  // Whole hertz, kept as doubles so that absurd inputs cannot overflow an integer type.
  const double base = std::nearbyint(band.lower * 1e6);
  double hz = std::nearbyint(f * 1e6);
  // fmod keeps the sign of the offset, so a frequency below the edge moves up towards it.
  const double remainder = std::fmod(hz - base, 10.0);
  if (remainder != 0) hz -= remainder;
  return hz / 1e6;
}

double CheckFreRange(double f, bool clamp, const BandEdges& band, const WarningSink& warn) {
  if (std::isnan(f)) return FreOutOfRange(clamp, band, warn);
  if (f >= band.lower && f <= band.upper) {
    const double snapped = SnapTo10Hz(f, band);
    if (FitsStoredForm(snapped)) return snapped;
    // Inside a band this radio does not have, but not storable: as out of range as any other.
    Warn(warn, MessageId::OutOfRange);
    return 0.0;
  }
  Warn(warn, MessageId::OutOfRange);
  return ClampedTo(f < band.lower ? band.lower : band.upper, clamp);
}

double FreOutOfRange(bool clamp, const BandEdges& band, const WarningSink& warn) {
  Warn(warn, MessageId::OutOfRange);
  return ClampedTo(band.lower, clamp);
}

std::string NormaliseFreText(std::string_view value, bool clamp, const BandEdges& band,
                             const WarningSink& warn) {
  const auto number = ParseNumber(value);
  const double f =
      number ? CheckFreRange(*number, clamp, band, warn) : FreOutOfRange(clamp, band, warn);
  std::string text = FormatFixed6(f);
  // Judge the text, not f: whatever shows as zero means "no frequency".
  if (ParseNumber(text).value_or(0.0) == 0.0) return {};
  return text;
}

BandEdges SetBandEdges(std::string_view bandText) {
  constexpr double kFallbackLower = 100.0;
  constexpr double kFallbackUpper = 500.0;
  constexpr std::string_view kSeparator = " - ";
  constexpr std::string_view kUnit = " MHz";

  const auto separator = bandText.find(kSeparator);
  if (separator == std::string_view::npos) return {kFallbackLower, kFallbackUpper};

  BandEdges edges;
  edges.lower = ParseNumber(bandText.substr(0, separator)).value_or(kFallbackLower);
  // The unit is looked for after the separator only; a text without it runs to its end.
  const std::string_view rest = bandText.substr(separator + kSeparator.size());
  edges.upper = ParseNumber(rest.substr(0, rest.find(kUnit))).value_or(kFallbackUpper);
  return edges;
}

std::string FileNamePart(std::string_view path) {
  const auto separator = path.find_last_of("\\/");
  if (separator == std::string_view::npos) return std::string(path);
  return std::string(path.substr(separator + 1));
}

bool SameText(std::string_view a, std::string_view b) {
  return a == b;
}

bool SameCode(int a, int b, int mode) {
  return a == b || mode != 2;
}

std::string ByteHex(std::uint8_t b) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[b >> 4], kDigits[b & 0x0F]};
}

}  // namespace kr4100
