// The trace processing of obscut-section: debias, band-pass, normalisation and automatic
// gain, the reduced time, the ticks, and the command line.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string_view>
#include <vector>

#include "section/band_pass.h"
#include "section/prepared_section.h"
#include "section/section_geometry.h"
#include "section/section_options.h"
#include "section/trace_gain.h"

namespace obscut {
namespace {

constexpr double kSampleRate = 100.0;

std::vector<double> Tone(double hz, std::size_t samples) {
  std::vector<double> tone(samples);
  for (std::size_t i = 0; i < samples; ++i) {
    tone[i] = std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(i) / kSampleRate);
  }
  return tone;
}

// A tone's amplitude from its root mean square, away from both ends where the filter has
// settled. (The largest sample would fall short of the amplitude: at 10 Hz and 100 samples
// per second no sample meets a crest.)
double MiddleAmplitude(const std::vector<double>& trace) {
  double sum = 0.0;
  const std::size_t from = trace.size() / 4;
  const std::size_t to = 3 * trace.size() / 4;
  for (std::size_t i = from; i < to; ++i) {
    sum += trace[i] * trace[i];
  }
  return std::sqrt(2.0 * sum / static_cast<double>(to - from));
}

TEST(BandPass, PassesTonesInsideTheBandAndSuppressesThoseOutside) {
  struct Case {
    double hz;
    double low;  // expected amplitude after filtering a tone of amplitude 1
    double high;
  };
  const Case cases[] = {
      {7.0, 0.97, 1.01},   // well inside 3-15 Hz
      {10.0, 0.97, 1.01},  // well inside
      {3.0, 0.47, 0.53},   // a corner: 1/2 after the forward and the backward pass
      {15.0, 0.47, 0.53},  // the other corner
      {0.5, 0.0, 0.05},    // below the band
      {40.0, 0.0, 0.05},   // above it
  };
  const BandPass filter(3.0, 15.0, kSampleRate);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hz);
    std::vector<double> trace = Tone(c.hz, 4000);
    filter.ApplyZeroPhase(trace);
    const double amplitude = MiddleAmplitude(trace);
    EXPECT_GE(amplitude, c.low);
    EXPECT_LE(amplitude, c.high);
  }
}

TEST(BandPass, LeavesTheArrivalTimeOfASymmetricPulseWhereItWas) {
  // A Ricker wavelet of 8 Hz peaking at sample 300: a one-pass filter would delay the peak.
  std::vector<double> trace(600, 0.0);
  for (std::size_t i = 0; i < trace.size(); ++i) {
    const double t = (static_cast<double>(i) - 300.0) / kSampleRate;
    const double a = std::pow(std::numbers::pi * 8.0 * t, 2.0);
    trace[i] = (1.0 - 2.0 * a) * std::exp(-a);
  }
  BandPass(3.0, 15.0, kSampleRate).ApplyZeroPhase(trace);
  const auto peak = std::max_element(trace.begin(), trace.end());
  EXPECT_EQ(peak - trace.begin(), 300);
  // And the wavelet stays symmetric about it.
  for (std::size_t k = 1; k < 40; ++k) {
    EXPECT_NEAR(trace[300 - k], trace[300 + k], 1e-6) << k;
  }
}

TEST(Debias, RemovesTheMeanOfTheRecordedCountsAndKeepsGapsQuiet) {
  // 0 is where the converter wrote no data: out of the mean, and 0 afterwards.
  const std::vector<float> counts = {0.0f, 32770.0f, 32766.0f, 0.0f, 32771.0f, 32765.0f, 0.0f};
  const std::vector<double> expected = {0.0, 2.0, -2.0, 0.0, 3.0, -3.0, 0.0};
  EXPECT_EQ(Debias(counts), expected);
  EXPECT_EQ(Debias(std::vector<float>{0.0f, 0.0f}), (std::vector<double>{0.0, 0.0}));
  // A trace wholly about 65535 and 1 comes out around zero as well.
  EXPECT_EQ(Debias(std::vector<float>{65535.0f, 65533.0f}), (std::vector<double>{1.0, -1.0}));
}

