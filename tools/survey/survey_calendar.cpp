#include "survey/survey_calendar.h"

#include <array>
#include <cctype>

#include "recorder/start_time.h"
#include "survey/recorder_writer.h"

namespace obscut {
namespace {

constexpr std::array<const char*, 12> kMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Two decimal digits at `at`, or -1.
int TwoDigits(std::string_view text, std::size_t at) {
  const auto digit = [&](std::size_t i) {
    return std::isdigit(static_cast<unsigned char>(text[i])) != 0;
  };
  if (!digit(at) || !digit(at + 1)) {
    return -1;
  }
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

int DaysInMonth(int year, std::size_t month) {
  const int first = DayOfYear(year, 1, kMonthNames[month]);
  const int next = month + 1 < kMonthNames.size() ? DayOfYear(year, 1, kMonthNames[month + 1])
                                                  : LastDayOfYear(year) + 1;
  return next - first;
}

}  // namespace

std::int64_t ClockSeconds(int dayOfYear, int hour, int minute, int second) {
  return ((std::int64_t{dayOfYear} * 24 + hour) * 60 + minute) * 60 + second;
}

int LastDayOfYear(int year) {
  return DayOfYear(year, 31, "Dec");
}

std::optional<ClockTime> ParseClockText(std::string_view text) {
  if (text.size() != 18 || text[2] != ' ' || text[6] != ' ' || text[9] != ' ' || text[12] != ':' ||
      text[15] != ':') {
    return std::nullopt;
  }
  const int day = TwoDigits(text, 0);
  const int year = TwoDigits(text, 7);
  const int hour = TwoDigits(text, 10);
  const int minute = TwoDigits(text, 13);
  const int second = TwoDigits(text, 16);
  if (year < 0 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
    return std::nullopt;
  }
  const std::string_view month = text.substr(3, 3);
  for (std::size_t m = 0; m < kMonthNames.size(); ++m) {
    if (month == kMonthNames[m]) {
      if (day < 1 || day > DaysInMonth(year, m)) {
        return std::nullopt;
      }
      return ClockTime{year, ClockSeconds(DayOfYear(year, day, month), hour, minute, second)};
    }
  }
  return std::nullopt;
}

std::string ClockText(int year, std::int64_t seconds) {
  const int day_of_year = static_cast<int>(seconds / kSecondsPerDay);
  const int second_of_day = static_cast<int>(seconds % kSecondsPerDay);
  // The last month whose first day is not after the day wanted.
  std::size_t month = kMonthNames.size() - 1;
  while (month > 0 && DayOfYear(year, 1, kMonthNames[month]) > day_of_year) {
    --month;
  }
  const int day_of_month = day_of_year - DayOfYear(year, 0, kMonthNames[month]);
  return StartTimeText(day_of_month, kMonthNames[month], year, second_of_day / 3600,
                       second_of_day / 60 % 60, second_of_day % 60);
}

ShotClock ShotClockAt(std::int64_t milliseconds) {
  ShotClock clock;
  const std::int64_t minutes = milliseconds / 60000;
  clock.millisecond = static_cast<int>(milliseconds % 60000);
  clock.minute = static_cast<int>(minutes % 60);
  clock.hour = static_cast<int>(minutes / 60 % 24);
  clock.day = static_cast<int>(minutes / (60 * 24));
  return clock;
}

}  // namespace obscut
