// The recorder's start time text, the day-of-year calendar and the rounding to sample indices.

#include "recorder/start_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "survey/recorder_writer.h"

namespace obscut {
namespace {

using namespace std::string_literals;

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();

RecorderStartTime ParseText(const std::string& startTimeText) {
  RecorderHeaderFields fields;
  fields.asciiHeader = startTimeText;
  return ParseStartTime(EncodeRecorderHeader(fields));
}

TEST(DayOfYearTest, AddsTheDaysOfTheEarlierMonthsInCommonAndLeapYears) {
  struct Month {
    const char* name;
    std::int32_t common;  // days before the month when February has 28
    std::int32_t leap;    // and when it has 29
  };
  const Month months[] = {
      {"Jan", 0, 0},     {"Feb", 31, 31},   {"Mar", 59, 60},   {"Apr", 90, 91},
      {"May", 120, 121}, {"Jun", 151, 152}, {"Jul", 181, 182}, {"Aug", 212, 213},
      {"Sep", 243, 244}, {"Oct", 273, 274}, {"Nov", 304, 305}, {"Dec", 334, 335},
  };
  for (const Month& month : months) {
    SCOPED_TRACE(month.name);
    EXPECT_EQ(DayOfYear(97, 1, month.name), month.common + 1);
    EXPECT_EQ(DayOfYear(96, 1, month.name), month.leap + 1);
    EXPECT_EQ(DayOfYear(95, 15, month.name), month.common + 15);
  }
}

TEST(DayOfYearTest, CountsAYearAsLeapWhenItsDistanceFrom92IsDivisibleBy4) {
  struct Case {
    std::int32_t year;
    bool leap;
  };
  const Case cases[] = {
      {92, true},  {96, true},  {0, true},   {4, true},   {88, true},  {84, true},
      {8, true},   {-4, true},  {-8, true},  {97, false}, {95, false}, {93, false},
      {94, false}, {99, false}, {1, false},  {2, false},  {3, false},  {89, false},
      {90, false}, {-1, false}, {-2, false}, {-3, false}, {-5, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("year " + std::to_string(c.year));
    EXPECT_EQ(DayOfYear(c.year, 1, "Mar"), c.leap ? 61 : 60);
    EXPECT_EQ(DayOfYear(c.year, 31, "Dec"), c.leap ? 366 : 365);
    EXPECT_EQ(DayOfYear(c.year, 28, "Feb"), 59);
  }
}

TEST(DayOfYearTest, AddsTheDayOfMonthWithoutARangeCheck) {
  EXPECT_EQ(DayOfYear(97, 29, "Feb"), 60);
  EXPECT_EQ(DayOfYear(97, 0, "Jan"), 0);
  EXPECT_EQ(DayOfYear(97, -5, "Jan"), -5);
  EXPECT_EQ(DayOfYear(97, 40, "Jan"), 40);
  EXPECT_EQ(DayOfYear(97, 0, "Mar"), 59);
  EXPECT_EQ(DayOfYear(97, 99, "Dec"), 433);
}

TEST(DayOfYearTest, RejectsAnyOtherMonthTextWithMinusOne) {
  const std::vector<std::string> texts = {"jan", "JAN",  "jAN",  "Ja",   "J",
                                          "",    "Janu", "Jan ", " Jan", "Sept",
                                          "dec", "DEC",  "Mai",  "Okt",  "Ja\0"s};
  for (const std::string& text : texts) {
    SCOPED_TRACE("month \"" + text + "\"");
    EXPECT_EQ(DayOfYear(96, 5, text), -1);
  }
}

TEST(ParseStartTimeTest, ReadsEachFieldAtItsFixedPlace) {
  struct Case {
    std::string text;  // at header bytes 192 and on
    std::int32_t day, hour, minute, second;
  };
  const std::vector<Case> cases = {
      {"05 Jan 96 12:34:56", 5, 12, 34, 56},
      {"05 Jan 97 12:34:56", 5, 12, 34, 56},  // the year only decides February's length
      {"01 Mar 96 00:00:00", 61, 0, 0, 0},
      {"01 Mar 97 00:00:00", 60, 0, 0, 0},
      {"01 Mar 00 00:00:00", 61, 0, 0, 0},
      {"01 Mar 04 00:00:00", 61, 0, 0, 0},
      {"01 Mar 88 00:00:00", 61, 0, 0, 0},
      {"31 Dec 96 23:59:59", 366, 23, 59, 59},
      {"31 Dec 95 23:59:59", 365, 23, 59, 59},
      {"29 Feb 97 00:00:00", 60, 0, 0, 0},
      {"05 jan 96 12:34:56", -1, 12, 34, 56},
      {"05 JAN 96 12:34:56", -1, 12, 34, 56},
      {"-5 Jan 96 12:34:56", -5, 12, 34, 56},
      {"00 Jan 96 12:34:56", 0, 12, 34, 56},
      {" 5 Jan 96 12:34:56", 5, 12, 34, 56},
      {"+5 Jan 96 12:34:56", 5, 12, 34, 56},
      {"   Jan 96 12:34:56", 0, 12, 34, 56},  // a blank day gives 0
      {"5  Jan 96 12:34:56", 5, 12, 34, 56},  // separators are never examined...
      {"05xJanx96x12x34x56", 5, 12, 34, 56},  // ...whatever they hold
      // A one-digit hour moves the minute and second out of place: "7:" "0:" "0 ".
      {"05 Jan 96 7:30:00 ", 5, 7, 0, 0},
      {"05 Jan 96 xx:30:00", 5, 0, 30, 0},
      {"05 Jan 96 12:-3:+7", 5, 12, -3, 7},
      {"05 Jan -4 00:00:00", 5, 0, 0, 0},
      {"01 Mar -4 00:00:00", 61, 0, 0, 0},  // year -4 is leap: (-4 - 92) % 4 == 0
      {"01 Mar -3 00:00:00", 60, 0, 0, 0},
      {"05 Jan 96", 5, 0, 0, 0},  // the rest of the header is zero bytes
      {"", -1, 0, 0, 0},
      // A NUL byte ends a field early; nothing behind it in that field is read.
      {"5\0 Jan 96 12:34:56"s, 5, 12, 34, 56},
      {"\0"
       "5 Jan 96 12:34:56"s,
       0, 12, 34, 56},
      {"05 Ja\0 96 12:34:56"s, -1, 12, 34, 56},
      {"05 \0an 96 12:34:56"s, -1, 12, 34, 56},
      {"05 Jan 96 1\0:34:56"s, 5, 1, 34, 56},
      {"05 Jan 96 \0"
       "2:34:56"s,
       5, 0, 34, 56},
      {"01 Mar 9\0 00:00:00"s, 60, 0, 0, 0},  // year 9: not leap
      {"05 Jan 96 12:34:\0"
       "6"s,
       5, 12, 34, 0},
  };
  for (const Case& c : cases) {
    std::string shown = c.text;
    for (char& ch : shown) {
      ch = ch == '\0' ? '@' : ch;
    }
    SCOPED_TRACE("start time \"" + shown + "\" (@ = NUL)");
    const RecorderStartTime time = ParseText(c.text);
    EXPECT_EQ(time.fileDay, c.day);
    EXPECT_EQ(time.fileHour, c.hour);
    EXPECT_EQ(time.fileMinute, c.minute);
    EXPECT_EQ(time.fileSecond, c.second);
  }
}

TEST(ParseStartTimeTest, ReadsTheTextFromHeaderByte192) {
  // Placed by hand, so the field places are pinned independently of the file writer.
  RecorderHeader header;
  const std::string text = "31 Dec 96 23:59:58";
  for (std::size_t i = 0; i < text.size(); ++i) {
    header.bytes[192 + i] = static_cast<std::uint8_t>(text[i]);
  }
  // Digits just before and after the text must not be read.
  header.bytes[191] = '9';
  header.bytes[210] = '7';
  const RecorderStartTime time = ParseStartTime(header);
  EXPECT_EQ(time.fileDay, 366);
  EXPECT_EQ(time.fileHour, 23);
  EXPECT_EQ(time.fileMinute, 59);
  EXPECT_EQ(time.fileSecond, 58);
}

TEST(RoundHalfAwayTest, RoundsHalvesAwayFromZero) {
  struct Case {
    double x;
    std::int64_t expected;
  };
  const Case cases[] = {
      {0.0, 0},
      {-0.0, 0},
      {0.5, 1},
      {-0.5, -1},
      {1.5, 2},
      {-1.5, -2},
      {2.5, 3},
      {-2.5, -3},
      {4.5, 5},  // not to even
      {-4.5, -5},
      {2.4, 2},
      {-2.4, -2},
      {2.4999, 2},
      {-2.4999, -2},
      {0.4999, 0},
      {-0.4999, 0},
      {2.6, 3},
      {-2.6, -3},
      {1e-300, 0},
      {-1e-300, 0},
      // The sum x + 0.5 is formed in double precision: this largest double below 0.5 sums to 1.
      {0.49999999999999994, 1},
      {123456.5, 123457},
      {-123456.5, -123457},
      // Indices of samples days into a recording need more than 32 bits.
      {2147483647.5, 2147483648},
      {-2147483648.5, -2147483649},
      {1e15 + 0.5, 1000000000000001},
      // Beyond the 64-bit range the result saturates.
      {1e19, kInt64Max},
      {-1e19, kInt64Min},
      {std::numeric_limits<double>::infinity(), kInt64Max},
      {-std::numeric_limits<double>::infinity(), kInt64Min},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("x = " + std::to_string(c.x));
    EXPECT_EQ(RoundHalfAway(c.x), c.expected);
  }
}

TEST(RoundHalfAwayTest, GivesZeroForNotANumber) {
  EXPECT_EQ(RoundHalfAway(std::nan("")), 0);
  EXPECT_EQ(RoundHalfAway(-std::nan("")), 0);
}

}  // namespace
}  // namespace obscut
