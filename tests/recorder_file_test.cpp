// Reading recorder data files: the 512-byte header, frame positions and sample frames.

#include "recorder/recorder_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "platform/file_error.h"
#include "support/scratch_dir.h"
#include "survey/recorder_writer.h"

namespace obscut {
namespace {

using testing::ScratchDir;
using testing::WriteBytes;

// A recognisable frame for every index, different in every channel.
SampleFrame PatternFrame(std::size_t k) {
  return {static_cast<std::uint16_t>(k), static_cast<std::uint16_t>(k * 7 + 3),
          static_cast<std::uint16_t>(65535 - k), static_cast<std::uint16_t>(k ^ 0xA5A5)};
}

std::vector<std::uint8_t> PatternFile(std::size_t frames, std::int16_t bytesPerSample = 2,
                                      std::size_t trailing_bytes = 0) {
  RecorderHeaderFields fields;
  fields.bytesPerSample = bytesPerSample;
  std::vector<SampleFrame> data;
  for (std::size_t k = 0; k < frames; ++k) {
    data.push_back(PatternFrame(k));
  }
  std::vector<std::uint8_t> bytes = EncodeRecorderFile(fields, data);
  bytes.insert(bytes.end(), trailing_bytes, 0x77);
  return bytes;
}

RecorderFile OpenRecorder(const std::string& path) {
  std::optional<RecorderFile> file = RecorderFile::ReadRecorderHeader(path);
  if (!file) {
    throw std::runtime_error("short header in " + path);
  }
  return std::move(*file);
}

TEST(RecorderFileTest, AFileShorterThan512BytesHasNoHeader) {
  ScratchDir dir;
  for (std::size_t size : {0, 1, 100, 511}) {
    SCOPED_TRACE("size " + std::to_string(size));
    const std::string path = dir.File("OBS" + std::to_string(size) + ".raw");
    WriteBytes(path, std::vector<std::uint8_t>(size, 0x30));
    EXPECT_FALSE(RecorderFile::ReadRecorderHeader(path).has_value());
  }
}

TEST(RecorderFileTest, AFileOfExactly512BytesHasAHeaderAndNoFrame) {
  ScratchDir dir;
  const std::string path = dir.File("OBS00001.raw");
  WriteBytes(path, PatternFile(0));
  RecorderFile file = OpenRecorder(path);
  EXPECT_EQ(file.path(), path);
  EXPECT_EQ(file.Length(), 512);
  SampleFrame frame{1, 2, 3, 4};
  EXPECT_FALSE(file.ReadFrame(frame));
  EXPECT_EQ(frame, (SampleFrame{1, 2, 3, 4}));
}

TEST(RecorderFileTest, HeaderFieldsAreReadFromTheirLittleEndianBytes) {
  struct Case {
    std::uint8_t bytes_per_sample[2];  // header bytes 10-11
    std::uint8_t sample_rate[4];       // header bytes 32-35
    std::int16_t expected_bytes_per_sample;
    float expected_sample_rate;
  };
  const Case cases[] = {
      {{0x02, 0x00}, {0x00, 0x00, 0xC8, 0x42}, 2, 100.0f},
      {{0x04, 0x00}, {0x00, 0x00, 0x7A, 0x43}, 4, 250.0f},
      {{0x00, 0x01}, {0x00, 0x00, 0x80, 0x3F}, 256, 1.0f},
      {{0xFE, 0xFF}, {0x00, 0x00, 0x48, 0xC2}, -2, -50.0f},
      {{0x00, 0x80}, {0x00, 0x00, 0x00, 0x00}, -32768, 0.0f},
      {{0xFF, 0x7F}, {0x00, 0x00, 0xC0, 0x7F}, 32767, std::numeric_limits<float>::quiet_NaN()},
  };
  ScratchDir dir;
  const std::string path = dir.File("OBS00001.raw");
  for (const Case& c : cases) {
    SCOPED_TRACE("bytesPerSample " + std::to_string(c.expected_bytes_per_sample));
    std::vector<std::uint8_t> bytes(512, 0xEE);
    bytes[10] = c.bytes_per_sample[0];
    bytes[11] = c.bytes_per_sample[1];
    for (std::size_t i = 0; i < 4; ++i) {
      bytes[32 + i] = c.sample_rate[i];
    }
    for (std::size_t i = 192; i < 512; ++i) {
      bytes[i] = static_cast<std::uint8_t>(i);
    }
    WriteBytes(path, bytes);
    RecorderFile file = OpenRecorder(path);
    EXPECT_EQ(file.header().bytesPerSample(), c.expected_bytes_per_sample);
    if (std::isnan(c.expected_sample_rate)) {
      EXPECT_TRUE(std::isnan(file.header().sampleRate()));
    } else {
      EXPECT_EQ(file.header().sampleRate(), c.expected_sample_rate);
    }
    const auto ascii = file.header().asciiHeader();
    ASSERT_EQ(ascii.size(), 320u);
    EXPECT_EQ(ascii.front(), 192);
    EXPECT_EQ(ascii.back(), static_cast<std::uint8_t>(511));
  }
}

TEST(RecorderFileTest, TheWriterPutsHeaderFieldsAtTheirBytes) {
  RecorderHeaderFields fields;
  fields.bytesPerSample = 2;
  fields.sampleRate = 100.0f;
  fields.asciiHeader = "05 Jan 96 12:00:00";
  const RecorderHeader header = EncodeRecorderHeader(fields);
  const std::vector<std::uint8_t> expected_rate = {0x00, 0x00, 0xC8, 0x42};
  EXPECT_EQ(header.bytes[10], 0x02);
  EXPECT_EQ(header.bytes[11], 0x00);
  EXPECT_EQ(std::vector<std::uint8_t>(header.bytes.begin() + 32, header.bytes.begin() + 36),
            expected_rate);
  EXPECT_EQ(std::string(header.bytes.begin() + 192, header.bytes.begin() + 210),
            "05 Jan 96 12:00:00");
  EXPECT_EQ(header.bytes[210], 0);
}

TEST(RecorderFileTest, SamplesAreUnsignedBigEndianInChannelOrder) {
  ScratchDir dir;
  const std::string path = dir.File("OBS00001.raw");
  std::vector<std::uint8_t> bytes = PatternFile(0);
  const std::uint8_t frame_bytes[] = {0x12, 0x34, 0x80, 0x00, 0xFF, 0xFF, 0x00, 0x01};
  bytes.insert(bytes.end(), std::begin(frame_bytes), std::end(frame_bytes));
  WriteBytes(path, bytes);

  RecorderFile file = OpenRecorder(path);
  SampleFrame frame{};
  ASSERT_TRUE(file.ReadFrame(frame));
  EXPECT_EQ(frame, (SampleFrame{4660, 32768, 65535, 1}));
  EXPECT_FALSE(file.ReadFrame(frame));
}

TEST(RecorderFileTest, ARemainderOfFewerThan8BytesNeverYieldsAFrame) {
  ScratchDir dir;
  constexpr std::size_t kFrames = 3;
  for (std::size_t remainder = 0; remainder < 8; ++remainder) {
    SCOPED_TRACE("remainder " + std::to_string(remainder));
    const std::string path = dir.File("OBS" + std::to_string(remainder) + ".raw");
    WriteBytes(path, PatternFile(kFrames, 2, remainder));
    RecorderFile file = OpenRecorder(path);
    EXPECT_EQ(file.Length(), static_cast<std::int64_t>(512 + 8 * kFrames + remainder));
    SampleFrame frame{};
    for (std::size_t k = 0; k < kFrames; ++k) {
      ASSERT_TRUE(file.ReadFrame(frame)) << "frame " << k;
      EXPECT_EQ(frame, PatternFrame(k));
    }
    EXPECT_FALSE(file.ReadFrame(frame));
    EXPECT_EQ(frame, PatternFrame(kFrames - 1));
    EXPECT_FALSE(file.ReadFrame(frame));
  }
}

TEST(RecorderFileTest, SeekFramePositionsBy4TimesBytesPerSample) {
  // Frame 10 lies at 512 + 4 * bytesPerSample * 10: byte 592 with 2-byte samples, byte 672
  // (the start of frame 20) with 4-byte samples; frames are read 8 bytes at a time from there.
  struct Case {
    std::int16_t bytes_per_sample;
    std::int64_t k;
    std::size_t frame_at_position;
  };
  const Case cases[] = {
      {2, 10, 10}, {4, 10, 20}, {2, 0, 0}, {4, 0, 0}, {1, 10, 5}, {2, 29, 29},
  };
  ScratchDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE("bytesPerSample " + std::to_string(c.bytes_per_sample) + ", k " +
                 std::to_string(c.k));
    const std::string path = dir.File("OBS00001.raw");
    WriteBytes(path, PatternFile(30, c.bytes_per_sample));
    RecorderFile file = OpenRecorder(path);
    file.SeekFrame(c.k);
    SampleFrame frame{};
    ASSERT_TRUE(file.ReadFrame(frame));
    EXPECT_EQ(frame, PatternFrame(c.frame_at_position));
    if (c.frame_at_position + 1 < 30) {
      ASSERT_TRUE(file.ReadFrame(frame));
      EXPECT_EQ(frame, PatternFrame(c.frame_at_position + 1));
    } else {
      EXPECT_FALSE(file.ReadFrame(frame));
    }
  }
}

TEST(RecorderFileTest, SeekFrameDiscardsFramesAlreadyReadAhead) {
  ScratchDir dir;
  const std::string path = dir.File("OBS00001.raw");
  WriteBytes(path, PatternFile(100));
  RecorderFile file = OpenRecorder(path);
  SampleFrame frame{};
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(file.ReadFrame(frame));
  }
  file.SeekFrame(2);
  ASSERT_TRUE(file.ReadFrame(frame));
  EXPECT_EQ(frame, PatternFrame(2));
  file.SeekFrame(90);
  ASSERT_TRUE(file.ReadFrame(frame));
  EXPECT_EQ(frame, PatternFrame(90));
  file.SeekFrame(0);
  ASSERT_TRUE(file.ReadFrame(frame));
  EXPECT_EQ(frame, PatternFrame(0));
}