TEST(NormaliseTrace, MakesThePeakWithinTheShownSamplesOne) {
  std::vector<double> trace = {-8.0, 4.0, 2.0, 100.0};
  NormaliseTrace(trace, 0, 3);  // the 100 is outside the samples shown
  EXPECT_EQ(trace, (std::vector<double>{-1.0, 0.5, 0.25, 12.5}));
  std::vector<double> quiet = {0.0, 0.0, 5.0};
  NormaliseTrace(quiet, 0, 2);
  EXPECT_EQ(quiet, (std::vector<double>{0.0, 0.0, 5.0}));
}

TEST(AutomaticGain, BringsQuietAndLoudPartsToTheSameLevel) {
  // A 5 Hz tone of amplitude 1 for 10 s, then of amplitude 100 for 10 s.
  std::vector<double> trace = Tone(5.0, 2000);
  for (std::size_t i = 1000; i < trace.size(); ++i) {
    trace[i] *= 100.0;
  }
  const std::vector<double> gained = AutomaticGain(trace, 100);  // 1 s, five whole periods
  double quietPeak = 0.0;
  double loudPeak = 0.0;
  for (std::size_t i = 100; i < 900; ++i) {
    quietPeak = std::max(quietPeak, std::fabs(gained[i]));
    loudPeak = std::max(loudPeak, std::fabs(gained[i + 1000]));
  }
  EXPECT_NEAR(quietPeak, 1.0, 0.02);
  EXPECT_NEAR(loudPeak, 1.0, 0.02);
  EXPECT_EQ(AutomaticGain(std::vector<double>(10, 0.0), 4), std::vector<double>(10, 0.0));
}

TEST(ReductionDelay, TakesTheDistanceWhicheverSideOfTheStationTheShotIs) {
  EXPECT_DOUBLE_EQ(ReductionDelay(-12.0, 6.0), 2.0);
  EXPECT_DOUBLE_EQ(ReductionDelay(12.0, 6.0), 2.0);
  EXPECT_DOUBLE_EQ(ReductionDelay(12.0, 0.0), 0.0);
}

