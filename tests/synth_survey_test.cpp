// obscut-synth's surveys: what the converter reads back from them (start times, sample rate,
// file lengths, the shot table), where the arrivals lie, and that a seed fixes every byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "base/byte_order.h"
#include "recorder/recorder_file.h"
#include "recorder/shot_table.h"
#include "recorder/start_time.h"
#include "support/scratch_dir.h"
#include "survey/survey_calendar.h"
#include "synth/recorder_signal.h"
#include "synth/shot_arrivals.h"
#include "synth/survey_plan.h"
#include "synth/synth_options.h"
#include "synth/synthetic_survey.h"

namespace obscut {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;

SynthOptions Options(const std::string& folder, std::vector<std::string_view> arguments) {
  arguments.insert(arguments.begin(), {"--out", folder});
  const SynthArguments parsed = ParseSynthArguments(arguments);
  EXPECT_EQ(parsed.action, SynthArguments::Action::kRun) << parsed.problem;
  return parsed.options;
}

SurveyPlan Plan(const SynthOptions& options) {
  auto plan = SurveyPlan::Make(options);
  if (const auto* problem = std::get_if<std::string>(&plan)) {
    ADD_FAILURE() << *problem;
  }
  return std::get<SurveyPlan>(std::move(plan));
}

std::vector<WrittenFile> MakeSurvey(const std::string& folder,
                                    std::vector<std::string_view> arguments) {
  const SynthOptions options = Options(folder, std::move(arguments));
  return WriteSyntheticSurvey(Plan(options), options);
}

// Three files of 4 s at 50 samples/s across midnight into 1 March of a common year: a 2 s
// gap, then a 1 s overlap.
const std::vector<std::string_view> kTinySurvey = {"--files",         "3",
                                                   "--file-seconds",  "4",
                                                   "--sample-rate",   "50",
                                                   "--gap",           "2,-1",
                                                   "--start",         "28 Feb 97 23:59:55",
                                                   "--shot-interval", "1.5",
                                                   "--max-range",     "2"};

TEST(SynthSurvey, RecorderHeadersHoldTheIntendedStartTimesAndSampleFormat) {
  ScratchDir dir;
  const auto written = MakeSurvey(dir.path().string(), kTinySurvey);
  ASSERT_EQ(written.size(), 4u);

  struct Expected {
    const char* name;
    const char* startTimeText;
    int fileDay;
    int hour, minute, second;
  };
  const Expected expected[] = {
      {"OBS00001.001", "28 Feb 97 23:59:55", 59, 23, 59, 55},
      {"OBS00002.001", "01 Mar 97 00:00:01", 60, 0, 0, 1},  // 4 s of data, then 2 s of gap
      {"OBS00003.001", "01 Mar 97 00:00:04", 60, 0, 0, 4},  // 1 s before the second ends
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const Expected& e = expected[i];
    SCOPED_TRACE(e.name);
    const std::string path = dir.File(e.name);
    EXPECT_EQ(written[i].path, path);
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    // 200 frames of 8 bytes behind the 512-byte header.
    ASSERT_EQ(bytes.size(), 512u + 8u * 200u);
    EXPECT_EQ(written[i].bytes, 512 + 8 * 200);

    // bytesPerSample 2 (little-endian) at 10, sample rate 50.0f (little-endian) at 32.
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 10, bytes.begin() + 12),
              (std::vector<std::uint8_t>{0x02, 0x00}));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 32, bytes.begin() + 36),
              (std::vector<std::uint8_t>{0x00, 0x00, 0x48, 0x42}));
    EXPECT_EQ(std::string(bytes.begin() + 192, bytes.begin() + 210), e.startTimeText);
    // The text part ends in zero bytes.
    EXPECT_EQ(bytes[511], 0);

    const auto file = RecorderFile::ReadRecorderHeader(path);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->header().bytesPerSample(), 2);
    EXPECT_EQ(file->header().sampleRate(), 50.0f);
    const RecorderStartTime start = ParseStartTime(file->header());
    EXPECT_EQ(start.fileDay, e.fileDay);
    EXPECT_EQ(start.fileHour, e.hour);
    EXPECT_EQ(start.fileMinute, e.minute);
    EXPECT_EQ(start.fileSecond, e.second);
  }
}

