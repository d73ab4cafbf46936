// obscut-synth's command line, and the surveys it refuses to plan.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "synth/survey_plan.h"
#include "synth/synth_options.h"

namespace obscut {
namespace {

TEST(SynthOptions, DefaultsNeedOnlyTheOutputFolder) {
  const std::vector<std::string_view> arguments = {"--out", "survey"};
  const SynthArguments parsed = ParseSynthArguments(arguments);
  ASSERT_EQ(parsed.action, SynthArguments::Action::kRun) << parsed.problem;
  const SynthOptions& options = parsed.options;
  EXPECT_EQ(options.outDir, "survey");
  EXPECT_EQ(options.files, 3);
  EXPECT_EQ(options.fileSeconds, 3600);
  EXPECT_EQ(options.gapSeconds, std::vector<int>{3});
  EXPECT_EQ(options.sampleRate, 250.0f);
  EXPECT_EQ(options.shotIntervalSeconds, 60.0);
  EXPECT_FALSE(options.shots.has_value());
  EXPECT_EQ(options.seed, 1u);
  EXPECT_EQ(options.station, "OBS07");
  EXPECT_EQ(options.start.year, 96);
  EXPECT_EQ(options.start.seconds, ClockSeconds(60, 23, 45, 0));  // 29 Feb 96
}

TEST(SynthOptions, ReadsEveryOptionInBothSpellings) {
  const std::vector<std::string_view> arguments = {"--out=a b",
                                                   "--files",
                                                   "7",
                                                   "--file-seconds=600",
                                                   "--gap",
                                                   "5,0,-2",
                                                   "--sample-rate",
                                                   "62.5",
                                                   "--shot-interval",
                                                   "30.5",
                                                   "--shots=12",
                                                   "--seed",
                                                   "18446744073709551615",
                                                   "--station=OBS-12",
                                                   "--start",
                                                   "05 Jul 96 23:45:00",
                                                   "--max-range",
                                                   "12.5"};
  const SynthArguments parsed = ParseSynthArguments(arguments);
  ASSERT_EQ(parsed.action, SynthArguments::Action::kRun) << parsed.problem;
  const SynthOptions& options = parsed.options;
  EXPECT_EQ(options.outDir, "a b");
  EXPECT_EQ(options.files, 7);
  EXPECT_EQ(options.fileSeconds, 600);
  EXPECT_EQ(options.gapSeconds, (std::vector<int>{5, 0, -2}));
  EXPECT_EQ(options.sampleRate, 62.5f);
  EXPECT_EQ(options.shotIntervalSeconds, 30.5);
  EXPECT_EQ(options.shots, 12);
  EXPECT_EQ(options.seed, 18446744073709551615u);
  EXPECT_EQ(options.station, "OBS-12");
  EXPECT_EQ(options.start.seconds, ClockSeconds(187, 23, 45, 0));
  EXPECT_EQ(options.maxRangeKm, 12.5);
}

TEST(SynthOptions, HelpWinsOverEverythingElse) {
  const std::vector<std::string_view> arguments = {"--files", "0", "--help"};
  EXPECT_EQ(ParseSynthArguments(arguments).action, SynthArguments::Action::kHelp);
}

TEST(SynthOptions, WrongCommandLinesNameWhatIsWrong) {
  struct Case {
    std::vector<std::string_view> arguments;
    const char* problem;
  };
  const Case cases[] = {
      {{}, "--out is required"},
      {{"--out", "s", "--files", "0"}, "--files needs"},
      {{"--out", "s", "--files", "1000"}, "--files needs"},
      {{"--out", "s", "--files", "3x"}, "--files needs"},
      {{"--out", "s", "--file-seconds", "-5"}, "--file-seconds needs"},
      {{"--out", "s", "--gap", "3,,4"}, "--gap needs"},
      {{"--out", "s", "--gap", "1.5"}, "--gap needs"},
      {{"--out", "s", "--file-seconds", "60", "--gap", "3,-60"}, "--gap: an overlap"},
      {{"--out", "s", "--sample-rate", "0"}, "--sample-rate needs"},
      {{"--out", "s", "--sample-rate", "nan"}, "--sample-rate needs"},
      {{"--out", "s", "--shot-interval", "0"}, "--shot-interval needs"},
      {{"--out", "s", "--shots", "40000"}, "--shots needs"},
      {{"--out", "s", "--seed", "-1"}, "--seed needs"},
      {{"--out", "s", "--station", "two words"}, "--station needs"},
      {{"--out", "s", "--start", "30 Feb 96 00:00:00"}, "--start needs"},
      {{"--out", "s", "--max-range", "0"}, "--max-range needs"},
      {{"--out", "s", "--colour"}, "unknown option --colour"},
      {{"--out", "s", "extra"}, "unexpected argument extra"},
      {{"--out"}, "option --out needs a value"},
      {{"--out="}, "--out needs a folder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.problem);
    const SynthArguments parsed = ParseSynthArguments(c.arguments);
    EXPECT_EQ(parsed.action, SynthArguments::Action::kUsageError);
    EXPECT_EQ(parsed.problem.rfind(c.problem, 0), 0u) << parsed.problem;
  }
}

std::variant<SurveyPlan, std::string> PlanFor(std::vector<std::string_view> arguments) {
  arguments.insert(arguments.begin(), {"--out", "s"});
  const SynthArguments parsed = ParseSynthArguments(arguments);
  EXPECT_EQ(parsed.action, SynthArguments::Action::kRun) << parsed.problem;
  return SurveyPlan::Make(parsed.options);
}

// The shot table has a day of the year but no year: a survey must end in its starting year.
TEST(SurveyPlan, EndsInTheYearItStarts) {
  // Two minutes from 23:58:00 on 31 December end exactly at midnight.
  const auto fits = PlanFor({"--start", "31 Dec 96 23:58:00", "--files", "2", "--file-seconds",
                             "60", "--gap", "0", "--shot-interval", "10"});
  ASSERT_TRUE(std::holds_alternative<SurveyPlan>(fits)) << std::get<std::string>(fits);
  EXPECT_EQ(std::get<SurveyPlan>(fits).files().back().startSeconds, ClockSeconds(366, 23, 59, 0));

  const auto one_second_over = PlanFor(
      {"--start", "31 Dec 96 23:58:01", "--files", "2", "--file-seconds", "60", "--gap", "0"});
  ASSERT_TRUE(std::holds_alternative<std::string>(one_second_over));
  EXPECT_NE(std::get<std::string>(one_second_over).find("past 31 Dec 96"), std::string::npos);

  // Shots asked for beyond the recording count too.
  const auto late_shots = PlanFor(
      {"--start", "31 Dec 95 23:00:00", "--files", "1", "--file-seconds", "60", "--shots", "100"});
  EXPECT_TRUE(std::holds_alternative<std::string>(late_shots));
}

TEST(SurveyPlan, RefusesMoreShotsThanAShotNumberHolds) {
  const auto plan = PlanFor({"--file-seconds", "40000", "--shot-interval", "1", "--start",
                             "01 Jan 96 00:00:00", "--sample-rate", "1"});
  ASSERT_TRUE(std::holds_alternative<std::string>(plan));
  EXPECT_NE(std::get<std::string>(plan).find("32767"), std::string::npos);
}

TEST(SurveyPlan, FilesFollowEachOtherWithTheGapsInTurn) {
  const auto made = PlanFor({"--files", "5", "--file-seconds", "100", "--gap", "5,0,-2", "--start",
                             "05 Jul 96 23:58:00"});
  ASSERT_TRUE(std::holds_alternative<SurveyPlan>(made));
  const SurveyPlan& plan = std::get<SurveyPlan>(made);
  const std::int64_t start = ClockSeconds(187, 23, 58, 0);
  const std::int64_t expected[] = {start, start + 105, start + 205, start + 303, start + 408};
  ASSERT_EQ(plan.files().size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(plan.files()[i].startSeconds, expected[i]);
    EXPECT_EQ(plan.files()[i].frames, 25000);
  }
  EXPECT_EQ(plan.files()[4].name, "OBS00005.001");
}

}  // namespace
}  // namespace obscut