TEST(RecorderFileTest, SeekFrameAtOrPastTheEndLeavesNoFrame) {
  ScratchDir dir;
  const std::string path = dir.File("OBS00001.raw");
  WriteBytes(path, PatternFile(100, 2, 5));
  RecorderFile file = OpenRecorder(path);
  SampleFrame frame{};
  for (std::int64_t k : {100, 101, 5000}) {
    SCOPED_TRACE("k " + std::to_string(k));
    file.SeekFrame(k);
    EXPECT_FALSE(file.ReadFrame(frame));
  }
  file.SeekFrame(99);
  ASSERT_TRUE(file.ReadFrame(frame));
  EXPECT_EQ(frame, PatternFrame(99));
  EXPECT_FALSE(file.ReadFrame(frame));
}

TEST(RecorderFileTest, LengthLeavesTheReadPositionUnchanged) {
  ScratchDir dir;
  const std::string path = dir.File("OBS00001.raw");
  WriteBytes(path, PatternFile(10));
  RecorderFile file = OpenRecorder(path);
  SampleFrame frame{};
  ASSERT_TRUE(file.ReadFrame(frame));
  EXPECT_EQ(file.Length(), 512 + 80);
  ASSERT_TRUE(file.ReadFrame(frame));
  EXPECT_EQ(frame, PatternFrame(1));
}

