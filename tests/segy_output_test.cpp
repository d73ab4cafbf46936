// The SEG-Y files of a run: their names, every byte of their headers and traces, the trace
// count, and what the run's normal and early ends leave in them.
//
// Expected bytes are built here from the field positions of the standard (SEG-Y byte numbers,
// counting from 1), never from the writer's own layout tables, so a wrong table entry shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "recorder/shot_table.h"
#include "segy/channel_buffers.h"
#include "segy/sample_conversion.h"
#include "segy/segy_output_set.h"
#include "support/conversion_fixture.h"
#include "support/scratch_dir.h"
#include "survey/recorder_writer.h"

namespace obscut {
namespace {

using testing::ConversionResult;
using testing::ReadBytes;
using testing::ScratchDir;
using testing::TestRecording;
using testing::TestSample;
using testing::TestShot;
using testing::TestSurvey;
using testing::WriteText;

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kFileHeadersSize = 3600;  // text and binary header
constexpr std::size_t kTraceHeaderSize = 240;

// Puts the low `width` bytes of `value`, least significant first, at SEG-Y byte `segyByte`
// (counting from 1) of `record`.
void Put(Bytes& record, std::size_t segyByte, std::size_t width, std::int64_t value) {
  const auto bits = static_cast<std::uint64_t>(value);
  for (std::size_t i = 0; i < width; ++i) {
    record.at(segyByte - 1 + i) = static_cast<std::uint8_t>(bits >> (8 * i));
  }
}

// The little-endian value of the `width` bytes at file offset `offset`.
std::uint32_t LoadLE(const Bytes& bytes, std::size_t offset, std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    value |= static_cast<std::uint32_t>(bytes.at(offset + i)) << (8 * i);
  }
  return value;
}

// `value` reduced to `width` bytes, as a field of that width holds it.
std::uint32_t LowBytes(std::int64_t value, std::size_t width) {
  const std::uint64_t mask = (std::uint64_t{1} << (8 * width)) - 1;
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(value) & mask);
}

