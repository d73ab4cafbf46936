// The pictures of obscut-section: traces drawn where their range and reduced time put them,
// in pictures of the size asked for, from SEG-Y files made by the real conversion.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "section/offscreen_gui.h"
#include "section/prepared_section.h"
#include "section/section_geometry.h"
#include "section/section_picture.h"
#include "section/segy_section_reader.h"
#include "support/conversion_fixture.h"
#include "support/run_process.h"
#include "survey/recorder_writer.h"

namespace obscut {
namespace {

using testing::TestShot;
using testing::TestSurvey;

// The application object the fonts need, for the whole test program.
class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    UseOffscreenPlatformUnlessChosen();
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[20] = "section_test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> application_;
};
const auto* const kGui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

constexpr std::uint16_t kResting = 32778;
constexpr std::uint16_t kSpike = 42000;

// A 30-s recording at 100 samples per second, quiet at kResting on every channel but for one
// spike on channel 1, 21.5 s after its start; and shots at 0, 10 and 20 s with ranges -10,
// 0 and 10 km, converted with a window of 0 to 4 s. The spike is in the third trace (10 km),
// 1.5 s after its shot.
std::string ConvertSpikeSurvey(TestSurvey& survey) {
  std::vector<SampleFrame> frames(3000, SampleFrame{kResting, kResting, kResting, kResting});
  frames[2150][0] = kSpike;
  RecorderHeaderFields fields;
  fields.asciiHeader = "05 Jan 96 12:00:00 spike";
  survey.AddFile("OBS00001.001", EncodeRecorderFile(fields, frames));
  survey.SetShots({{.number = 7, .second = "0", .range = "-10"},
                   {.number = 8, .second = "10", .range = "0"},
                   {.number = 9, .second = "20", .range = "10"}});
  survey.Convert(0.0f, 4.0f, 1);
  return survey.OutputPath(1);
}

bool IsDark(const QImage& image, double x, double y) {
  return qGray(image.pixel(static_cast<int>(x), static_cast<int>(y))) < 96;
}

struct Drawn {
  QImage image;
  PlotFrame frame;
  double spacingPixels = 0.0;
};

Drawn DrawSpikeSurvey(const std::string& path, DrawStyle style) {
  const auto read = ReadSegySection(path);
  EXPECT_TRUE(std::holds_alternative<SegySection>(read));
  SectionSettings settings;
  settings.reduceVelocity = 10.0;  // the spike at 1.5 - 10/10 = 0.5 s reduced time
  settings.timeRange = TimeInterval{-1.0, 3.0};
  settings.clip = 2.0;  // the normalised spike swings half a trace spacing
  const auto prepared = PrepareSection(std::get<SegySection>(read), settings);
  const auto& section = std::get<PreparedSection>(prepared);
  Drawn drawn;
  drawn.image = DrawSection(section, style, 640, 400);
  drawn.frame = MakePlotFrame(640, 400, LabelFontPixels(640, 400), section.x, section.t);
  drawn.spacingPixels = section.spacing / (section.x.to - section.x.from) * drawn.frame.width;
  return drawn;
}

TEST(DrawSection, PutsASpikeAtItsTraceAndReducedTime) {
  TestSurvey survey;
  const Drawn drawn = DrawSpikeSurvey(ConvertSpikeSurvey(survey), DrawStyle::kWiggle);
  const QImage& image = drawn.image;
  ASSERT_EQ(image.size(), QSize(640, 400));
  const PlotFrame& frame = drawn.frame;
  // Ranges -10, 0 and 10 km, one spacing of room on each side.
  EXPECT_DOUBLE_EQ(frame.x.from, -20.0);
  EXPECT_DOUBLE_EQ(frame.x.to, 20.0);
  const double spikeRow = frame.Row(0.5);
  const double spikeColumn = frame.Column(10.0);
  const double quarterSwing = 0.25 * drawn.spacingPixels;
  // The filled positive lobe right of the 10-km trace at 0.5 s...
  EXPECT_TRUE(IsDark(image, spikeColumn + quarterSwing, spikeRow));
  // ...and nowhere else on that row, nor on that trace 0.2 s earlier or later.
  for (double range : {-10.0, 0.0}) {
    EXPECT_FALSE(IsDark(image, frame.Column(range) + quarterSwing, spikeRow)) << range;
  }
  EXPECT_FALSE(IsDark(image, spikeColumn + quarterSwing, frame.Row(0.3)));
  EXPECT_FALSE(IsDark(image, spikeColumn + quarterSwing, frame.Row(0.7)));

  // The tip of the spike is the rightmost ink inside the plot: half a spacing out at 0.5 s.
  int tipX = -1;
  int tipY = -1;
  for (int y = static_cast<int>(frame.top) + 2; y < frame.top + frame.height - 2; ++y) {
    for (int x = static_cast<int>(frame.left) + 2; x < frame.left + frame.width - 2; ++x) {
      if (qGray(image.pixel(x, y)) < 128 && x > tipX) {
        tipX = x;
        tipY = y;
      }
    }
  }
  EXPECT_NEAR(tipX, spikeColumn + 0.5 * drawn.spacingPixels, 2.0);
  EXPECT_NEAR(tipY, spikeRow, 2.0);
}

TEST(DrawSection, DrawsTheSpikeDarkOnMidGreyInTheGreyStyle) {
  TestSurvey survey;
  const Drawn drawn = DrawSpikeSurvey(ConvertSpikeSurvey(survey), DrawStyle::kGrey);
  const PlotFrame& frame = drawn.frame;
  const QImage& image = drawn.image;
  // The spike at 0.5 (the clip is 2): half way from mid-grey to black, less where a pixel
  // row falls between the spike and its neighbours.
  int darkest = 255;
  for (int row = static_cast<int>(frame.Row(0.5)) - 2; row <= frame.Row(0.5) + 2; ++row) {
    darkest = std::min(darkest, qGray(image.pixel(static_cast<int>(frame.Column(10.0)), row)));
  }
  EXPECT_GE(darkest, 60);
  EXPECT_LE(darkest, 100);
  for (double time : {0.0, 1.0, 2.0}) {
    EXPECT_NEAR(
        qGray(image.pixel(static_cast<int>(frame.Column(10.0)), static_cast<int>(frame.Row(time)))),
        128, 2)
        << time;
  }
  // The trace at 0 km has no data before its shot: white above reduced time 0.
  EXPECT_EQ(
      qGray(image.pixel(static_cast<int>(frame.Column(0.0)), static_cast<int>(frame.Row(-0.5)))),
      255);
}

#ifndef _WIN32
testing::ProcessResult RunProgram(const std::string& program, std::vector<std::string> arguments,
                                  const std::filesystem::path& folder) {
  testing::ProcessRequest request;
  request.program = program;
  request.arguments = std::move(arguments);
  request.folder = folder;
  return testing::RunProcess(request);
}

// The real programs: obscut-batch converts a survey, obscut-section draws channel 1.
TEST(ObscutSection, DrawsWhatObscutBatchWroteAtTheSizeAskedFor) {
  TestSurvey survey;
  std::vector<SampleFrame> frames(3000, SampleFrame{kResting, kResting, kResting, kResting});
  frames[2150][0] = kSpike;
  RecorderHeaderFields fields;
  fields.asciiHeader = "05 Jan 96 12:00:00 spike";
  const std::string recording = survey.AddFile("OBS00001.001", EncodeRecorderFile(fields, frames));
  survey.SetShots(
      {{.number = 7, .second = "0", .range = "-10"}, {.number = 9, .second = "20", .range = "10"}});
  const auto folder = std::filesystem::path(survey.File("x")).parent_path();
  const auto batch = RunProgram(OBSCUT_BATCH_PATH,
                                {"--shot-table", survey.File("shots.txt"), "--output",
                                 survey.File("line"), "--max-time", "4", recording},
                                folder);
  ASSERT_EQ(batch.exitCode, 0) << batch.err;

  const auto section =
      RunProgram(OBSCUT_SECTION_PATH, {"--size", "700x450", survey.OutputPath(1)}, folder);
  ASSERT_EQ(section.exitCode, 0) << section.err;
  const std::string png = survey.File("linech1.png");
  EXPECT_EQ(section.out, png + "\n");
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(png), "png"));
  EXPECT_EQ(image.size(), QSize(700, 450));
}

TEST(ObscutSection, ExitsWithOneForFileProblemsAndTwoForUsage) {
  TestSurvey survey;
  const std::string notSegy = survey.AddFile("notes.sgy", {'h', 'i'});
  const auto folder = std::filesystem::path(notSegy).parent_path();
  struct Case {
    std::vector<std::string> arguments;
    int exitCode;
    std::string err;
  };
  const Case cases[] = {
      {{notSegy},
       1,
       "obscut-section: " + notSegy +
           " is not a SEG-Y file written by obscut: 2 bytes are fewer than the 3600 of the "
           "file headers.\n"},
      {{"missing.sgy"}, 1, "obscut-section: missing.sgy was not found.\n"},
      {{"--style", "3d", notSegy},
       2,
       "obscut-section: --style needs wiggle or grey\n"
       "Try 'obscut-section --help' for more information.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.err);
    const auto result = RunProgram(OBSCUT_SECTION_PATH, c.arguments, folder);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.out, "");
  }
}
#endif

}  // namespace
}  // namespace obscut