TEST(SynthSurvey, ShotTableIsReadByTheConverterWithEveryShotInOrder) {
  ScratchDir dir;
  const auto written = MakeSurvey(dir.path().string(), kTinySurvey);
  const std::string table_path = dir.File(kShotTableName);
  EXPECT_EQ(written.back().path, table_path);

  auto table = ShotTable::OpenShotTable(table_path);
  ASSERT_TRUE(table.has_value());
  ASSERT_TRUE(table->ReadShotTableHeader());
  EXPECT_FLOAT_EQ(table->header().stationY, 4937.5f);
  EXPECT_FLOAT_EQ(table->header().stationX, 612.25f);
  EXPECT_EQ(table->header().line3Values, (std::array<std::int32_t, 4>{1, 1, 4, 50}));
  EXPECT_EQ(table->header().line5Value, 1);

  // The recording runs 13 s from 23:59:55; the first shot comes 0.75 + 0.137 s after the
  // start (give or take 20 ms), and every shot is followed by a whole interval of recording.
  constexpr int kShots = 8;
  EXPECT_EQ(table->header().line6Value, kShots);
  std::vector<ShotRecord> shots;
  while (table->ReadShotRecord() == ShotTable::ReadResult::kShot) {
    shots.push_back(table->shot());
  }
  ASSERT_EQ(shots.size(), static_cast<std::size_t>(kShots));

  const std::int64_t start = ClockSeconds(59, 23, 59, 55);
  double previous = 0.0;
  for (std::size_t i = 0; i < shots.size(); ++i) {
    const ShotRecord& shot = shots[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(shot.shotNumber, static_cast<int>(i) + 1);
    const double time =
        static_cast<double>(ClockSeconds(shot.shotDay, shot.shotHour, shot.shotMinute, 0)) +
        shot.shotSecond;
    EXPECT_NEAR(time - static_cast<double>(start), 0.887 + 1.5 * static_cast<double>(i), 0.0205);
    EXPECT_GT(time, previous);
    previous = time;
    // Midnight is 5 s after the start: shots 1 to 3 are on day 59, the others on day 60.
    EXPECT_EQ(shot.shotDay, i < 3 ? 59 : 60);
    EXPECT_GE(shot.shotSecond, 0.0f);
    EXPECT_LT(shot.shotSecond, 60.0f);
    EXPECT_GT(shot.waterDepth, 2000.0f);
    EXPECT_LT(shot.waterDepth, 4000.0f);
  }
  // The ship runs from 2 km before the station to 2 km past it, straight and evenly.
  EXPECT_FLOAT_EQ(shots.front().range, -2.0f);
  EXPECT_FLOAT_EQ(shots.back().range, 2.0f);
  for (std::size_t i = 1; i < shots.size(); ++i) {
    EXPECT_NEAR(shots[i].range - shots[i - 1].range, 4.0 / 7.0, 1e-3);
    const double step =
        std::hypot(shots[i].shotY - shots[i - 1].shotY, shots[i].shotX - shots[i - 1].shotX);
    EXPECT_NEAR(step, 4.0 / 7.0, 1e-3);
  }
}

TEST(SynthSurvey, SameSeedGivesTheSameBytesAndAnotherSeedOtherSamples) {
  ScratchDir first;
  ScratchDir again;
  ScratchDir other;
  const auto written = MakeSurvey(first.path().string(), kTinySurvey);
  MakeSurvey(again.path().string(), kTinySurvey);
  std::vector<std::string_view> other_seed = kTinySurvey;
  other_seed.insert(other_seed.end(), {"--seed", "2"});
  MakeSurvey(other.path().string(), other_seed);

  for (const WrittenFile& file : written) {
    const std::string name = std::filesystem::path(file.path).filename().string();
    SCOPED_TRACE(name);
    const auto bytes = ReadBytes(file.path);
    EXPECT_EQ(bytes, ReadBytes(again.File(name)));
    const auto other_bytes = ReadBytes(other.File(name));
    ASSERT_EQ(other_bytes.size(), bytes.size());
    if (name != kShotTableName) {
      EXPECT_FALSE(std::equal(bytes.begin() + 512, bytes.end(), other_bytes.begin() + 512));
    }
  }
  // The noise of seed 1 is fixed: the first two frames of the first file.
  const auto bytes = ReadBytes(written.front().path);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 512, bytes.begin() + 528),
            (std::vector<std::uint8_t>{0x7F, 0xBE, 0x7F, 0xC0, 0x7F, 0xCB, 0x80, 0x18, 0x7F, 0xC1,
                                       0x7F, 0xD0, 0x7F, 0xBE, 0x80, 0x28}));
}

