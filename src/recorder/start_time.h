// The recorder's start time and the calendar arithmetic that puts it on the shot table's
// time scale (day of the year, hour, minute, second).
#pragma once

#include <cstdint>
#include <string_view>

#include "recorder/recorder_header.h"

namespace obscut {

struct RecorderStartTime {
  std::int32_t fileDay = 0;  // day of the year, 1 January = 1; negative: date not recognised
  std::int32_t fileHour = 0;
  std::int32_t fileMinute = 0;
  std::int32_t fileSecond = 0;
};

// Reads "DD Mon YY HH:MM:SS" at header bytes 192-209. Each number is read by atoi's rules
// from at most two characters at its fixed place, so a shorter text moves fields out of
// place rather than being refused; a field without digits gives 0. Never fails: a month
// that is not recognised gives a negative fileDay.
RecorderStartTime ParseStartTime(const RecorderHeader& header);

// Day of the year of `dayOfMonth` in `monthText` ("Jan" to "Dec", case-sensitive); -1 for any
// other month text. February has 29 days when (year - 92) is divisible by 4, which makes the
// two-digit years 92, 96, 00 and 04 leap years. The day of the month is not range-checked.
std::int32_t DayOfYear(std::int32_t year, std::int32_t dayOfMonth, std::string_view monthText);

// Nearest integer with halves going away from zero: 2.5 -> 3, -2.5 -> -3, 2.4 -> 2.
// Sample indices days into a recording need more than 32 bits, so the result has 64; values
// beyond that range saturate, and NaN gives 0.
std::int64_t RoundHalfAway(double x);

}  // namespace obscut
