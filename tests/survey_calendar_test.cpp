// The clock of synthetic surveys: start time texts and shot days must be what the converter's
// own calendar makes of them, across midnight, month ends, leap days and the year's end.
#include <gtest/gtest.h>

#include <string>

#include "recorder/start_time.h"
#include "survey/recorder_writer.h"
#include "survey/shot_table_writer.h"
#include "survey/survey_calendar.h"

namespace obscut {
namespace {

RecorderStartTime ParsedBack(const std::string& text) {
  RecorderHeaderFields fields;
  fields.asciiHeader = text;
  return ParseStartTime(EncodeRecorderHeader(fields));
}

TEST(SurveyCalendar, OneSecondLaterCrossesMidnightMonthsAndLeapDays) {
  struct Case {
    const char* before;
    const char* after;  // one second later
    int dayAfter;
  };
  const Case cases[] = {
      {"29 Feb 96 23:59:59", "01 Mar 96 00:00:00", 61},
      {"28 Feb 97 23:59:59", "01 Mar 97 00:00:00", 60},
      {"28 Feb 00 23:59:59", "29 Feb 00 00:00:00", 60},
      {"31 Jan 97 23:59:59", "01 Feb 97 00:00:00", 32},
      {"30 Nov 96 23:59:59", "01 Dec 96 00:00:00", 336},
      {"05 Jul 96 12:59:59", "05 Jul 96 13:00:00", 187},
      {"31 Dec 95 23:59:58", "31 Dec 95 23:59:59", 365},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    const auto before = ParseClockText(c.before);
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(ClockText(before->year, before->seconds), c.before);
    EXPECT_EQ(ClockText(before->year, before->seconds + 1), c.after);

    const RecorderStartTime read = ParsedBack(ClockText(before->year, before->seconds + 1));
    EXPECT_EQ(read.fileDay, c.dayAfter);
    EXPECT_EQ(ClockSeconds(read.fileDay, read.fileHour, read.fileMinute, read.fileSecond),
              before->seconds + 1);
  }
}

TEST(SurveyCalendar, RefusesTextsThatAreNotARealTime) {
  const char* const texts[] = {
      "30 Feb 96 00:00:00",  "29 Feb 97 00:00:00",
      "00 Jan 96 00:00:00",  "32 Jan 96 00:00:00",
      "31 Apr 96 00:00:00",  "05 jan 96 00:00:00",
      "05 Jan 96 24:00:00",  "05 Jan 96 12:60:00",
      "05 Jan 96 12:00:60",  " 5 Jan 96 12:00:00",
      "05 Jan 96 12:00:0",   "05-Jan-96 12:00:00",
      "05 Jan 96 12:00:00 ", "",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(ParseClockText(text).has_value());
  }
}

TEST(SurveyCalendar, LastDayOfYearFollowsTheRecordersLeapYears) {
  EXPECT_EQ(LastDayOfYear(96), 366);
  EXPECT_EQ(LastDayOfYear(0), 366);
  EXPECT_EQ(LastDayOfYear(97), 365);
}

TEST(ShotTableWriter, WritesShotLinesWithTheirMilliseconds) {
  ShotLine shot;
  shot.shotNumber = 1207;
  shot.timeMs = (ClockSeconds(187, 14, 32, 17)) * 1000 + 50;
  shot.shotY = 4937.125;
  shot.shotX = 612.43;
  shot.range = -23.75;
  shot.waterDepth = 3120.04;
  EXPECT_EQ(FormatShotLine(shot),
            " 1207 187 14 32 17.050  4937.1250   612.4300  -23.7500  3120.0\n");
}

TEST(ShotTableWriter, WritesTheSevenHeaderLinesWithTheirNotes) {
  ShotTableHeaderLines header;
  header.title = "Title";
  header.stationY = 45.1234;
  header.stationX = -63.5678;
  header.line3Values = {1, 2, 3, -4};
  header.line4Value = 3361.26;
  header.line5Value = 1;
  header.line6Value = 29;
  header.caption = "caption";
  header.notes = {"station", "", "depth", "", "last"};
  EXPECT_EQ(FormatShotTableHeader(header),
            "Title\n"
            "45.1234 -63.5678   station\n"
            "1 2 3 -4\n"
            "3361.3   depth\n"
            "1\n"
            "29   last\n"
            "caption\n");
}

}  // namespace
}  // namespace obscut