TEST(RecorderFileTest, ManyFramesArriveInOrderAcrossTheReadAheadBlocks) {
  // 10000 frames are 80000 bytes, more than one 64 KiB read-ahead block; the 5 bytes at the
  // end are carried over a refill and must still not make a frame.
  ScratchDir dir;
  constexpr std::size_t kFrames = 10000;
  for (std::int64_t start : {0, 3}) {
    SCOPED_TRACE("from frame " + std::to_string(start));
    const std::string path = dir.File("OBS00001.raw");
    WriteBytes(path, PatternFile(kFrames, 2, 5));
    RecorderFile file = OpenRecorder(path);
    if (start != 0) {
      file.SeekFrame(start);
    }
    SampleFrame frame{};
    std::size_t mismatches = 0;
    std::size_t k = static_cast<std::size_t>(start);
    for (; file.ReadFrame(frame); ++k) {
      if (frame != PatternFrame(k) && ++mismatches <= 3) {
        ADD_FAILURE() << "frame " << k << " differs";
      }
    }
    EXPECT_EQ(mismatches, 0u);
    EXPECT_EQ(k, kFrames);
  }
}

TEST(RecorderFileTest, AFileThatDoesNotExistRaisesNotFound) {
  ScratchDir dir;
  const std::vector<std::string> paths = {
      dir.File("OBS00009.raw"),
      dir.File("missing/OBS00009.raw"),
  };
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    try {
      (void)RecorderFile::ReadRecorderHeader(path);
      ADD_FAILURE() << "no FileError";
    } catch (const FileError& error) {
      EXPECT_EQ(error.cause(), FileError::Cause::kNotFound);
      EXPECT_EQ(error.path(), path);
      EXPECT_EQ(std::string(error.what()), path + " was not found.");
    }
  }
}

