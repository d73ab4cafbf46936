// Reading and decoding frames in bulk, writing 16-bit samples, and planning a shot from the
// recorder catalog without touching a file.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "recorder/recorder_catalog.h"
#include "recorder/recorder_file.h"
#include "segy/channel_buffers.h"
#include "segy/sample_conversion.h"
#include "segy/shot_plan.h"
#include "support/scratch_dir.h"
#include "survey/recorder_writer.h"

namespace obscut {
namespace {

using testing::ScratchDir;
using testing::WriteBytes;

// Frame k as the recorder stores it: channel c holds the bytes (k, 16 * c + 1), big-endian.
std::vector<std::uint8_t> FrameBytes(std::size_t frames) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t k = 0; k < frames; ++k) {
    for (std::uint8_t c = 0; c < 4; ++c) {
      bytes.push_back(static_cast<std::uint8_t>(k));
      bytes.push_back(static_cast<std::uint8_t>(16 * c + 1));
    }
  }
  return bytes;
}

TEST(ChannelBuffersTest, StoreFramesDecodesBigEndianSamplesIntoTheirChannels) {
  ChannelBuffers buffers;
  const std::vector<std::uint8_t> frame = {0x12, 0x34, 0x80, 0x00, 0xFF, 0xFF, 0x00, 0x01};
  buffers.StoreFrames(7, frame);
  EXPECT_EQ(buffers.Channel(0)[7], 0x1234);
  EXPECT_EQ(buffers.Channel(1)[7], 0x8000);
  EXPECT_EQ(buffers.Channel(2)[7], 0xFFFF);
  EXPECT_EQ(buffers.Channel(3)[7], 0x0001);
}

TEST(ChannelBuffersTest, StoreFramesDecodesEveryFrameWhateverTheCountAndStart) {
  // Counts around the decoder's blocks of 16, at starts that are not a multiple of them.
  for (const std::size_t count : {1u, 15u, 16u, 17u, 33u, 250u}) {
    for (const std::size_t start : {0u, 3u}) {
      SCOPED_TRACE("count " + std::to_string(count) + ", start " + std::to_string(start));
      ChannelBuffers buffers;
      buffers.StoreZeros(0, 300);
      buffers.StoreFrames(start, FrameBytes(count));
      for (std::size_t c = 0; c < 4; ++c) {
        const std::span<const std::uint16_t> channel = buffers.Channel(c);
        for (std::size_t k = 0; k < count; ++k) {
          ASSERT_EQ(channel[start + k], (k & 0xFF) * 256 + 16 * c + 1) << "channel " << c;
        }
        EXPECT_EQ(channel[start + count], 0) << "stored past the frames";
        if (start > 0) {
          EXPECT_EQ(channel[start - 1], 0) << "stored before the frames";
        }
      }
    }
  }
}

TEST(ChannelBuffersTest, RefusesSamplesBeyondItsCapacityAndStoresNothing) {
  ChannelBuffers buffers;
  buffers.StoreZeros(0, ChannelBuffers::kCapacity);
  EXPECT_THROW(buffers.StoreFrames(ChannelBuffers::kCapacity - 1, FrameBytes(2)),
               std::out_of_range);
  EXPECT_EQ(buffers.Channel(0)[ChannelBuffers::kCapacity - 1], 0);
  EXPECT_THROW(buffers.StoreZeros(1, ChannelBuffers::kCapacity), std::out_of_range);
  buffers.StoreFrames(ChannelBuffers::kCapacity - 1, FrameBytes(1));
  EXPECT_EQ(buffers.Channel(3)[ChannelBuffers::kCapacity - 1], 49);
}

TEST(ConvertSamplesTest, SixteenBitSamplesGoOutLeastSignificantByteFirst) {
  const std::vector<std::uint16_t> samples = {0x1234, 0x8000, 0xFFFF, 0x0001, 0};
  std::vector<std::uint8_t> out(10, 0xEE);
  ConvertSamples(samples, out);
  EXPECT_EQ(
      out, (std::vector<std::uint8_t>{0x34, 0x12, 0x00, 0x80, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00}));
  // The same bytes as the recorder values taken as floats.
  const std::vector<float> asFloats = {4660.0f, 32768.0f, 65535.0f, 1.0f, 0.0f};
  std::vector<std::uint8_t> fromFloats(10);
  ConvertSamples(asFloats, fromFloats);
  EXPECT_EQ(out, fromFloats);
}

std::string WriteRecorder(ScratchDir& dir, const std::string& name,
                          const std::vector<std::uint8_t>& frames, std::size_t trailing) {
  RecorderHeaderFields fields;
  std::vector<std::uint8_t> bytes = EncodeRecorderFile(fields, {});
  bytes.insert(bytes.end(), frames.begin(), frames.end());
  bytes.insert(bytes.end(), trailing, 0x77);
  const std::string path = dir.File(name);
  WriteBytes(path, bytes);
  return path;
}

