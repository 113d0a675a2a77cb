// SPDX-License-Identifier: GPL-3.0-or-later
// Dates as the record keeps them, eight digits: the computer's for a new document and the radio
// information's Time Sync, the build's for the band templates it makes.
#pragma once

#include <optional>
#include <string>

namespace kr4100 {

struct CalendarDate {
  int year;
  int month;
  int day;
};

// The local calendar date of the computer, whatever the environment says: a user's new
// document and a Time Sync carry the day they are made.
CalendarDate LocalToday();

// The date SOURCE_DATE_EPOCH fixes, when it holds a count of seconds up to the year 9999: that
// moment's date in UTC. Only what the build makes asks for it, so that the band templates (and
// the package that carries them) come out the same on any day.
std::optional<CalendarDate> SourceDateEpochDate();

// Year, month and day run together as eight digits: 1 December 2026 gives "20261201".
std::string EightDigitDate(const CalendarDate& date);

}  // namespace kr4100
