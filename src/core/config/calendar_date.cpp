// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/calendar_date.h"

#include "core/os/os.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string_view>

namespace kr4100 {

std::optional<CalendarDate> SourceDateEpochDate() {
  const char* value = std::getenv("SOURCE_DATE_EPOCH");
  if (value == nullptr) return std::nullopt;
  const std::string_view text(value);
  long long seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  // Up to the end of year 9999: the date has eight digits, and the calendar arithmetic stays small.
  constexpr long long kLast = 253402300799;
  if (error != std::errc() || end != text.data() + text.size() || seconds < 0 || seconds > kLast)
    return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::floor<std::chrono::days>(
      std::chrono::sys_seconds{std::chrono::seconds{seconds}})};
  return CalendarDate{static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                      static_cast<int>(static_cast<unsigned>(date.day()))};
}

CalendarDate LocalToday() {
  const std::time_t now = std::time(nullptr);
  const std::tm local = os::LocalTime(now);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string EightDigitDate(const CalendarDate& date) {
  // The field has room for eight characters: each part is kept to its own width.
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year % 10000, date.month % 100,
                date.day % 100);
  return text;
}

}  // namespace kr4100