TEST(NiceTicks, StepsByOneTwoOrFiveTimesAPowerOfTen) {
  struct Case {
    TimeInterval span;
    int maxTicks;
    std::vector<double> ticks;
  };
  const Case cases[] = {
      {{-1.0, 15.0}, 8, {0, 2, 4, 6, 8, 10, 12, 14}},
      {{-32.0, 32.0}, 14, {-30, -25, -20, -15, -10, -5, 0, 5, 10, 15, 20, 25, 30}},
      {{0.0, 0.5}, 5, {0.0, 0.1, 0.2, 0.3, 0.4, 0.5}},
      {{0.5, 29.5}, 5, {10, 20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.span.to);
    const std::vector<double> ticks = NiceTicks(c.span, c.maxTicks);
    ASSERT_EQ(ticks.size(), c.ticks.size());
    for (std::size_t i = 0; i < ticks.size(); ++i) {
      EXPECT_NEAR(ticks[i], c.ticks[i], 1e-12);
    }
  }
}

SegySection FourTraces() {
  SegySection section;
  section.path = "/data/line1ch1.sgy";
  section.sampleIntervalSeconds = 0.01;
  section.samplesPerTrace = 3001;  // 30 s
  for (double range : {-24.0, -12.0, 0.0, 24.0}) {
    section.traces.push_back({static_cast<std::int32_t>(100 + range), range,
                              std::vector<float>(section.samplesPerTrace, 32768.0f)});
  }
  return section;
}

TEST(PrepareSection, PlacesTracesByRangeInReducedTimeUnderATitleOfTheirShots) {
  SectionSettings settings;
  settings.reduceVelocity = 6.0;
  settings.minTime = 1.0;
  const auto prepared = PrepareSection(FourTraces(), settings);
  ASSERT_TRUE(std::holds_alternative<PreparedSection>(prepared));
  const auto& section = std::get<PreparedSection>(prepared);
  ASSERT_EQ(section.traces.size(), 4u);
  EXPECT_DOUBLE_EQ(section.traces[0].x, -24.0);
  EXPECT_DOUBLE_EQ(section.traces[0].firstSampleTime, 1.0 - 4.0);
  EXPECT_DOUBLE_EQ(section.traces[1].firstSampleTime, 1.0 - 2.0);
  EXPECT_DOUBLE_EQ(section.traces[2].firstSampleTime, 1.0);
  EXPECT_DOUBLE_EQ(section.traces[3].firstSampleTime, 1.0 - 4.0);
  EXPECT_DOUBLE_EQ(section.spacing, 12.0);  // the median of the gaps 12, 12 and 24
  EXPECT_DOUBLE_EQ(section.x.from, -36.0);
  EXPECT_DOUBLE_EQ(section.x.to, 36.0);
  EXPECT_DOUBLE_EQ(section.t.from, -1.0);
  EXPECT_DOUBLE_EQ(section.t.to, 15.0);
  EXPECT_EQ(section.title, "line1ch1.sgy - shots 76 to 124");
  EXPECT_EQ(section.tCaption, "Reduced time t - |range| / 6 km/s (s)");
}

TEST(DefaultTimeRange, ShowsMinusOneToFifteenSecondsOrWhatTheDataCover) {
  SegySection section = FourTraces();
  SectionSettings settings;
  settings.reduceVelocity = 0.0;
  EXPECT_DOUBLE_EQ(DefaultTimeRange(section, settings).from, 0.0);
  EXPECT_DOUBLE_EQ(DefaultTimeRange(section, settings).to, 15.0);
  section.samplesPerTrace = 501;  // 5 s
  EXPECT_DOUBLE_EQ(DefaultTimeRange(section, settings).to, 5.0);
  settings.minTime = 100.0;  // all data after 15 s: all of them
  EXPECT_DOUBLE_EQ(DefaultTimeRange(section, settings).from, 100.0);
  EXPECT_DOUBLE_EQ(DefaultTimeRange(section, settings).to, 105.0);
}

TEST(PrepareSection, RefusesABandReachingHalfTheSampleRate) {
  SectionSettings settings;
  settings.band = BandLimits{3.0, 50.0};
  const auto prepared = PrepareSection(FourTraces(), settings);
  ASSERT_TRUE(std::holds_alternative<std::string>(prepared));
  EXPECT_EQ(std::get<std::string>(prepared),
            "the band's high corner, 50 Hz, is not below half the sample rate of "
            "/data/line1ch1.sgy (50 Hz)");
}

TEST(ParseSectionArguments, ReadsEveryOption) {
  const std::vector<std::string_view> arguments = {
      "--size", "800x600",    "--reduce=8", "--time-range", "-2,10.5", "--band", "3,15",
      "--gain", "agc=0.5",    "--style",    "grey",         "--by",    "order",  "--clip",
      "0.25",   "--min-time", "-5",         "in.sgy",       "-o",      "pic.png"};
  const SectionArguments parsed = ParseSectionArguments(arguments);
  ASSERT_EQ(parsed.action, SectionArguments::Action::kRun) << parsed.problem;
  const SectionSettings& s = parsed.settings;
  EXPECT_EQ(s.inputPath, "in.sgy");
  EXPECT_EQ(s.outputPath, "pic.png");
  EXPECT_EQ(s.width, 800);
  EXPECT_EQ(s.height, 600);
  EXPECT_EQ(s.reduceVelocity, 8.0);
  ASSERT_TRUE(s.timeRange.has_value());
  EXPECT_EQ(s.timeRange->from, -2.0);
  EXPECT_EQ(s.timeRange->to, 10.5);
  ASSERT_TRUE(s.band.has_value());
  EXPECT_EQ(s.band->lowHz, 3.0);
  EXPECT_EQ(s.band->highHz, 15.0);
  EXPECT_EQ(s.gain, TraceGain::kAutomatic);
  EXPECT_EQ(s.agcWindowSeconds, 0.5);
  EXPECT_EQ(s.style, DrawStyle::kGrey);
  EXPECT_EQ(s.placement, TracePlacement::kByOrder);
  EXPECT_EQ(s.clip, 0.25);
  EXPECT_EQ(s.minTime, -5.0);
}

TEST(ParseSectionArguments, GivesUsefulDefaults) {
  const std::vector<std::string_view> arguments = {"out/line1ch1.sgy"};
  const SectionArguments parsed = ParseSectionArguments(arguments);
  ASSERT_EQ(parsed.action, SectionArguments::Action::kRun) << parsed.problem;
  const SectionSettings& s = parsed.settings;
  EXPECT_EQ(s.outputPath, "out/line1ch1.png");
  EXPECT_EQ(s.width, 1600);
  EXPECT_EQ(s.height, 1000);
  EXPECT_EQ(s.reduceVelocity, 6.0);
  EXPECT_FALSE(s.timeRange.has_value());
  EXPECT_FALSE(s.band.has_value());
  EXPECT_EQ(s.gain, TraceGain::kNormalise);
  EXPECT_EQ(s.style, DrawStyle::kWiggle);
  EXPECT_EQ(s.placement, TracePlacement::kByRange);
  EXPECT_FALSE(s.clip.has_value());
}

TEST(ParseSectionArguments, NamesTheOptionThatIsWrong) {
  struct Case {
    std::vector<std::string_view> arguments;
    const char* problem;
  };
  const Case cases[] = {
      {{}, "no SEG-Y file given"},
      {{"a.sgy", "b.sgy"}, "one SEG-Y file at a time, not 2"},
      {{"a.sgy", "--colour", "red"}, "unknown option --colour"},
      {{"a.sgy", "--reduce"}, "--reduce needs a value"},
      {{"a.sgy", "--reduce", "-6"}, "--reduce needs a velocity in km/s, or 0 for no reduction"},
      {{"a.sgy", "--size", "1600"},
       "--size needs WIDTHxHEIGHT in pixels, each from 200 to 20000, for example 1600x1000"},
      {{"a.sgy", "--size", "100x1000"},
       "--size needs WIDTHxHEIGHT in pixels, each from 200 to 20000, for example 1600x1000"},
      {{"a.sgy", "--time-range", "5,5"},
       "--time-range needs FROM,TO in seconds with FROM below TO, for example -1,12"},
      {{"a.sgy", "--band", "15,3"},
       "--band needs LOW,HIGH in Hz with 0 < LOW < HIGH, for example 3,15"},
      {{"a.sgy", "--band", "0,3"},
       "--band needs LOW,HIGH in Hz with 0 < LOW < HIGH, for example 3,15"},
      {{"a.sgy", "--gain", "agc=0"},
       "--gain needs normalise, agc or agc=SECONDS (a window longer than 0)"},
      {{"a.sgy", "--style", "colour"}, "--style needs wiggle or grey"},
      {{"a.sgy", "--by", "shot"}, "--by needs range or order"},
      {{"a.sgy", "--clip", "0"}, "--clip needs an amplitude above 0, for example 0.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.problem);
    const SectionArguments parsed = ParseSectionArguments(c.arguments);
    EXPECT_EQ(parsed.action, SectionArguments::Action::kUsageError);
    EXPECT_EQ(parsed.problem, c.problem);
  }
}

}  // namespace
}  // namespace obscut
