// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/numbers.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <version>

namespace kr4100 {
namespace {

// Some standard libraries (the WebAssembly toolchain's libc++) have from_chars and to_chars for
// integers only. There the C library stands in: its locale is always "C" in that runtime, and
// the shape has been checked before, so strtod reads exactly what from_chars would.
#if defined(__cpp_lib_to_chars)
std::optional<double> ReadDouble(const std::string& body) {
  double value = 0;
  const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (end != body.data() + body.size()) return std::nullopt;
  if (ec != std::errc()) return std::nullopt;
  return value;
}

std::string ShortestText(double value) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) return "0";
  return std::string(buffer, end);
}
#else
std::optional<double> ReadDouble(const std::string& body) {
  errno = 0;
  char* end = nullptr;
  const double value = std::strtod(body.c_str(), &end);
  if (end != body.c_str() + body.size() || errno == ERANGE) return std::nullopt;
  return value;
}

// The fewest significant digits that read back as the same number, as to_chars gives them.
std::string ShortestText(double value) {
  char buffer[64];
  for (int precision = 1; precision <= 17; ++precision) {
    std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
    if (std::strtod(buffer, nullptr) == value) break;
  }
  return buffer;
}
#endif

}  // namespace

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::optional<double> ParseNumber(std::string_view text) {
  std::string_view s = Trim(text);
  if (s.empty()) return std::nullopt;

  // Validate the shape ourselves: from_chars alone would accept "inf", "nan" and hex forms.
  std::size_t i = 0;
  bool negative = false;
  if (s[i] == '+' || s[i] == '-') {
    negative = s[i] == '-';
    ++i;
  }
  const std::size_t mantissaStart = i;
  std::size_t digits = 0;
  bool point = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size()) {
    if (s[i] != 'e' && s[i] != 'E') return std::nullopt;
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t expDigitsStart = j;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
    if (j == expDigitsStart || j != s.size()) return std::nullopt;
  }

  // from_chars wants at least one digit before an exponent; "28." and ".5" need a helping digit.
  std::string body(s.substr(mantissaStart));
  const auto dot = body.find('.');
  if (dot != std::string::npos) {
    const bool digitAfter = dot + 1 < body.size() && body[dot + 1] >= '0' && body[dot + 1] <= '9';
    if (!digitAfter) body.insert(dot + 1, "0");
    if (dot == 0) body.insert(0, "0");
  }
  const std::optional<double> value = ReadDouble(body);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return negative ? -*value : *value;
}

std::optional<int> ParseInteger16(std::string_view text) {
  const auto value = ParseNumber(text);
  if (!value || *value != std::floor(*value)) return std::nullopt;
  if (*value < -32768.0 || *value > 32767.0) return std::nullopt;
  return static_cast<int>(*value);
}

std::optional<ScaledNumber> ParseScaledNumber(std::string_view text, int decimals) {
  if (decimals < 0 || decimals > 9 || !ParseNumber(text)) return std::nullopt;
  std::string_view s = Trim(text);
  const bool negative = s.front() == '-';
  if (s.front() == '+' || s.front() == '-') s.remove_prefix(1);
  // The mantissa's digits without the point, and how many of them stand before it.
  std::string digits;
  long long pointAt = 0;
  bool point = false;
  std::size_t i = 0;
  for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; ++i) {
    if (s[i] == '.') {
      point = true;
    } else {
      digits += s[i];
      if (!point) ++pointAt;
    }
  }
  if (i < s.size()) {
    // The shape is checked; only the size of the exponent is left to bound. Past a few thousand
    // it only decides between "too big" and "not whole", as any larger one would.
    std::string_view exponent = s.substr(i + 1);
    const bool down = exponent.front() == '-';
    if (exponent.front() == '+' || exponent.front() == '-') exponent.remove_prefix(1);
    long long e = 0;
    for (char c : exponent) e = std::min(e * 10 + (c - '0'), 10000LL);
    pointAt += down ? -e : e;
  }
  // Digits before the point of the scaled value make the units; the rest must be zeros.
  const long long cut = pointAt + decimals;
  ScaledNumber result;
  for (long long k = 0; k < static_cast<long long>(digits.size()); ++k) {
    const int digit = digits[static_cast<std::size_t>(k)] - '0';
    if (k >= cut) {
      result.whole = result.whole && digit == 0;
      continue;
    }
    if (result.units > 99'999'999'999'999'999LL) return std::nullopt;
    result.units = result.units * 10 + digit;
  }
  // Zeros the exponent adds after the last digit.
  for (long long k = static_cast<long long>(digits.size()); k < cut; ++k) {
    if (result.units == 0) break;
    if (result.units > 99'999'999'999'999'999LL) return std::nullopt;
    result.units *= 10;
  }
  if (result.units > 1'000'000'000'000'000'000LL) return std::nullopt;
  if (negative) result.units = -result.units;
  return result;
}

std::string NumberText(double value) {
  return ShortestText(value);
}

std::string FormatFixed6(double value) {
  if (!std::isfinite(value)) return "0.000000";
  // Work in whole millionths so the rounding is decided once, not by printf's binary rounding.
  const double scaled = std::round(value * 1e6);
  if (std::fabs(scaled) >= 9.0e18) return NumberText(value);
  long long units = static_cast<long long>(scaled);
  const bool negative = units < 0;
  if (negative) units = -units;
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%s%lld.%06lld", negative ? "-" : "", units / 1000000,
                units % 1000000);
  return buffer;
}

}  // namespace kr4100