TEST(RecorderFileTest, AFileUsedAsAFolderRaisesNotFound) {
  ScratchDir dir;
  const std::string file_path = dir.File("OBS00001.raw");
  WriteBytes(file_path, PatternFile(1));
  const std::string path = file_path + "/OBS00002.raw";
  try {
    (void)RecorderFile::ReadRecorderHeader(path);
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& error) {
    EXPECT_EQ(error.cause(), FileError::Cause::kNotFound);
    EXPECT_EQ(error.path(), path);
  }
}

TEST(RecorderFileTest, AFolderRaisesIsFolder) {
  ScratchDir dir;
  const std::string path = dir.File("OBS00001.dir");
  std::filesystem::create_directory(path);
  try {
    (void)RecorderFile::ReadRecorderHeader(path);
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& error) {
    EXPECT_EQ(error.cause(), FileError::Cause::kIsFolder);
    EXPECT_EQ(error.path(), path);
    EXPECT_EQ(std::string(error.what()), path + " is a folder, not a file.");
  }
}

#ifndef _WIN32
TEST(RecorderFileTest, AnUnreadableFileRaisesAccessDenied) {
  ScratchDir dir;
  const std::string path = dir.File("OBS00001.raw");
  WriteBytes(path, PatternFile(1));
  ASSERT_EQ(chmod(path.c_str(), 0), 0);
  const auto denied = [&path] {
    try {
      (void)RecorderFile::ReadRecorderHeader(path);
      return false;
    } catch (const FileError& error) {
      return error.cause() == FileError::Cause::kAccessDenied && error.path() == path &&
             std::string(error.what()) == "Access to " + path + " was denied.";
    }
  };
  if (geteuid() != 0) {
    EXPECT_TRUE(denied());
    return;
  }
  // Root reads files whatever their permissions: try it as an ordinary user in a child.
  constexpr uid_t kNobody = 65534;
  EXPECT_EXIT(
      {
        if (setgid(kNobody) != 0 || setuid(kNobody) != 0) {
          std::_Exit(2);
        }
        std::_Exit(denied() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace obscut