// Samples of one channel of a recorder file, from frame `first` on.
std::vector<int> Channel(const std::vector<std::uint8_t>& file, std::size_t channel,
                         std::size_t first, std::size_t count) {
  std::vector<int> samples;
  for (std::size_t k = first; k < first + count; ++k) {
    samples.push_back(LoadBE16(file, 512 + 8 * k + 2 * channel));
  }
  return samples;
}

TEST(SynthSurvey, ArrivalsStandOutOfTheNoiseWhereTheirTravelTimesPutThem) {
  // One shot straight over the station, in a single file of 20 s at 100 samples/s.
  ScratchDir dir;
  const SynthOptions options =
      Options(dir.path().string(),
              {"--files", "1", "--file-seconds", "20", "--sample-rate", "100", "--shots", "1",
               "--shot-interval", "2", "--start", "05 Jul 96 12:00:00"});
  const SurveyPlan plan = Plan(options);
  WriteSyntheticSurvey(plan, options);
  const auto bytes = ReadBytes(dir.File("OBS00001.001"));
  const RecorderSignal signal(plan, options.seed);

  const ShotLine shot = plan.Shot(0);
  const double shot_seconds =
      static_cast<double>(shot.timeMs - plan.files()[0].startSeconds * 1000) / 1000.0;
  ASSERT_NEAR(shot_seconds, 1.137, 0.021);
  const auto arrivals = ShotArrivals(shot.range, shot.waterDepth);
  const double water_wave = shot_seconds + shot.waterDepth / 1500.0;
  EXPECT_NEAR(arrivals[1].travelSeconds, shot.waterDepth / 1500.0, 1e-9);

  for (std::size_t channel = 0; channel < 4; ++channel) {
    SCOPED_TRACE(channel + 1);
    const int rest = signal.restingLevels()[channel];
    EXPECT_LE(std::abs(rest - 32768), 60);
    // Before the first arrival there is nothing but noise.
    const std::size_t quiet_end =
        static_cast<std::size_t>((shot_seconds + arrivals[0].travelSeconds - 0.3) * 100);
    for (int sample : Channel(bytes, channel, 0, quiet_end)) {
      ASSERT_LE(std::abs(sample - rest), RecorderSignal::kNoiseAmplitude);
    }
  }
  // The hydrophone's strongest sample is the direct water wave, the vertical geophone's the
  // refracted wave.
  const auto strongest = [&](std::size_t channel) {
    const std::vector<int> samples = Channel(bytes, channel, 0, 2000);
    const int rest = signal.restingLevels()[channel];
    const auto peak = std::max_element(samples.begin(), samples.end(), [&](int a, int b) {
      return std::abs(a - rest) < std::abs(b - rest);
    });
    return std::pair{static_cast<double>(peak - samples.begin()) / 100.0, *peak - rest};
  };
  const auto [hydrophone_time, hydrophone_peak] = strongest(0);
  EXPECT_NEAR(hydrophone_time, water_wave, 0.015);
  EXPECT_GT(hydrophone_peak, 1000);
  const auto [vertical_time, vertical_peak] = strongest(1);
  EXPECT_NEAR(vertical_time, shot_seconds + arrivals[0].travelSeconds, 0.015);
  EXPECT_GT(vertical_peak, 1000);
}

}  // namespace
}  // namespace obscut
