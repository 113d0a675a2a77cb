#include "core/config/calendar_date.h"

#include "core/os/os.h"

#include <cstdio>
#include <ctime>

namespace kr4100 {

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
