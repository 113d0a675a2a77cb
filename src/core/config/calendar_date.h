// Today's date as the record keeps it: the programming date of a new document and the radio
// information's Time Sync both write it as eight digits.
#pragma once

#include <string>

namespace kr4100 {

struct CalendarDate {
  int year;
  int month;
  int day;
};

// The local calendar date of the computer, or, when SOURCE_DATE_EPOCH holds a count of seconds,
// that moment's date in UTC: a build that sets it makes the same band templates on any day, and
// two programs run under it agree on the date.
CalendarDate LocalToday();

// Year, month and day run together as eight digits: 1 December 2026 gives "20261201".
std::string EightDigitDate(const CalendarDate& date);

}  // namespace kr4100
