// The preflight report: what it says of a small survey with a gap, an overlap and shots
// outside the data, that the run then does exactly what it predicted, and that checking
// writes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_command.h"
#include "run/preflight.h"
#include "run/preflight_report.h"
#include "support/conversion_fixture.h"

namespace obscut {
namespace {

using testing::TestRecording;
using testing::TestShot;
using testing::TestSurvey;

TestRecording Recording(const char* start, std::size_t frames, float rate = 10.0f) {
  TestRecording recording;
  recording.startTime = start;
  recording.sampleRate = rate;
  recording.frames = frames;
  return recording;
}

TestShot Shot(int number, int hour, int minute, const char* second) {
  TestShot shot;
  shot.number = number;
  shot.hour = hour;
  shot.minute = minute;
  shot.second = second;
  return shot;
}

// Three files at 10 samples/s on 5 January: 12:00:00-12:00:10, a 2 s gap, 12:00:12-12:00:22,
// a 1 s overlap, 12:00:21-12:00:26; windows of 3 s. Shot 1 ends before the data, 2 starts
// before it, 3 lies in the first file, 4 crosses the gap, 5 the overlap, 6 is padded after the
// last file, 7 and 9 begin after the data, 8 lies in the second file.
void SetSurveyShots(TestSurvey& survey) {
  survey.SetShots({Shot(1, 11, 59, "50"), Shot(2, 11, 59, "58"), Shot(3, 12, 0, "2"),
                   Shot(4, 12, 0, "8"), Shot(5, 12, 0, "20"), Shot(6, 12, 0, "25"),
                   Shot(7, 12, 0, "40"), Shot(8, 12, 0, "15"), Shot(9, 12, 1, "0")});
}

void MakeSurvey(TestSurvey& survey) {
  survey.AddRecording("OBS00001.001", Recording("05 Jan 96 12:00:00", 100));
  survey.AddRecording("OBS00002.001", Recording("05 Jan 96 12:00:12", 100));
  survey.AddRecording("OBS00003.001", Recording("05 Jan 96 12:00:21", 50));
  SetSurveyShots(survey);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t end = text.find('\n', begin);
    lines.push_back(text.substr(begin, end - begin));
    begin = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

TEST(PreflightReport, DescribesFilesGapsOverlapsAndWhatEveryShotGets) {
  TestSurvey survey;
  MakeSurvey(survey);
  const PreflightFindings findings = RunPreflight(survey.recordings, survey.Settings(0.0f, 3.0f));
  const std::vector<std::string> expected = {
      "Recorder files, in processing order: 3",
      "    1  OBS00001.001  \"05 Jan 96 12:00:00\"  10 samples/s  100 frames",
      "       day 5 12:00:00.000 to day 5 12:00:10.000, then a gap of 2.000 s",
      "    2  OBS00002.001  \"05 Jan 96 12:00:12\"  10 samples/s  100 frames",
      "       day 5 12:00:12.000 to day 5 12:00:22.000, then an overlap of 1.000 s",
      "    3  OBS00003.001  \"05 Jan 96 12:00:21\"  10 samples/s  50 frames",
      "       day 5 12:00:21.000 to day 5 12:00:26.000",
      "Files whose date is not recognised: none",
      "Sample rate changes: none",
      "Shot table " + survey.File("shots.txt"),
      "  station Y 45.1234, X -20.25; header values 1 2 3 4, 0.004, 5, 6",
      "  9 shot lines read: shot 1 at day 5 11:59:50.000 to shot 9 at day 5 12:01:00.000",
      "Traces: window from 0 to 3 s after each shot",
      "  30 samples per trace at 10 samples/s, sample interval 100000 us",
      "  warning: the sample interval does not fit its 16-bit header field; 34464 us would be "
      "written",
      "Shots: 6 of 9 would get a trace",
      "  from one file (2): 3, 8",
      "  with leading zeros (1): 2",
      "  continued into the next file (2): 4-5",
      "  over a recording gap (1): 4",
      "  padded after the last file (1): 6",
      "  taken by no file (3): 1, 7, 9",
      "The run would finish with 6 traces.",
  };
  EXPECT_EQ(Lines(FormatPreflightReport(findings)), expected);
}

TEST(PreflightReport, NamesUnrecognisedDatesRateChangesAndWhereTheRunWouldStop) {
  TestSurvey survey;
  survey.AddRecording("OBS00001.001", Recording("05 Jan 96 12:00:00", 100));
  survey.AddRecording("OBS00002.001", Recording("05 Xxx 96 12:00:12", 100));
  survey.AddRecording("OBS00003.001", Recording("05 Jan 96 12:00:12", 70, 20.0f));
  survey.AddRecording("OBS00004.001", Recording("05 Jan 96 12:00:16", 5, 20.0f));
  SetSurveyShots(survey);
  const std::vector<std::string> lines =
      Lines(FormatPreflightReport(RunPreflight(survey.recordings, survey.Settings(0.0f, 3.0f))));
  const auto has = [&lines](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has("    2  OBS00002.001  \"05 Xxx 96 12:00:12\"  date not recognised"));
  EXPECT_TRUE(has("Files whose date is not recognised: 2 (OBS00002.001)"));
  EXPECT_TRUE(has("Sample rate changes: 10 to 20 samples/s at file 3"));
  // Shot 8 runs from the third file over half a second of gap into the fourth, whose 5
  // frames do not complete it.
  EXPECT_EQ(lines.back(),
            "The run would stop at shot 8 (shot 8 of the table): Unhanled points "
            "in program!");
}

// The shot numbers of the log lines that match `pattern` (its first group is the number).
std::set<int> LoggedShots(const std::string& log, const char* pattern) {
  std::set<int> shots;
  const std::regex line(pattern);
  for (auto it = std::sregex_iterator(log.begin(), log.end(), line); it != std::sregex_iterator();
       ++it) {
    shots.insert(std::stoi((*it)[1].str()));
  }
  return shots;
}

std::set<int> ForecastShots(const PreflightFindings& findings, bool ShotForecast::*flag) {
  std::set<int> shots;
  for (const ShotForecast& forecast : findings.shots) {
    if (forecast.*flag) {
      shots.insert(forecast.shot.shotNumber);
    }
  }
  return shots;
}

// The survey above, and variants that stop the run or pass a file over for its date.
struct AgreementCase {
  const char* name;
  std::vector<TestRecording> recordings;
  float maxTime;
  bool runStops;
};

TEST(PreflightReport, AgreesWithWhatTheRunDoes) {
  const std::vector<AgreementCase> cases = {
      {"gap, overlap and misses",
       {Recording("05 Jan 96 12:00:00", 100), Recording("05 Jan 96 12:00:12", 100),
        Recording("05 Jan 96 12:00:21", 50)},
       3.0f,
       false},
      {"a next file too short for the window",
       {Recording("05 Jan 96 12:00:00", 100), Recording("05 Jan 96 12:00:12", 100),
        Recording("05 Jan 96 12:00:22", 5)},
       3.0f,
       true},
      {"a file whose date is not recognised",
       {Recording("05 Jan 96 12:00:00", 100), Recording("05 Xxx 96 12:00:12", 100),
        Recording("05 Jan 96 12:00:21", 50)},
       3.0f,
       false},
      {"a sample rate change",
       {Recording("05 Jan 96 12:00:00", 100), Recording("05 Jan 96 12:00:12", 200, 20.0f),
        Recording("05 Jan 96 12:00:21", 50)},
       3.0f,
       false},
      {"a window longer than a trace may be",
       {Recording("05 Jan 96 12:00:00", 100)},
       7000.0f,
       true},
  };
  for (const AgreementCase& c : cases) {
    SCOPED_TRACE(c.name);
    TestSurvey survey;
    for (std::size_t i = 0; i < c.recordings.size(); ++i) {
      survey.AddRecording("OBS0000" + std::to_string(i + 1) + ".001", c.recordings[i]);
    }
    SetSurveyShots(survey);
    const RunSettings settings = survey.Settings(0.0f, c.maxTime);
    const PreflightFindings findings = RunPreflight(survey.recordings, settings);
    const testing::ConversionResult run = survey.Convert(settings);

    EXPECT_EQ(run.outcome == RunOutcome::kStopped, c.runStops);
    EXPECT_EQ(findings.stopMessage.has_value(), c.runStops);
    if (findings.stopMessage) {
      ASSERT_FALSE(run.messages.empty());
      EXPECT_EQ(*findings.stopMessage, run.messages.back());
    }
    const std::string& log = run.log;
    EXPECT_EQ(ForecastShots(findings, &ShotForecast::leadingZeros),
              LoggedShots(log, R"(\nShot (-?\d+) starts before)"));
    EXPECT_EQ(ForecastShots(findings, &ShotForecast::padded),
              LoggedShots(log, R"(\n  Shot (-?\d+) meets the last)"));
    EXPECT_EQ(ForecastShots(findings, &ShotForecast::continued),
              LoggedShots(log, R"(\n  Shot (-?\d+) is also matched)"));
    std::set<int> traced = LoggedShots(log, R"(\nShot (-?\d+) is matched)");
    const std::set<int> continued = LoggedShots(log, R"(\n  Shot (-?\d+) is also matched)");
    const std::set<int> padded = LoggedShots(log, R"(\n  Shot (-?\d+) meets the last)");
    traced.insert(continued.begin(), continued.end());
    traced.insert(padded.begin(), padded.end());
    EXPECT_EQ(ForecastShots(findings, &ShotForecast::trace), traced);
  }
}

// Runs obscut-batch's command in this process; gives the exit status and standard output.
struct CommandResult {
  int status;
  std::string out;
};
CommandResult RunCommand(const std::vector<std::string>& arguments) {
  std::vector<std::string_view> views(arguments.begin(), arguments.end());
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int status = RunBatchCommand(views, out, err, false);
  std::string text;
  std::rewind(out);
  for (int c = std::fgetc(out); c != EOF; c = std::fgetc(out)) {
    text += static_cast<char>(c);
  }
  std::fclose(out);
  std::fclose(err);
  return {status, text};
}

TEST(PreflightCommand, WritesNothingAndExitsWithWhetherTheRunWouldFinish) {
  TestSurvey survey;
  MakeSurvey(survey);
  const auto folder = std::filesystem::path(survey.File("shots.txt")).parent_path();
  const auto entriesBefore = std::distance(std::filesystem::directory_iterator(folder),
                                           std::filesystem::directory_iterator());
  std::vector<std::string> arguments = {"--check",  "--shot-table",      survey.File("shots.txt"),
                                        "--output", survey.File("line"), "--max-time",
                                        "3"};
  arguments.insert(arguments.end(), survey.recordings.begin(), survey.recordings.end());

  const CommandResult finishing = RunCommand(arguments);
  EXPECT_EQ(finishing.status, kBatchExitFinished);
  EXPECT_NE(finishing.out.find("The run would finish with 6 traces.\n"), std::string::npos);

  arguments[4] = survey.File("no such folder/line");
  const CommandResult stopping = RunCommand(arguments);
  EXPECT_EQ(stopping.status, kBatchExitStopped);
  EXPECT_NE(stopping.out.find("The run would stop: Can not open a temporaty file to hold the "
                              "ascii header\n"),
            std::string::npos);

  // No log, no SEG-Y file: the folder holds what the survey put there.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            entriesBefore);
}

TEST(PreflightReport, JoinsConsecutiveShotNumbersIntoRuns) {
  EXPECT_EQ(ShotRuns({}), "");
  EXPECT_EQ(ShotRuns({7}), "7");
  EXPECT_EQ(ShotRuns({1, 2, 3, 5, 7, 8, -2, -1, 0, 4}), "1-3, 5, 7-8, -2-0, 4");
  EXPECT_EQ(ShotRuns({3, 2, 1}), "3, 2, 1");
}

}  // namespace
}  // namespace obscut
