// Times on the recorder's clock for building surveys: the start time text of a recorder file
// and the day-of-year time of a shot, both from one count of seconds in the year.
//
// The count is the converter's own time scale, ((dayOfYear * 24 + hour) * 60 + minute) * 60 +
// second with 1 January as day 1, so a survey built here lines up with what the converter
// reads back. Day of year and month lengths come from the converter's DayOfYear, never from a
// calendar of our own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace obscut {

inline constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

// A moment of one two-digit year: seconds on the time scale above.
struct ClockTime {
  int year = 0;
  std::int64_t seconds = 0;
};

std::int64_t ClockSeconds(int dayOfYear, int hour, int minute, int second);

// The day of the year of 31 December: 365, or 366 in the recorder's leap years.
int LastDayOfYear(int year);

// Reads "DD Mon YY HH:MM:SS" strictly: two digits per number, a month name "Jan" to "Dec",
// a real day of that month and a real time of day. Nothing when the text is anything else.
std::optional<ClockTime> ParseClockText(std::string_view text);

// The start time text "DD Mon YY HH:MM:SS" of `seconds` in `year`; the day of the year must
// lie between 1 and LastDayOfYear(year).
std::string ClockText(int year, std::int64_t seconds);

// A shot time split as the shot table writes it: day of year, hour, minute and the second
// with its milliseconds.
struct ShotClock {
  int day = 0;
  int hour = 0;
  int minute = 0;
  int millisecond = 0;  // 0 to 59999: the second and its fraction
};

ShotClock ShotClockAt(std::int64_t milliseconds);

}  // namespace obscut