TEST(RecorderFileTest, ReadFrameBytesDeliversWholeFramesOnlyAndKeepsTheEndOfTheData) {
  ScratchDir dir;
  const std::vector<std::uint8_t> frames = FrameBytes(5);
  const std::string path = WriteRecorder(dir, "OBS00001.001", frames, 5);
  std::optional<RecorderFile> file = RecorderFile::ReadRecorderHeader(path);
  ASSERT_TRUE(file);

  file->SeekFrame(1);
  std::vector<std::uint8_t> out(64, 0xEE);
  ASSERT_EQ(file->ReadFrameBytes(out), 32u);  // frames 1 to 4; the 5 bytes after them never
  EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + 32),
            std::vector<std::uint8_t>(frames.begin() + 8, frames.end()));
  SampleFrame frame;
  EXPECT_FALSE(file->ReadFrame(frame));
  EXPECT_EQ(file->ReadFrameBytes(out), 0u);

  // Frames read one by one first, then in bulk, come in file order without a gap.
  file->SeekFrame(0);
  ASSERT_TRUE(file->ReadFrame(frame));
  EXPECT_EQ(frame[3], 49);
  std::vector<std::uint8_t> two(16);
  ASSERT_EQ(file->ReadFrameBytes(two), 16u);
  EXPECT_EQ(two, std::vector<std::uint8_t>(frames.begin() + 8, frames.begin() + 24));
}

// A catalog entry as the dump pass would make it, without a file.
CataloguedRecorder Entry(const std::string& path, RecorderStartTime start, std::int64_t frames,
                         float rate = 128.0f) {
  CataloguedRecorder entry;
  entry.path = path;
  entry.start = start;
  entry.sampleRate = rate;
  entry.bytesPerSample = 2;
  entry.length = 512 + 8 * frames;
  return entry;
}

ShotRecord Shot(std::int16_t number, std::int16_t day, std::int16_t hour, std::int16_t minute,
                float second) {
  ShotRecord shot{};
  shot.shotNumber = number;
  shot.shotDay = day;
  shot.shotHour = hour;
  shot.shotMinute = minute;
  shot.shotSecond = second;
  return shot;
}

using Kind = ShotStep::Kind;

TEST(ShotPlannerTest, AWindowRunningIntoTheNextFileGetsZerosForTheGapThenItsFirstFrames) {
  // At 128 samples per second (a period exact in binary) file 0 runs from 10:00:00 to
  // 10:00:10, file 1 from 10:00:12. A window of 5 s from 10:00:08 takes 256 frames of file 0,
  // 256 zeros for the gap and 128 frames of file 1.
  const RecorderCatalog catalog = {Entry("a", {100, 10, 0, 0}, 1280),
                                   Entry("b", {100, 10, 0, 12}, 1280)};
  const ShotPlanner planner(catalog, 0.0f, 5.0f);
  std::vector<ShotStep> steps;
  planner.PlanShot(Shot(7, 100, 10, 0, 8.0f), std::nullopt, steps);

  std::vector<Kind> kinds;
  for (const ShotStep& step : steps) {
    kinds.push_back(step.kind);
  }
  ASSERT_EQ(kinds, (std::vector<Kind>{Kind::kWriteOutputHeaders, Kind::kFrames,
                                      Kind::kLogExtendsBeyond, Kind::kZeros, Kind::kFrames,
                                      Kind::kWriteTrace, Kind::kLogAlsoMatched}));
  EXPECT_EQ(steps[1].file, 0u);
  EXPECT_EQ(steps[1].firstFrame, 1024);
  EXPECT_EQ(steps[1].count, 256u);
  EXPECT_EQ(steps[3].windowIndex, 256u);
  EXPECT_EQ(steps[3].count, 256u);
  EXPECT_EQ(steps[4].file, 1u);
  EXPECT_EQ(steps[4].firstFrame, 0);
  EXPECT_EQ(steps[4].windowIndex, 512u);
  EXPECT_EQ(steps[4].count, 128u);
  EXPECT_EQ(steps[6].file, 1u);
}

TEST(ShotPlannerTest, ANextFileWithAnUnrecognisedDateIsLoggedTwiceAndTheSearchGoesOn) {
  const RecorderCatalog catalog = {Entry("a", {100, 10, 0, 0}, 1280),
                                   Entry("b", {-1, 0, 0, 0}, 1280),
                                   Entry("c", {100, 10, 0, 5}, 2000)};
  const ShotPlanner planner(catalog, 0.0f, 5.0f);
  std::vector<ShotStep> steps;
  planner.PlanShot(Shot(7, 100, 10, 0, 8.0f), 500, steps);

  std::vector<std::pair<Kind, std::size_t>> seen;
  for (const ShotStep& step : steps) {
    seen.emplace_back(step.kind, step.file);
  }
  EXPECT_EQ(seen, (std::vector<std::pair<Kind, std::size_t>>{
                      {Kind::kFrames, 0},
                      {Kind::kLogExtendsBeyond, 0},
                      {Kind::kLogDateNotRecognised, 1},
                      {Kind::kLogDateNotRecognised, 1},
                      {Kind::kFrames, 2},
                      {Kind::kWriteTrace, 2},
                      {Kind::kLogMatched, 2},
                  }));
  EXPECT_EQ(steps[4].firstFrame, 384);  // 3 s into file 2
  EXPECT_EQ(steps[4].windowIndex, 0u);
  EXPECT_EQ(steps[4].count, 500u);
}

}  // namespace
}  // namespace obscut