// Compares whole byte strings and names the first offset at which they differ.
void ExpectSameBytes(const Bytes& got, const Bytes& expected) {
  EXPECT_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < std::min(got.size(), expected.size()); ++i) {
    if (got[i] != expected[i]) {
      ADD_FAILURE() << "first difference at offset " << i << ": got " << int{got[i]}
                    << ", expected " << int{expected[i]};
      return;
    }
  }
}

Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t length) {
  if (offset + length > bytes.size()) {
    ADD_FAILURE() << "the file is " << bytes.size() << " bytes long, too short for " << length
                  << " bytes at offset " << offset;
    return {};
  }
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
               bytes.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

// What a path names after a run: "absent", "folder" or "<n> bytes".
std::string Describe(const std::string& path) {
  if (!std::filesystem::exists(path)) {
    return "absent";
  }
  if (std::filesystem::is_directory(path)) {
    return "folder";
  }
  return std::to_string(std::filesystem::file_size(path)) + " bytes";
}

// ---------------------------------------------------------------------------------------------
// File names

struct FileNameCase {
  const char* name;
  std::string outputPath;
  int outputChannel;
  std::vector<std::string> expected;
};

TEST(OutputFileNames, FollowTheStemKeepingItsCaseWithLowerCaseChannelNames) {
  const FileNameCase cases[] = {
      {"all four channels, the stem keeps its case",
       "D:\\data\\LINE7.SGY",
       0,
       {"D:\\data\\LINE7ch1.sgy", "D:\\data\\LINE7ch2.sgy", "D:\\data\\LINE7ch3.sgy",
        "D:\\data\\LINE7ch4.sgy"}},
      {"a negative channel means all four",
       "/survey/line7.sgy",
       -1,
       {"/survey/line7ch1.sgy", "/survey/line7ch2.sgy", "/survey/line7ch3.sgy",
        "/survey/line7ch4.sgy"}},
      {"channel 1 alone", "/survey/Line7.Sgy", 1, {"/survey/Line7ch1.sgy"}},
      {"channel 3 alone", "D:\\data\\line7.sgy", 3, {"D:\\data\\line7ch3.sgy"}},
      {"channel 4 alone", "/survey/line7.sgy", 4, {"/survey/line7ch4.sgy"}},
      {"dots in the stem stay", "/survey/line.7.sgy", 2, {"/survey/line.7ch2.sgy"}},
      {"only the extension, one channel", ".sgy", 1, {"ch1.sgy"}},
      {"only the extension, all channels", ".sgy", 0, {"ch1.sgy", "ch2.sgy", "ch3.sgy", "ch4.sgy"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(OutputFileNames(c.outputPath, c.outputChannel), c.expected);
  }
}

// ---------------------------------------------------------------------------------------------
// Headers and traces of a set written directly

// 320 bytes of recorder text: the start time, then bytes of every kind, NUL and above 127
// among them, and a last byte that is not zero, so only a byte-for-byte copy of all 320
// bytes matches.
std::string RecorderText() {
  std::string text = "05 Jan 96 12:00:00";
  for (std::size_t i = text.size(); i < 320; ++i) {
    text += static_cast<char>((i * 7 + 3) % 256);
  }
  text.back() = 'Z';
  return text;
}

RecorderHeader Recorder(float sampleRate) {
  RecorderHeaderFields fields;
  fields.sampleRate = sampleRate;
  fields.asciiHeader = RecorderText();
  return EncodeRecorderHeader(fields);
}

ShotTableHeader TestTable() {
  ShotTableHeader table;
  table.stationY = 45.1234f;
  table.stationX = -20.25f;
  table.line3Values = {1, -2, 70000, -70000};
  table.line4Value = -1.5f;
  table.line5Value = 65541;
  table.line6Value = -65538;
  return table;
}

const ShotRecord kShot = {.shotNumber = -3,
                          .shotDay = 5,
                          .shotHour = 12,
                          .shotMinute = 30,
                          .shotSecond = 59.99f,
                          .shotY = 45.6f,
                          .shotX = -7.777f,
                          .range = 4.35f,
                          .waterDepth = 1234.5f};

// Text and binary header of a file written from Recorder(128) and TestTable(), with 4 samples
// per trace, and `tracesField` in bytes 3213-3214.
Bytes ExpectedFileHeaders(std::int64_t tracesField) {
  Bytes file(kFileHeadersSize, 0);
  const std::string text = RecorderText();
  std::copy(text.begin(), text.end(), file.begin());
  Put(file, 3213, 2, tracesField);
  Put(file, 3217, 2, 7812);  // sample interval: 1000000 / 128 = 7812.5
  Put(file, 3219, 2, 7812);
  Put(file, 3221, 2, 4);  // samples per trace
  Put(file, 3223, 2, 4);
  Put(file, 3225, 2, 3);   // 2-byte integers
  Put(file, 3263, 2, 5);   // line 5: 65541
  Put(file, 3265, 2, -2);  // line 6: -65538
  Put(file, 3277, 2, 1);   // line 3, first to fourth value
  Put(file, 3279, 2, -2);
  Put(file, 3281, 2, 4464);     // 70000
  Put(file, 3283, 2, -4464);    // -70000
  Put(file, 3285, 4, 451234);   // stationY 45.1234 * 10000
  Put(file, 3289, 4, -202500);  // stationX -20.25 * 10000
  Put(file, 3297, 4, -1500);    // line 4: -1.5 * 1000
  return file;
}

// The trace header fields that stay the same for every trace of such a file.
Bytes RunFieldsOfTraceHeader() {
  Bytes header(kTraceHeaderSize, 0);
  Put(header, 29, 2, 1);            // seismic data
  Put(header, 73, 4, -20250);       // stationX * 1000
  Put(header, 77, 4, 45123);        // stationY * 1000
  Put(header, 115, 2, 4);           // samples in this trace
  Put(header, 117, 2, 7812);        // sample interval
  Put(header, 167, 2, 2);           // GMT
  Put(header, 181, 4, 0x45F42400);  // 7812.5f
  return header;
}

// The trace header of kShot as the `sequence`-th trace (from 0).
Bytes ExpectedTraceHeaderOfTestShot(std::int64_t sequence) {
  Bytes header = RunFieldsOfTraceHeader();
  Put(header, 1, 4, sequence);
  Put(header, 5, 4, sequence);
  Put(header, 9, 4, -3);
  Put(header, 37, 4, 4349);   // range 4.35 * 1000
  Put(header, 61, 4, 1235);   // water depth 1234.5
  Put(header, 81, 4, -7776);  // shotX -7.777 * 1000
  Put(header, 85, 4, 45599);  // shotY 45.6 * 1000
  Put(header, 159, 2, 5);     // day
  Put(header, 161, 2, 12);    // hour
  Put(header, 163, 2, 30);    // minute
  Put(header, 165, 2, 59);    // second 59.99
  return header;
}

// What to write into a set: headers from Recorder(sampleRate), then one trace per shot.
struct SetContents {
  float sampleRate = 128.0f;
  float minTime = 0.0f;
  float maxTime = 0.03125f;  // 4 samples at 128 per second
  ShotTableHeader table = TestTable();
  std::vector<ShotRecord> shots = {};
  int outputChannel = 0;
  bool finish = true;  // false: let the set go, as a run that stops early does
};

class SegyOutputSetTest : public ::testing::Test {
 protected:
  SegyOutputSetTest() {
    // Sample 4 lies beyond the 4 samples of a trace and must never be written.
    const SampleFrame frames[] = {{0x1234, 0xFFFF, 0x8000, 0x0001},
                                  {0xABCD, 0x0000, 0x7FFF, 0x0002},
                                  {0x0102, 0x0304, 0x0506, 0x0708},
                                  {0xFF00, 0x00FF, 0x8001, 0xFFFE},
                                  {0x0909, 0x0909, 0x0909, 0x0909}};
    for (std::size_t k = 0; k < std::size(frames); ++k) {
      buffers_.StoreFrame(k, frames[k]);
    }
  }

  std::string FileName(int channel) const {
    return scratch_.File("setch" + std::to_string(channel) + ".sgy");
  }

  // Writes a set named after <folder>/set.sgy and gives the bytes of its files, in channel
  // order.
  std::vector<Bytes> Write(const SetContents& contents) { return WriteIn(scratch_, contents); }
  std::vector<Bytes> WriteIn(const ScratchDir& folder, const SetContents& contents) {
    {
      SegyOutputSet set =
          SegyOutputSet::OpenOutputSet(folder.File("set.sgy"), contents.outputChannel);
      const auto problem = set.WriteOutputHeaders(Recorder(contents.sampleRate), contents.table,
                                                  contents.minTime, contents.maxTime);
      EXPECT_EQ(problem, std::nullopt);
      for (const ShotRecord& shot : contents.shots) {
        EXPECT_TRUE(set.WriteTrace(shot, contents.table, buffers_));
      }
      EXPECT_EQ(set.traceCount(), contents.shots.size());
      if (contents.finish) {
        set.FinishOutputSet();
      }
    }
    std::vector<Bytes> files;
    const int firstChannel = contents.outputChannel > 0 ? contents.outputChannel : 1;
    const int lastChannel = contents.outputChannel > 0 ? contents.outputChannel : 4;
    for (int channel = firstChannel; channel <= lastChannel; ++channel) {
      files.push_back(ReadBytes(folder.File("setch" + std::to_string(channel) + ".sgy")));
    }
    return files;
  }

  ScratchDir scratch_;
  ChannelBuffers buffers_;
};

TEST_F(SegyOutputSetTest, OpeningCreatesEveryFileEmptyAndReplacesOldOnes) {
  WriteText(FileName(2), "an old file of the same name");

  SegyOutputSet set = SegyOutputSet::OpenOutputSet(scratch_.File("set.sgy"), 0);

  EXPECT_TRUE(set.headersPending());
  EXPECT_EQ(set.traceCount(), 0);
  for (int channel = 1; channel <= 4; ++channel) {
    SCOPED_TRACE(channel);
    EXPECT_EQ(Describe(FileName(channel)), "0 bytes");
  }
  EXPECT_EQ(Describe(scratch_.File("set.sgy")), "absent");
}

TEST_F(SegyOutputSetTest, HeadersAreTheRecorderTextZerosAndOnlyTheListedBinaryFields) {
  const std::vector<Bytes> files = Write({.finish = false});

  ASSERT_EQ(files.size(), 4u);
  for (std::size_t k = 0; k < files.size(); ++k) {
    SCOPED_TRACE("file " + std::to_string(k + 1));
    ExpectSameBytes(files[k], ExpectedFileHeaders(1));
  }
}

TEST_F(SegyOutputSetTest, WritingTheHeadersFixesTheTraceLength) {
  SegyOutputSet set = SegyOutputSet::OpenOutputSet(scratch_.File("set.sgy"), 3);

  EXPECT_EQ(set.WriteOutputHeaders(Recorder(128.0f), TestTable(), 0.0f, 0.03125f), std::nullopt);

  EXPECT_FALSE(set.headersPending());
  EXPECT_EQ(set.samplesPerTrace(), 4);
  EXPECT_EQ(set.traceCount(), 0);
}

TEST_F(SegyOutputSetTest, ATraceIsItsHeaderThenItsChannelsSamplesLeastSignificantByteFirst) {
  const std::vector<Bytes> files = Write({.shots = {kShot}, .finish = false});

  // Channel k of frames 0 to 3, as two's complement 16-bit values.
  const std::vector<std::vector<std::int64_t>> samples = {{0x1234, 0xABCD, 0x0102, 0xFF00},
                                                          {0xFFFF, 0x0000, 0x0304, 0x00FF},
                                                          {0x8000, 0x7FFF, 0x0506, 0x8001},
                                                          {0x0001, 0x0002, 0x0708, 0xFFFE}};
  ASSERT_EQ(files.size(), 4u);
  for (std::size_t k = 0; k < files.size(); ++k) {
    SCOPED_TRACE("file " + std::to_string(k + 1));
    Bytes expected = ExpectedFileHeaders(1);
    const Bytes header = ExpectedTraceHeaderOfTestShot(0);
    expected.insert(expected.end(), header.begin(), header.end());
    Bytes trace(8, 0);
    for (std::size_t j = 0; j < 4; ++j) {
      Put(trace, 2 * j + 1, 2, samples[k][j]);
    }
    expected.insert(expected.end(), trace.begin(), trace.end());
    ExpectSameBytes(files[k], expected);
  }
}

TEST_F(SegyOutputSetTest, TheFirstTraceIsNumberedZeroAndEachLaterOneByTheTracesBeforeIt) {
  const std::vector<Bytes> files = Write({.shots = {kShot, kShot, kShot}});

  const std::size_t traceSize = kTraceHeaderSize + 2 * 4;
  for (std::size_t k = 0; k < files.size(); ++k) {
    SCOPED_TRACE("file " + std::to_string(k + 1));
    ASSERT_EQ(files[k].size(), kFileHeadersSize + 3 * traceSize);
    for (std::size_t n = 0; n < 3; ++n) {
      SCOPED_TRACE("trace " + std::to_string(n));
      ExpectSameBytes(Slice(files[k], kFileHeadersSize + n * traceSize, kTraceHeaderSize),
                      ExpectedTraceHeaderOfTestShot(static_cast<std::int64_t>(n)));
    }
  }
}

TEST_F(SegyOutputSetTest, FinishingWritesTheTraceCountAndChangesNothingElse) {
  const std::vector<Bytes> finished = Write({.shots = {kShot, kShot, kShot}});
  // The same set again, let go as a run that stops early does.
  ScratchDir other;
  const std::vector<Bytes> letGo =
      WriteIn(other, {.shots = {kShot, kShot, kShot}, .finish = false});

  ASSERT_EQ(finished.size(), 4u);
  for (std::size_t k = 0; k < finished.size(); ++k) {
    SCOPED_TRACE("file " + std::to_string(k + 1));
    ASSERT_GT(letGo[k].size(), 3213u);
    EXPECT_EQ(LoadLE(letGo[k], 3212, 2), 1u) << "a set let go keeps the 1 of the headers";
    EXPECT_EQ(LoadLE(finished[k], 3212, 2), 3u) << "a finished set holds the trace count";
    Bytes expected = letGo[k];
    Put(expected, 3213, 2, 3);
    ExpectSameBytes(finished[k], expected);
  }
}

TEST_F(SegyOutputSetTest, LaterTracesRewriteEveryShotFieldAndKeepTheRunFields) {
  // The second shot has every field 0: nothing of the first shot may show through.
  const std::vector<Bytes> files = Write({.shots = {kShot, ShotRecord{}}, .outputChannel = 2});

  ASSERT_EQ(files.size(), 1u);
  Bytes expected = RunFieldsOfTraceHeader();
  Put(expected, 1, 4, 1);
  Put(expected, 5, 4, 1);
  ExpectSameBytes(Slice(files[0], kFileHeadersSize + kTraceHeaderSize + 8, kTraceHeaderSize),
                  expected);
}

// ---------------------------------------------------------------------------------------------
// The value rules of single fields

enum class Where { kBinaryHeader, kFirstTraceHeader };

struct FieldValue {
  Where where;
  std::size_t segyByte;  // counting from 1, within the binary header's file or the trace header
  std::size_t width;
  std::int64_t value;  // compared in its low `width` bytes
};

struct ValueCase {
  const char* name;
  float sampleRate = 128.0f;
  ShotTableHeader table = {};
  ShotRecord shot = {};
  std::vector<FieldValue> expected = {};
};

TEST_F(SegyOutputSetTest, StoresEachValueTruncatedRoundedOrCutAsItsFieldSays) {
  using enum Where;
  const ValueCase cases[] = {
      {.name = "range 4.35 is 4.3499999 in single precision",
       .shot = {.range = 4.35f},
       .expected = {{kFirstTraceHeader, 37, 4, 4349}}},
      {.name = "range 0.7", .shot = {.range = 0.7f}, .expected = {{kFirstTraceHeader, 37, 4, 699}}},
      {.name = "a negative range truncates toward zero",
       .shot = {.range = -7.777f},
       .expected = {{kFirstTraceHeader, 37, 4, -7776}}},
      {.name = "water depth 1234.5 rounds away from zero",
       .shot = {.waterDepth = 1234.5f},
       .expected = {{kFirstTraceHeader, 61, 4, 1235}}},
      {.name = "water depth -0.5",
       .shot = {.waterDepth = -0.5f},
       .expected = {{kFirstTraceHeader, 61, 4, -1}}},
      {.name = "water depth 0.4",
       .shot = {.waterDepth = 0.4f},
       .expected = {{kFirstTraceHeader, 61, 4, 0}}},
      {.name = "water depth 1234.4",
       .shot = {.waterDepth = 1234.4f},
       .expected = {{kFirstTraceHeader, 61, 4, 1234}}},
      {.name = "shot second 59.99 truncates",
       .shot = {.shotSecond = 59.99f},
       .expected = {{kFirstTraceHeader, 165, 2, 59}}},
      {.name = "a negative shot second truncates toward zero",
       .shot = {.shotSecond = -1.5f},
       .expected = {{kFirstTraceHeader, 165, 2, -1}}},
      {.name = "day, hour and minute",
       .shot = {.shotDay = 366, .shotHour = 23, .shotMinute = 59},
       .expected = {{kFirstTraceHeader, 159, 2, 366},
                    {kFirstTraceHeader, 161, 2, 23},
                    {kFirstTraceHeader, 163, 2, 59}}},
      {.name = "a negative shot number is sign-extended",
       .shot = {.shotNumber = -3},
       .expected = {{kFirstTraceHeader, 9, 4, -3}}},
      {.name = "a shot number of 40000 is read as -25536 and sign-extended",
       .shot = {.shotNumber = -25536},
       .expected = {{kFirstTraceHeader, 9, 4, -25536}}},
      {.name = "the largest shot number",
       .shot = {.shotNumber = 32767},
       .expected = {{kFirstTraceHeader, 9, 4, 32767}}},
      {.name = "the shot's position goes into the group coordinates",
       .shot = {.shotY = 45.6f, .shotX = -7.777f},
       .expected = {{kFirstTraceHeader, 81, 4, -7776}, {kFirstTraceHeader, 85, 4, 45599}}},
      {.name = "sample rate 128 gives 7812 microseconds and the float 7812.5",
       .sampleRate = 128.0f,
       .expected = {{kBinaryHeader, 3217, 2, 7812},
                    {kBinaryHeader, 3219, 2, 7812},
                    {kFirstTraceHeader, 117, 2, 7812},
                    {kFirstTraceHeader, 181, 4, 0x45F42400}}},  // 7812.5f
      {.name = "sample rate 10 gives 100000 microseconds, of which 16 bits keep 34464",
       .sampleRate = 10.0f,
       .expected = {{kBinaryHeader, 3217, 2, 34464},
                    {kBinaryHeader, 3219, 2, 34464},
                    {kFirstTraceHeader, 117, 2, 34464},
                    {kFirstTraceHeader, 181, 4, 0x47C35000}}},  // 100000.0f
      {.name = "the samples per trace come from the window and the rate",
       .sampleRate = 1000.0f,  // 0.03125 s: 31.25 + 0.5, truncated
       .expected = {{kBinaryHeader, 3221, 2, 31},
                    {kBinaryHeader, 3223, 2, 31},
                    {kFirstTraceHeader, 115, 2, 31}}},
      {.name = "stationY 45.1234",
       .table = {.stationY = 45.1234f},
       .expected = {{kBinaryHeader, 3285, 4, 451234}, {kFirstTraceHeader, 77, 4, 45123}}},
      // Regression: a product past the int32 range was cast straight to int32, which is
      // undefined and gave other bits than the low 32 bits of the true value.
      {.name = "stationY 300000.5 keeps the low 32 bits of 3000005000",
       .table = {.stationY = 300000.5f},
       .expected = {{kBinaryHeader, 3285, 4, 3000005000}, {kFirstTraceHeader, 77, 4, 300000500}}},
      {.name = "stationY -300000.5 keeps the low 32 bits of -3000005000",
       .table = {.stationY = -300000.5f},
       .expected = {{kBinaryHeader, 3285, 4, -3000005000}, {kFirstTraceHeader, 77, 4, -300000500}}},
      {.name = "stationX -20.25 goes into the source X coordinate",
       .table = {.stationX = -20.25f},
       .expected = {{kBinaryHeader, 3289, 4, -202500}, {kFirstTraceHeader, 73, 4, -20250}}},
      {.name = "line 3 values beyond 16 bits keep their low 16 bits",
       .table = {.line3Values = {70000, -70000, 65535, -1}},
       .expected = {{kBinaryHeader, 3277, 2, 4464},
                    {kBinaryHeader, 3279, 2, -4464},
                    {kBinaryHeader, 3281, 2, -1},
                    {kBinaryHeader, 3283, 2, -1}}},
      {.name = "line 4 times 1000, truncated",
       .table = {.line4Value = 4.35f},
       .expected = {{kBinaryHeader, 3297, 4, 4349}}},
      {.name = "lines 5 and 6 beyond 16 bits keep their low 16 bits",
       .table = {.line5Value = 65541, .line6Value = -65538},
       .expected = {{kBinaryHeader, 3263, 2, 5}, {kBinaryHeader, 3265, 2, -2}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Bytes> files = Write(
        {.sampleRate = c.sampleRate, .table = c.table, .shots = {c.shot}, .outputChannel = 1});
    ASSERT_EQ(files.size(), 1u);
    for (const FieldValue& field : c.expected) {
      SCOPED_TRACE("SEG-Y byte " + std::to_string(field.segyByte));
      const std::size_t offset =
          (field.where == kBinaryHeader ? 0 : kFileHeadersSize) + field.segyByte - 1;
      EXPECT_EQ(LoadLE(files[0], offset, field.width), LowBytes(field.value, field.width));
    }
  }
}

struct SampleCase {
  float value;
  std::int16_t stored;
};

TEST(ConvertSamples, TruncatesTowardZeroAndKeepsTheLow16BitsWithoutClamping) {
  const SampleCase cases[] = {
      {65535.0f, -1},  {32768.0f, -32768}, {1.9f, 1},          {-1.9f, -1},      {0.0f, 0},
      {-0.0f, 0},      {32767.0f, 32767},  {65536.0f, 0},      {70000.5f, 4464}, {-32769.0f, 32767},
      {3.0e9f, 24064}, {-3.0e9f, -24064},  {12345.99f, 12345}, {-0.99f, 0},      {4660.0f, 0x1234},
  };
  std::vector<float> samples;
  Bytes expected(2 * std::size(cases), 0);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    samples.push_back(cases[i].value);
    Put(expected, 2 * i + 1, 2, cases[i].stored);
  }
  Bytes out(expected.size(), 0xEE);

  ConvertSamples(samples, out);

  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].value);
    EXPECT_EQ(LoadLE(out, 2 * i, 2), LoadLE(expected, 2 * i, 2));
  }
}

// ---------------------------------------------------------------------------------------------
// Whole runs

std::string Summary(int traces) {
  return "A total of " + std::to_string(traces) +
         " traces processed. \nYou may need to filter or debias before properly display some "
         "data.";
}

// The 320 text bytes of a test recording's header.
Bytes TextOf(const TestRecording& recording) {
  const Bytes bytes = testing::EncodeTestRecording(recording);
  return Slice(bytes, 192, 320);
}

// The log's dump of a test recording's header (its text holds no line feed).
std::string DumpBlock(const std::string& path, const TestRecording& recording) {
  const Bytes text = TextOf(recording);
  return "\r\n\r\nDump of the ascii header for file " + path +
         std::string(text.begin(), text.end());
}

std::string OutputNameIn(const TestSurvey& survey, const std::string& stem, int channel) {
  return survey.File(stem + "ch" + std::to_string(channel) + ".sgy");
}

// A recording of 200 frames from 12:00:00 at 100 samples per second whose samples cross from
// 65535 to 0, so that values above 32767 are written too.
const TestRecording kRecording = {.first = 65400, .frames = 200};

// Two shots on the recording, each 5 samples long with a window of 0.02 to 0.07 s: frames 2
// to 6 and 102 to 106.
const std::vector<TestShot> kTwoShots = {{.number = 11, .second = "0"},
                                         {.number = 12, .second = "1"}};
constexpr std::size_t kFirstFrames[] = {2, 102};
constexpr std::size_t kSamples = 5;
constexpr std::size_t kTraceSize = kTraceHeaderSize + 2 * kSamples;

struct ChannelCase {
  int outputChannel;
  std::vector<int> files;  // the files the run writes, by channel number
};

TEST(SegyRun, EachFileGetsItsOwnChannelOfTheRecorderFrames) {
  const ChannelCase cases[] = {
      {0, {1, 2, 3, 4}}, {1, {1}}, {2, {2}}, {3, {3}}, {4, {4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("output channel " + std::to_string(c.outputChannel));
    TestSurvey survey;
    survey.AddRecording("OBS00001.001", kRecording);
    survey.SetShots(kTwoShots);

    const ConversionResult result = survey.Convert(0.02f, 0.07f, c.outputChannel);

    EXPECT_EQ(result.outcome, RunOutcome::kFinished);
    EXPECT_EQ(result.messages, std::vector<std::string>{Summary(2)});
    for (int channel = 1; channel <= 4; ++channel) {
      SCOPED_TRACE("file " + std::to_string(channel));
      const bool written = std::find(c.files.begin(), c.files.end(), channel) != c.files.end();
      if (!written) {
        EXPECT_EQ(Describe(survey.OutputPath(channel)), "absent");
        continue;
      }
      const Bytes file = survey.Output(channel);
      ASSERT_EQ(file.size(), kFileHeadersSize + 2 * kTraceSize);
      EXPECT_EQ(Slice(file, 0, 320), TextOf(kRecording));
      EXPECT_EQ(LoadLE(file, 3212, 2), 2u);
      for (std::size_t n = 0; n < 2; ++n) {
        SCOPED_TRACE("trace " + std::to_string(n));
        const std::size_t trace = kFileHeadersSize + n * kTraceSize;
        EXPECT_EQ(LoadLE(file, trace, 4), n);
        EXPECT_EQ(LoadLE(file, trace + 8, 4), static_cast<std::uint32_t>(kTwoShots[n].number));
        Bytes expected(2 * kSamples, 0);
        for (std::size_t j = 0; j < kSamples; ++j) {
          Put(expected, 2 * j + 1, 2,
              TestSample(kRecording.first, kFirstFrames[n] + j,
                         static_cast<std::size_t>(channel - 1)));
        }
        ExpectSameBytes(Slice(file, trace + kTraceHeaderSize, 2 * kSamples), expected);
      }
    }
  }
}

struct NoHeadersCase {
  const char* name;
  std::vector<TestShot> shots;
  int outputChannel;
  std::vector<int> files;
};

TEST(SegyRun, ARunThatNeverWritesTheHeadersLeavesFilesOfOnlyTheTraceCountZero) {
  const NoHeadersCase cases[] = {
      {"no shot lines", {}, 0, {1, 2, 3, 4}},
      {"no shot lines, one channel", {}, 3, {3}},
      {"every shot before the recording's day", {{.number = 1, .day = 4}}, 0, {1, 2, 3, 4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestSurvey survey;
    survey.AddRecording("OBS00001.001", kRecording);
    survey.SetShots(c.shots);

    const ConversionResult result = survey.Convert(0.0f, 1.0f, c.outputChannel);

    EXPECT_EQ(result.outcome, RunOutcome::kFinished);
    EXPECT_EQ(result.messages, std::vector<std::string>{Summary(0)});
    for (int channel = 1; channel <= 4; ++channel) {
      SCOPED_TRACE("file " + std::to_string(channel));
      if (std::find(c.files.begin(), c.files.end(), channel) == c.files.end()) {
        EXPECT_EQ(Describe(survey.OutputPath(channel)), "absent");
      } else {
        ExpectSameBytes(survey.Output(channel), Bytes(3214, 0));
      }
    }
  }
}

TEST(SegyRun, HeadersWithoutAnyAcceptedTraceGiveFilesOfTheHeadersWithTraceCountZero) {
  TestSurvey survey;
  // The shot comes after the last frame: the file passes the day test, writes the headers
  // and then rejects the window.
  survey.AddRecording("OBS00001.001", kRecording);
  survey.SetShots({{.number = 1, .minute = 5}});

  const ConversionResult result = survey.Convert(0.0f, 0.5f);

  EXPECT_EQ(result.outcome, RunOutcome::kFinished);
  EXPECT_EQ(result.messages, std::vector<std::string>{Summary(0)});
  for (int channel = 1; channel <= 4; ++channel) {
    SCOPED_TRACE("file " + std::to_string(channel));
    const Bytes file = survey.Output(channel);
    ASSERT_EQ(file.size(), kFileHeadersSize);
    EXPECT_EQ(Slice(file, 0, 320), TextOf(kRecording));
    EXPECT_EQ(LoadLE(file, 3212, 2), 0u);
    EXPECT_EQ(LoadLE(file, 3220, 2), 50u);  // samples per trace
  }
}

TEST(SegyRun, AShotTableErrorAfterTwoTracesLeavesTheTraceCountFieldAtOne) {
  TestSurvey survey;
  survey.AddRecording("OBS00001.001", kRecording);
  std::string table = testing::kTestShotTableHeader;
  for (const TestShot& shot : kTwoShots) {
    table += testing::ShotLineText(shot);
  }
  table += "x13 5 12 0 2 45.5 -20.25 4.35 1234.5\n";
  survey.SetShotTableText(table);

  const ConversionResult result = survey.Convert(0.02f, 0.07f);

  EXPECT_EQ(result.outcome, RunOutcome::kStopped);
  EXPECT_EQ(result.messages, std::vector<std::string>{"Error in shot table"});
  for (int channel = 1; channel <= 4; ++channel) {
    SCOPED_TRACE("file " + std::to_string(channel));
    const Bytes file = survey.Output(channel);
    ASSERT_EQ(file.size(), kFileHeadersSize + 2 * kTraceSize);
    EXPECT_EQ(LoadLE(file, 3212, 2), 1u);
    EXPECT_EQ(LoadLE(file, kFileHeadersSize + kTraceSize, 4), 1u);
    EXPECT_EQ(LoadLE(file, kFileHeadersSize + kTraceSize + 8, 4), 12u);
  }
}

TEST(SegyRun, EqualMinimumAndMaximumTimesGiveTracesOfAHeaderAlone) {
  TestSurvey survey;
  survey.AddRecording("OBS00001.001", kRecording);
  survey.SetShots(kTwoShots);

  const ConversionResult result = survey.Convert(0.5f, 0.5f, 4);

  EXPECT_EQ(result.outcome, RunOutcome::kFinished);
  EXPECT_EQ(result.messages, std::vector<std::string>{Summary(2)});
  const Bytes file = survey.Output(4);
  ASSERT_EQ(file.size(), kFileHeadersSize + 2 * kTraceHeaderSize);
  EXPECT_EQ(LoadLE(file, 3212, 2), 2u);
  EXPECT_EQ(LoadLE(file, 3220, 2), 0u);
  for (std::size_t n = 0; n < 2; ++n) {
    SCOPED_TRACE("trace " + std::to_string(n));
    const std::size_t trace = kFileHeadersSize + n * kTraceHeaderSize;
    EXPECT_EQ(LoadLE(file, trace, 4), n);
    EXPECT_EQ(LoadLE(file, trace + 8, 4), static_cast<std::uint32_t>(kTwoShots[n].number));
    EXPECT_EQ(LoadLE(file, trace + 114, 2), 0u);
  }
}

struct WindowCase {
  const char* name;
  float minTime;
  float maxTime;
  std::optional<std::string> message;  // nothing: the window fits
};

TEST(SegyRun, AWindowThatDoesNotFitATraceStopsTheRunBeforeAnyByteIsWritten) {
  const WindowCase cases[] = {
      {"601 s at 100 samples per second", 0.0f, 601.0f,
       "Time window of 60100 samples does not fit a trace (0 to 60000 samples)"},
      {"one sample too many", 0.0f, 600.01f,
       "Time window of 60001 samples does not fit a trace (0 to 60000 samples)"},
      {"a maximum time below the minimum", 0.0f, -1.0f,
       "Time window of -99 samples does not fit a trace (0 to 60000 samples)"},
      {"exactly 60000 samples", 10.0f, 610.0f, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestSurvey survey;
    // No frames: a window that fits writes the headers and is then rejected, which keeps the
    // files small.
    const TestRecording empty = {.frames = 0};
    const std::string recording = survey.AddRecording("OBS00001.001", empty);
    survey.SetShots({{.number = 1}, {.number = 2}});

    const ConversionResult result = survey.Convert(c.minTime, c.maxTime);

    EXPECT_EQ(result.log, DumpBlock(recording, empty));
    for (int channel = 1; channel <= 4; ++channel) {
      SCOPED_TRACE("file " + std::to_string(channel));
      if (c.message) {
        EXPECT_EQ(Describe(survey.OutputPath(channel)), "0 bytes");
      } else {
        const Bytes file = survey.Output(channel);
        ASSERT_EQ(file.size(), kFileHeadersSize + 0);
        EXPECT_EQ(LoadLE(file, 3220, 2), 60000u);
      }
    }
    if (c.message) {
      EXPECT_EQ(result.outcome, RunOutcome::kStopped);
      EXPECT_EQ(result.messages, std::vector<std::string>{*c.message});
    } else {
      EXPECT_EQ(result.outcome, RunOutcome::kFinished);
      EXPECT_EQ(result.messages, std::vector<std::string>{Summary(0)});
    }
  }
}

struct OverwriteCase {
  const char* name;
  std::string recordingName;  // a recorder file in the file dialog's list
  std::string shotTableName;  // the shot table in the survey's folder
  std::string outputStem;     // the output path is <folder>/<stem>.sgy
  int outputChannel;
  std::optional<std::string> collision;  // the output file named, relative to the folder
};

TEST(SegyRun, RefusesAnOutputFileThatWouldOverwriteAnInput) {
  const OverwriteCase cases[] = {
      {"a recorder file named like the first output", "OBSch1.sgy", "shots.txt", "OBS", 0,
       "OBSch1.sgy"},
      {"a recorder file named like the second output", "OBSch2.sgy", "shots.txt", "OBS", 0,
       "OBSch2.sgy"},
      {"a recorder file by another spelling of its path", "./sub/../OBSch1.sgy", "shots.txt", "OBS",
       0, "OBSch1.sgy"},
      {"the shot table as the one output file", "OBS00001.001", "linech3.sgy", "line", 3,
       "linech3.sgy"},
      {"a shot table named like an output that this run does not write", "OBS00001.001",
       "linech3.sgy", "line", 2, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestSurvey survey;
    std::filesystem::create_directory(survey.File("sub"));
    const std::string recording = survey.AddRecording(c.recordingName, kRecording);
    const Bytes recordingBytes = ReadBytes(recording);
    RunSettings settings = survey.Settings(0.02f, 0.07f, c.outputChannel);
    settings.shotTablePath = survey.File(c.shotTableName);
    WriteText(settings.shotTablePath, testing::kTestShotTableHeader + testing::ShotLineText({}));
    const Bytes tableBytes = ReadBytes(settings.shotTablePath);
    settings.outputPath = survey.File(c.outputStem + ".sgy");

    const ConversionResult result = survey.Convert(settings);

    EXPECT_EQ(ReadBytes(recording), recordingBytes) << "the recorder file was changed";
    EXPECT_EQ(ReadBytes(settings.shotTablePath), tableBytes) << "the shot table was changed";
    if (!c.collision) {
      EXPECT_EQ(result.outcome, RunOutcome::kFinished);
      EXPECT_EQ(Describe(OutputNameIn(survey, c.outputStem, c.outputChannel)),
                std::to_string(kFileHeadersSize + kTraceSize) + " bytes");
      continue;
    }
    EXPECT_EQ(result.outcome, RunOutcome::kStopped);
    EXPECT_EQ(result.messages, std::vector<std::string>{"Output file " + survey.File(*c.collision) +
                                                        " would overwrite an input file"});
    for (int channel = 1; channel <= 4; ++channel) {
      const std::string output = OutputNameIn(survey, c.outputStem, channel);
      if (output != survey.File(*c.collision)) {
        EXPECT_EQ(Describe(output), "absent") << output;
      }
    }
    EXPECT_EQ(result.log, DumpBlock(recording, kRecording));
  }
}

struct UncreatableCase {
  const char* name;
  int outputChannel;
  std::string folderName;                  // a folder in the place of this output file
  bool shots;                              // false: no shot line, so no header is ever written
  std::vector<std::string> expectedFiles;  // linech1.sgy to linech4.sgy afterwards
};

TEST(SegyRun, AnOutputFileThatCannotBeCreatedAbandonsTheRunAtItsFirstWrite) {
  const std::string text = std::to_string(320) + " bytes";
  const UncreatableCase cases[] = {
      {"the second file, at the headers' text",
       0,
       "linech2.sgy",
       true,
       {text, "folder", "0 bytes", "0 bytes"}},
      {"the first file, at the headers' text",
       0,
       "linech1.sgy",
       true,
       {"folder", "0 bytes", "0 bytes", "0 bytes"}},
      {"the one file of a single channel",
       2,
       "linech2.sgy",
       true,
       {"absent", "folder", "absent", "absent"}},
      {"the second file, at the trace count when no header was written",
       0,
       "linech2.sgy",
       false,
       {"0 bytes", "folder", "0 bytes", "0 bytes"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestSurvey survey;
    // The first recording's month is not recognised, which puts a shot's line into the log
    // before the second recording has the headers written.
    const TestRecording unreadableDate = {.startTime = "05 Jam 96 12:00:00", .frames = 10};
    const std::string first = survey.AddRecording("OBS00001.001", unreadableDate);
    const std::string second = survey.AddRecording("OBS00002.001", kRecording);
    survey.SetShots(c.shots ? kTwoShots : std::vector<TestShot>{});
    std::filesystem::create_directory(survey.File(c.folderName));

    const ConversionResult result = survey.Convert(0.02f, 0.07f, c.outputChannel);

    EXPECT_EQ(result.outcome, RunOutcome::kStopped);
    EXPECT_EQ(result.messages, std::vector<std::string>{});
    EXPECT_EQ(result.fileError, survey.File(c.folderName) + " is a folder, not a file.");
    for (int channel = 1; channel <= 4; ++channel) {
      SCOPED_TRACE("file " + std::to_string(channel));
      EXPECT_EQ(Describe(survey.OutputPath(channel)), c.expectedFiles[channel - 1]);
      if (c.expectedFiles[channel - 1] == text) {
        EXPECT_EQ(survey.Output(channel), TextOf(kRecording));
      }
    }
    std::string log = DumpBlock(first, unreadableDate) + DumpBlock(second, kRecording);
    if (c.shots) {
      log += "\r\n total days not recognizable in datafile.  0 for shot #   11";
    }
    EXPECT_EQ(result.log, log);
  }
}

}  // namespace
}  // namespace obscut
