// Cutting each shot's window out of the recorder files: which file takes it, which samples
// and zeros the trace gets, and the log lines of every way a shot ends.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "base/byte_order.h"
#include "segy/window_placement.h"
#include "support/conversion_fixture.h"

namespace obscut {
namespace {

using testing::ConversionResult;
using testing::TestRecording;
using testing::TestSample;
using testing::TestShot;
using testing::TestSurvey;

constexpr std::size_t kTraceHeaderBytes = 240;
constexpr std::size_t kFirstTrace = 3600;

// One stretch of an expected trace: `count` zeros, or `count` frames of a test recording
// starting at frame `from`.
struct Piece {
  std::size_t count;
  bool zeros = true;
  std::uint16_t first = 0;  // the recording's first value
  std::size_t from = 0;
};
Piece Zeros(std::size_t count) {
  return {count};
}
Piece Frames(const TestRecording& recording, std::size_t from, std::size_t count) {
  return {count, false, recording.first, from};
}

// The 16-bit samples a channel's trace must hold.
std::vector<std::uint16_t> Expected(const std::vector<Piece>& pieces, std::size_t channel) {
  std::vector<std::uint16_t> samples;
  for (const Piece& piece : pieces) {
    for (std::size_t i = 0; i < piece.count; ++i) {
      samples.push_back(piece.zeros ? 0 : TestSample(piece.first, piece.from + i, channel));
    }
  }
  return samples;
}

// The samples of trace `trace` (from 0) of an output file whose traces hold `samples` each.
std::vector<std::uint16_t> TraceSamples(const std::vector<std::uint8_t>& file, std::size_t samples,
                                        std::size_t trace) {
  const std::size_t start =
      kFirstTrace + trace * (kTraceHeaderBytes + 2 * samples) + kTraceHeaderBytes;
  std::vector<std::uint16_t> values;
  if (file.size() < start + 2 * samples) {
    ADD_FAILURE() << "the file holds no trace " << trace;
    return values;
  }
  for (std::size_t i = 0; i < samples; ++i) {
    values.push_back(LoadLE16(file, start + 2 * i));
  }
  return values;
}

// Every channel file holds exactly `traces`, trace t made of `pieces[t]`, and the count of
// traces in its binary header.
void ExpectTraces(const TestSurvey& survey, std::size_t samples,
                  const std::vector<std::vector<Piece>>& traces) {
  for (int channel = 1; channel <= 4; ++channel) {
    SCOPED_TRACE("channel " + std::to_string(channel));
    const std::vector<std::uint8_t> file = survey.Output(channel);
    EXPECT_EQ(file.size(), kFirstTrace + traces.size() * (kTraceHeaderBytes + 2 * samples));
    ASSERT_GE(file.size(), kFirstTrace);
    EXPECT_EQ(LoadLE16(file, 3220), samples) << "samples per trace";
    EXPECT_EQ(LoadLE16(file, 3212), traces.size()) << "trace count";
    for (std::size_t t = 0; t < traces.size(); ++t) {
      SCOPED_TRACE("trace " + std::to_string(t));
      EXPECT_EQ(TraceSamples(file, samples, t),
                Expected(traces[t], static_cast<std::size_t>(channel - 1)));
    }
  }
}

// The log after the header dumps, with CR LF shown as "\n".
std::string ShotLog(const ConversionResult& result, const TestSurvey& survey) {
  std::string log = result.log;
  std::size_t dumps = 0;
  for (const std::string& path : survey.recordings) {
    dumps += std::string("\r\n\r\nDump of the ascii header for file ").size() + path.size() + 320;
  }
  EXPECT_GE(log.size(), dumps);
  log.erase(0, std::min(dumps, log.size()));
  std::string lines;
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (log[i] == '\r' && i + 1 < log.size() && log[i + 1] == '\n') {
      continue;
    }
    lines += log[i];
  }
  return lines;
}

std::string Summary(int traces) {
  return "A total of " + std::to_string(traces) +
         " traces processed. \nYou may need to filter or debias before properly display some "
         "data.";
}

TestShot ShotAt(int number, int hour, int minute, const std::string& second, int day = 5) {
  TestShot shot;
  shot.number = number;
  shot.day = day;
  shot.hour = hour;
  shot.minute = minute;
  shot.second = second;
  return shot;
}

TestRecording Recording(const std::string& startTime, std::size_t frames,
                        std::uint16_t first = 1000, float sampleRate = 100.0f) {
  TestRecording recording;
  recording.startTime = startTime;
  recording.frames = frames;
  recording.first = first;
  recording.sampleRate = sampleRate;
  return recording;
}

TEST(ShotWindowTest, AWindowInsideTheThirdFileIsTakenFromItAfterTheOthersRefuseSilently) {
  TestSurvey survey;
  const TestRecording a = Recording("05 Jan 96 12:00:00", 100, 1000);
  const TestRecording b = Recording("05 Jan 96 12:00:10", 100, 3000);
  const TestRecording c = Recording("05 Jan 96 12:00:20", 100, 5000);
  survey.AddRecording("OBS00001.001", a);
  survey.AddRecording("OBS00002.001", b);
  const std::string third = survey.AddRecording("OBS00003.001", c);
  survey.SetShots({ShotAt(7, 12, 0, "20.2")});

  const ConversionResult result = survey.Convert(0.0f, 0.5f);

  EXPECT_EQ(result.outcome, RunOutcome::kFinished);
  EXPECT_EQ(result.messages, std::vector<std::string>{Summary(1)});
  EXPECT_EQ(ShotLog(result, survey), "\nShot 7 is matched to " + third);
  ExpectTraces(survey, 50, {{Frames(c, 20, 50)}});
}

TEST(ShotWindowTest, WindowsBeforeTheFirstSampleGetLeadingZeros) {
  struct Case {
    const char* name;
    std::string second;  // of the shot at 11:59, the file starting at 12:00:00
    float minTime;
    std::vector<Piece> trace;  // empty: no trace
    std::string log;
  };
  const TestRecording recording = Recording("05 Jan 96 12:00:00", 100);
  const Case cases[] = {
      {"three frames early", "59.97", 0.0f, {Zeros(3), Frames(recording, 0, 7)}, "starts"},
      {"ending on the sample before the first", "59.9", 0.0f, {Zeros(10)}, "starts"},
      {"ending two samples before the first", "59.89", 0.0f, {}, ""},
      {"a minimum time moves the window",
       "59.0",
       0.99f,
       {Zeros(1), Frames(recording, 0, 9)},
       "starts"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSurvey survey;
    const std::string path = survey.AddRecording("OBS00001.001", recording);
    survey.SetShots({ShotAt(3, 11, 59, c.second)});

    const ConversionResult result = survey.Convert(c.minTime, c.minTime + 0.1f);

    EXPECT_EQ(result.outcome, RunOutcome::kFinished);
    if (c.trace.empty()) {
      EXPECT_EQ(ShotLog(result, survey), "");
      ExpectTraces(survey, 10, {});
    } else {
      EXPECT_EQ(ShotLog(result, survey), "\nShot 3 starts before the first sample of " + path +
                                             "\nShot 3 is matched to " + path);
      ExpectTraces(survey, 10, {c.trace});
    }
  }
}

TEST(ShotWindowTest, ExactHalvesOfASampleRoundAwayFromZero) {
  // At 4 samples per second 0.625 s is exactly 2.5 samples.
  const TestRecording recording = Recording("05 Jan 96 12:00:00", 20, 1000, 4.0f);
  struct Case {
    const char* name;
    TestShot shot;
    std::vector<Piece> trace;
  };
  const Case cases[] = {
      {"2.5 samples after the start", ShotAt(1, 12, 0, "0.625"), {Frames(recording, 3, 4)}},
      {"2.5 samples before the start",
       ShotAt(1, 11, 59, "59.375"),
       {Zeros(3), Frames(recording, 0, 1)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSurvey survey;
    survey.AddRecording("OBS00001.001", recording);
    survey.SetShots({c.shot});
    survey.Convert(0.0f, 1.0f);
    ExpectTraces(survey, 4, {c.trace});
  }
}

TEST(ShotWindowTest, TheEndOfTheDataDecidesWhetherAFileTakesTheWindow) {
  // Ten frames and five bytes of an incomplete one: data of 85 bytes.
  TestRecording recording = Recording("05 Jan 96 12:00:00", 10);
  recording.extraBytes = 5;
  struct Case {
    const char* name;
    std::string second;
    bool taken;
  };
  const Case cases[] = {
      {"the window starts on the last frame", "0.09", true},
      {"it starts in the incomplete frame after it", "0.10", true},
      {"it starts at the end of the data", "0.11", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSurvey survey;
    const std::string path = survey.AddRecording("OBS00001.001", recording);
    // Sample 11 lies at byte 88, past the 85 bytes; sample 10 at byte 80 is in the piece.
    TestShot shot = ShotAt(4, 12, 0, c.second);
    survey.SetShots({shot});
    const ConversionResult result = survey.Convert(0.0f, 0.03f);
    if (!c.taken) {
      EXPECT_EQ(ShotLog(result, survey), "");
      ExpectTraces(survey, 3, {});
      continue;
    }
    // The incomplete frame is never read: the rest of the window is padding.
    const std::size_t read = c.second == "0.09" ? 1 : 0;
    std::string log = "\nShot 4 extends beyond the last sample of " + path;
    for (std::size_t i = read; i < 3; ++i) {
      log += "\n  Shot 4 meets the last datafile " + path;
    }
    EXPECT_EQ(ShotLog(result, survey), log);
    ExpectTraces(survey, 3, {{Frames(recording, 9, read), Zeros(3 - read)}});
  }
}

TEST(ShotWindowTest, PaddingAtTheLastFileLogsOneLineForEveryZeroAndNoMatchedLine) {
  TestSurvey survey;
  const TestRecording recording = Recording("05 Jan 96 12:00:00", 100);
  const std::string path = survey.AddRecording("OBS00001.001", recording);
  // 60 samples left, a window of 100: 40 zeros.
  survey.SetShots({ShotAt(9, 12, 0, "0.4"), ShotAt(10, 12, 0, "0.1")});

  const ConversionResult result = survey.Convert(0.0f, 1.0f);

  std::string log = "\nShot 9 extends beyond the last sample of " + path;
  for (int i = 0; i < 40; ++i) {
    log += "\n  Shot 9 meets the last datafile " + path;
  }
  log += "\nShot 10 extends beyond the last sample of " + path;
  for (int i = 0; i < 10; ++i) {
    log += "\n  Shot 10 meets the last datafile " + path;
  }
  EXPECT_EQ(ShotLog(result, survey), log);
  EXPECT_EQ(result.messages, std::vector<std::string>{Summary(2)});
  ExpectTraces(survey, 100,
               {{Frames(recording, 40, 60), Zeros(40)}, {Frames(recording, 10, 90), Zeros(10)}});
}

// The shot at 12:00:00.995 takes frames 100 to 149 of the first file (150 frames from
// 12:00:00); its window of 200 samples then needs 150 more.
struct ContinuationCase {
  const char* name;
  TestRecording next;
  std::vector<Piece> trace;  // after the 50 frames of the first file
};

TEST(ShotWindowTest, AWindowRunningPastAFileContinuesIntoTheNextAfterItsGap) {
  const TestRecording first = Recording("05 Jan 96 12:00:00", 150, 1000);
  const TestRecording later = Recording("05 Jan 96 12:00:02", 200, 20000);
  const TestRecording earlier = Recording("05 Jan 96 12:00:01", 200, 20000);
  const TestRecording overlapping = Recording("05 Jan 96 12:00:00", 200, 20000);
  const TestRecording afterTheWindow = Recording("05 Jan 96 12:00:05", 0, 20000);
  const ContinuationCase cases[] = {
      // The first unfilled sample lies at 12:00:01.495; the next file starts 0.505 s later:
      // 51 zeros, then its first frame.
      {"a gap", later, {Zeros(51), Frames(later, 0, 99)}},
      // Overlapping samples are not skipped: the next file's first frame follows at once.
      {"a next file starting before the data ran out", earlier, {Frames(earlier, 0, 150)}},
      {"a next file starting with the first", overlapping, {Frames(overlapping, 0, 150)}},
      {"a gap longer than the rest of the window", afterTheWindow, {Zeros(150)}},
  };
  for (const ContinuationCase& c : cases) {
    SCOPED_TRACE(c.name);
    TestSurvey survey;
    const std::string firstPath = survey.AddRecording("OBS00001.001", first);
    const std::string nextPath = survey.AddRecording("OBS00002.001", c.next);
    survey.SetShots({ShotAt(12, 12, 0, "0.995")});

    const ConversionResult result = survey.Convert(0.0f, 2.0f);

    EXPECT_EQ(result.outcome, RunOutcome::kFinished);
    EXPECT_EQ(ShotLog(result, survey), "\nShot 12 extends beyond the last sample of " + firstPath +
                                           "\n  Shot 12 is also matched to " + nextPath);
    std::vector<Piece> trace = {Frames(first, 100, 50)};
    trace.insert(trace.end(), c.trace.begin(), c.trace.end());
    ExpectTraces(survey, 200, {trace});
  }
}

TEST(ShotWindowTest, TheGapIsCountedWithTheNextFilesSampleRate) {
  // The first file runs at 100 samples per second, the next at 4: the window keeps its 200
  // samples, and the gap of 12:00:01.495 to 12:00:02 is bridged in steps of 0.25 s.
  const TestRecording first = Recording("05 Jan 96 12:00:00", 150, 1000);
  const TestRecording next = Recording("05 Jan 96 12:00:02", 200, 20000, 4.0f);
  TestSurvey survey;
  survey.AddRecording("OBS00001.001", first);
  survey.AddRecording("OBS00002.001", next);
  survey.SetShots({ShotAt(12, 12, 0, "0.995")});

  survey.Convert(0.0f, 2.0f);

  // t = 0.995 + 50 / 4 = 13.495 s after 12:00:00 is already past the next file's start.
  ExpectTraces(survey, 200, {{Frames(first, 100, 50), Frames(next, 0, 150)}});
}

TEST(ShotWindowTest, ANextFileTooShortStopsTheRunKeepingTheTracesWritten) {
  const TestRecording first = Recording("05 Jan 96 12:00:00", 400, 1000);
  const TestRecording next = Recording("05 Jan 96 12:00:05", 98, 20000);
  TestSurvey survey;
  const std::string firstPath = survey.AddRecording("OBS00001.001", first);
  survey.AddRecording("OBS00002.001", next);
  // Windows of 400 samples. Shot 12 takes frames 251 to 399 of the first file, then 101
  // zeros from 12:00:03.995 up to 12:00:05, and needs 150 frames of the next file, which
  // holds 98. Shot 13 is never read.
  survey.SetShots({ShotAt(11, 12, 0, "0"), ShotAt(12, 12, 0, "2.505"), ShotAt(13, 12, 0, "0")});

  const ConversionResult result = survey.Convert(0.0f, 4.0f);

  EXPECT_EQ(result.outcome, RunOutcome::kStopped);
  EXPECT_EQ(result.messages, std::vector<std::string>{"Unhanled points in program!"});
  EXPECT_EQ(ShotLog(result, survey), "\nShot 11 is matched to " + firstPath +
                                         "\nShot 12 extends beyond the last sample of " +
                                         firstPath);
  // The first trace stays; the count field keeps the 1 written with the headers.
  for (int channel = 1; channel <= 4; ++channel) {
    const std::vector<std::uint8_t> file = survey.Output(channel);
    EXPECT_EQ(file.size(), kFirstTrace + kTraceHeaderBytes + 2 * 400);
    EXPECT_EQ(LoadLE16(file, 3212), 1);
    EXPECT_EQ(TraceSamples(file, 400, 0),
              Expected({Frames(first, 0, 400)}, static_cast<std::size_t>(channel - 1)));
  }
}

TEST(ShotWindowTest, ANextFileWithAnUnrecognisedDateSendsTheSearchOnFromThatFile) {
  const TestRecording first = Recording("05 Jan 96 12:00:00", 150, 1000);
  const TestRecording undated = Recording("05 Jab 96 12:00:02", 200, 20000);
  // The third file starts 0.3 s after the shot: 30 leading zeros.
  const TestRecording third = Recording("05 Jan 96 12:00:01", 300, 40000);
  TestSurvey survey;
  const std::string firstPath = survey.AddRecording("OBS00001.001", first);
  survey.AddRecording("OBS00002.001", undated);
  const std::string thirdPath = survey.AddRecording("OBS00003.001", third);
  survey.SetShots({ShotAt(12, 12, 0, "0.7")});

  const ConversionResult result = survey.Convert(0.0f, 2.0f);

  EXPECT_EQ(result.outcome, RunOutcome::kFinished);
  EXPECT_EQ(ShotLog(result, survey),
            "\nShot 12 extends beyond the last sample of " + firstPath +
                "\n total days not recognizable in datafile.  1 for shot #   12"
                "\n total days not recognizable in datafile.  1 for shot #   12"
                "\nShot 12 starts before the first sample of " +
                thirdPath + "\nShot 12 is matched to " + thirdPath);
  ExpectTraces(survey, 200, {{Zeros(30), Frames(third, 0, 170)}});
}

TEST(ShotWindowTest, OnlyFilesStartingOnTheShotsDayOrEarlierAreExamined) {
  // The second file starts at midnight after the shot; the window would reach into it.
  const TestRecording before = Recording("05 Jan 96 23:00:00", 10, 1000);
  const TestRecording nextDay = Recording("06 Jan 96 00:00:00", 100, 3000);
  TestSurvey survey;
  survey.AddRecording("OBS00001.001", before);
  survey.AddRecording("OBS00002.001", nextDay);
  survey.SetShots({ShotAt(1, 23, 59, "59.9")});

  const ConversionResult result = survey.Convert(0.0f, 0.5f);

  EXPECT_EQ(result.outcome, RunOutcome::kFinished);
  EXPECT_EQ(result.messages, std::vector<std::string>{Summary(0)});
  EXPECT_EQ(ShotLog(result, survey), "");
  // The first file passed the day test: the headers were written from it.
  ExpectTraces(survey, 50, {});
}

TEST(ShotWindowTest, TheFirstFileToPassTheDayTestFixesTheTraceLengthEvenWhenItRefuses) {
  // Processing order is by file number: the file at 200 samples per second comes first,
  // starts after the shot's window and refuses it; the 100-per-second file takes it.
  TestRecording refusing = Recording("05 Jan 96 12:10:00", 100, 1000, 200.0f);
  TestRecording taking = Recording("05 Jan 96 12:00:00", 400, 3000, 100.0f);
  TestSurvey survey;
  survey.AddRecording("OBS00001.001", refusing);
  const std::string takingPath = survey.AddRecording("OBS00002.001", taking);
  survey.SetShots({ShotAt(5, 12, 0, "1")});

  const ConversionResult result = survey.Convert(0.0f, 1.0f);

  EXPECT_EQ(ShotLog(result, survey), "\nShot 5 is matched to " + takingPath);
  // 1 s at 200 samples per second: 200 samples of 5000 us, read at the other file's rate.
  ExpectTraces(survey, 200, {{Frames(taking, 100, 200)}});
  EXPECT_EQ(LoadLE16(survey.Output(1), 3216), 5000);
}

TEST(ShotWindowTest, UnusableSampleRatesAndSizesStopTheRunNamingTheFile) {
  struct Case {
    const char* name;
    float sampleRate;
    std::int16_t bytesPerSample;
    const char* problem;
  };
  const Case cases[] = {
      {"no number", std::numeric_limits<float>::quiet_NaN(), 2, "sample rate"},
      {"infinite", std::numeric_limits<float>::infinity(), 2, "sample rate"},
      {"zero", 0.0f, 2, "sample rate"},
      {"negative", -100.0f, 2, "sample rate"},
      {"no bytes per sample", 100.0f, 0, "sample size"},
      {"negative bytes per sample", 100.0f, -2, "sample size"},
      {"the rate is checked first", 0.0f, 0, "sample rate"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSurvey survey;
    TestRecording bad = Recording("05 Jan 96 12:00:00", 100);
    bad.sampleRate = c.sampleRate;
    bad.bytesPerSample = c.bytesPerSample;
    const std::string path = survey.AddRecording("OBS00001.001", bad);
    survey.SetShots({ShotAt(1, 12, 0, "0")});

    const ConversionResult result = survey.Convert(0.0f, 0.5f);

    EXPECT_EQ(result.outcome, RunOutcome::kStopped);
    EXPECT_EQ(result.messages,
              std::vector<std::string>{"File " + path + " has an unusable " + c.problem});
    // Checked before the headers: the output files stay empty.
    EXPECT_EQ(survey.Output(1).size(), 0u);
  }
}

TEST(ShotWindowTest, AFilePassedOverForItsDateIsNeverCheckedForItsSampleRate) {
  TestSurvey survey;
  TestRecording undated = Recording("05 Xyz 96 12:00:00", 100);
  undated.sampleRate = 0.0f;
  TestRecording later = Recording("06 Jan 96 12:00:00", 100);
  later.sampleRate = 0.0f;
  survey.AddRecording("OBS00001.001", undated);
  survey.AddRecording("OBS00002.001", later);
  survey.SetShots({ShotAt(1, 12, 0, "0")});

  const ConversionResult result = survey.Convert(0.0f, 0.5f);

  EXPECT_EQ(result.outcome, RunOutcome::kFinished);
  EXPECT_EQ(ShotLog(result, survey),
            "\n total days not recognizable in datafile.  0 for shot #    1");
}

TEST(ShotWindowTest, AContinuationChecksTheNextFilesSampleRateOnly) {
  const TestRecording first = Recording("05 Jan 96 12:00:00", 150, 1000);
  TestRecording next = Recording("05 Jan 96 12:00:02", 200, 20000);
  next.sampleRate = -1.0f;
  TestSurvey survey;
  const std::string firstPath = survey.AddRecording("OBS00001.001", first);
  const std::string nextPath = survey.AddRecording("OBS00002.001", next);
  survey.SetShots({ShotAt(12, 12, 0, "0.995")});

  const ConversionResult result = survey.Convert(0.0f, 2.0f);

  EXPECT_EQ(result.outcome, RunOutcome::kStopped);
  EXPECT_EQ(result.messages,
            std::vector<std::string>{"File " + nextPath + " has an unusable sample rate"});
  EXPECT_EQ(ShotLog(result, survey), "\nShot 12 extends beyond the last sample of " + firstPath);
  EXPECT_EQ(survey.Output(1).size(), kFirstTrace);
}

// A recording of `frames` frames that is all zero bytes on disk except for test frames from
// frame `at` on, made as a sparse file so that recordings days long cost no disk space.
std::string AddSparseRecording(TestSurvey& survey, const std::string& name,
                               const TestRecording& header, std::int64_t frames, std::int64_t at,
                               std::size_t count) {
  const std::string path = survey.AddRecording(name, header);  // header, no frames
  std::vector<std::uint8_t> block;
  for (std::size_t k = 0; k < count; ++k) {
    AppendFrame(block, testing::TestFrame(header.first, k));
  }
  std::FILE* file = std::fopen(path.c_str(), "r+b");
  EXPECT_NE(file, nullptr);
  if (file == nullptr) {
    return path;
  }
  EXPECT_EQ(fseeko(file, 512 + 8 * at, SEEK_SET), 0);
  EXPECT_EQ(std::fwrite(block.data(), 1, block.size(), file), block.size());
  std::fclose(file);
  std::filesystem::resize_file(path, static_cast<std::uintmax_t>(512 + 8 * frames));
  return path;
}

TEST(ShotWindowTest, TheShotOffsetIsKeptInSinglePrecisionWhichCanMoveTheFirstSample) {
  // A day after the file's start the offset 86400.004 s is kept as 86400.0078125, its nearest
  // single-precision value: sample 8640000.78 rounds to 8640001. In double precision it
  // would have been 8640000.4, sample 8640000.
  const float offset = ShotOffset(
      [] {
        ShotRecord shot;
        shot.shotDay = 6;
        shot.shotHour = 12;
        shot.shotSecond = 0.004f;
        return shot;
      }(),
      RecorderStartTime{5, 12, 0, 0});
  EXPECT_EQ(offset, 86400.0078125f);
  EXPECT_EQ(FirstSampleIndex(offset, 0.0f, 100.0f), 8640001);

  TestSurvey survey;
  const TestRecording header = Recording("05 Jan 96 12:00:00", 0, 7000);
  AddSparseRecording(survey, "OBS00001.001", header, 8640100, 8640000, 20);
  survey.SetShots({ShotAt(1, 12, 0, "0.004", 6)});
  survey.Convert(0.0f, 0.05f);
  ExpectTraces(survey, 5, {{Frames(header, 1, 5)}});
}

TEST(ShotWindowTest, SampleIndicesDaysIntoAFileDoNotOverflow) {
  // Seven days at 1000 samples per second: frame 604,800,000 lies 4.8 GB into the file, past
  // what 32-bit positions reach.
  TestSurvey survey;
  const TestRecording header = Recording("05 Jan 96 12:00:00", 0, 9000, 1000.0f);
  const std::int64_t frame = std::int64_t{7} * 86400 * 1000;
  AddSparseRecording(survey, "OBS00001.001", header, frame + 100, frame - 2, 20);
  survey.SetShots({ShotAt(1, 12, 0, "0", 12)});

  const ConversionResult result = survey.Convert(0.0f, 0.01f);

  EXPECT_EQ(result.outcome, RunOutcome::kFinished);
  ExpectTraces(survey, 10, {{Frames(header, 2, 10)}});
}

}  // namespace
}  // namespace obscut
