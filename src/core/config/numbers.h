// SPDX-License-Identifier: GPL-3.0-or-later
// Locale-independent number parsing and formatting. The program always uses "." as the decimal
// separator, whatever the system is set to, so nothing here may touch the C or C++ locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kr4100 {

// The number a text stands for, or nothing. Accepts surrounding blanks, an optional sign, digits
// with at most one "." (at least one digit in all, "28." and ".5" included) and an optional
// exponent. Rejects everything else: hexadecimal, "inf", "nan", thousands separators, ",".
std::optional<double> ParseNumber(std::string_view text);

inline bool IsNumeric(std::string_view text) { return ParseNumber(text).has_value(); }

// A number text of the same shape as ParseNumber takes, read exactly in whole units of
// 10^-decimals (decimals 0..9): no binary rounding decides whether "12.505" is a whole number of
// hundredths. `whole` is false when a digit past those units is not zero.
struct ScaledNumber {
  long long units = 0;
  bool whole = true;
};
// Nothing when the text is no number or its units pass +-10^18.
std::optional<ScaledNumber> ParseScaledNumber(std::string_view text, int decimals);

// The whole number a text stands for when it is an integer that fits a 16-bit signed Integer.
std::optional<int> ParseInteger16(std::string_view text);

// Shortest decimal text that reads back as the same double ("28", "25.615"), the way the program
// writes a plain number into a text.
std::string NumberText(double value);

// Fixed six decimals ("#0.000000"), rounded half away from zero at the sixth decimal.
std::string FormatFixed6(double value);

// Surrounding blanks (spaces and tabs) removed.
std::string_view Trim(std::string_view text);

}  // namespace kr4100
