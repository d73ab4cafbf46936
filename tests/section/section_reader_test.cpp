// Reading the SEG-Y files obscut writes: the fields a record section needs, pinned as bytes,
// and the files that are not such SEG-Y files.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "base/byte_order.h"
#include "section/segy_section_reader.h"
#include "segy/segy_headers.h"
#include "support/scratch_dir.h"

namespace obscut {
namespace {

using testing::ScratchDir;
using testing::WriteBytes;

// A file as obscut's header code lays it out: `traces` traces of `samples` samples at 128
// samples per second, each sample the 16-bit pattern `pattern`.
std::vector<std::uint8_t> SegyFile(std::uint16_t samples, std::size_t traces,
                                   std::uint16_t pattern = 0x8000) {
  std::vector<std::uint8_t> bytes(segy_layout::kTextHeaderSize, 0);
  const ShotTableHeader table;
  const auto binary = MakeBinaryHeader(table, samples, SampleIntervalMicroseconds(128.0f));
  bytes.insert(bytes.end(), binary.begin(), binary.end());
  TraceHeaderBytes header{};
  SetTraceHeaderRunFields(header, samples, SampleIntervalMicroseconds(128.0f), 128.0f);
  for (std::size_t i = 0; i < traces; ++i) {
    ShotRecord shot;
    shot.shotNumber = static_cast<std::int16_t>(200 + i);
    shot.range = -4.35f + static_cast<float>(i);
    SetTraceHeaderShotFields(header, static_cast<std::uint16_t>(i), shot, table);
    bytes.insert(bytes.end(), header.begin(), header.end());
    for (std::uint16_t k = 0; k < samples; ++k) {
      bytes.push_back(static_cast<std::uint8_t>(pattern));
      bytes.push_back(static_cast<std::uint8_t>(pattern >> 8));
    }
  }
  return bytes;
}

TEST(ReadSegySection, ReadsShotRangeIntervalAndTheRecorderCounts) {
  std::vector<std::uint8_t> bytes = SegyFile(3, 2);
  // Trace 2: range -3349 (bytes 37-40), samples 0xFFFF, 0x0001 and 0x7FFF.
  const std::size_t trace2 = 3600 + 240 + 6;
  const std::vector<std::uint8_t> range = {0xEB, 0xF2, 0xFF, 0xFF};
  ASSERT_TRUE(std::equal(range.begin(), range.end(), bytes.begin() + trace2 + 36));
  const std::vector<std::uint8_t> samples = {0xFF, 0xFF, 0x01, 0x00, 0xFF, 0x7F};
  std::copy(samples.begin(), samples.end(), bytes.begin() + trace2 + 240);
  ScratchDir dir;
  WriteBytes(dir.File("a.sgy"), bytes);

  const auto read = ReadSegySection(dir.File("a.sgy"));
  ASSERT_TRUE(std::holds_alternative<SegySection>(read)) << std::get<std::string>(read);
  const SegySection& section = std::get<SegySection>(read);
  EXPECT_EQ(section.samplesPerTrace, 3u);
  // 1000000 / 128 = 7812.5 us from the float in bytes 181-184, not 7812 of the 16-bit field.
  EXPECT_DOUBLE_EQ(section.sampleIntervalSeconds, 0.0078125);
  ASSERT_EQ(section.traces.size(), 2u);
  EXPECT_EQ(section.traces[0].shotNumber, 200);
  EXPECT_DOUBLE_EQ(section.traces[0].rangeKm, -4.349);
  EXPECT_EQ(section.traces[0].counts, (std::vector<float>{32768.0f, 32768.0f, 32768.0f}));
  EXPECT_EQ(section.traces[1].shotNumber, 201);
  EXPECT_DOUBLE_EQ(section.traces[1].rangeKm, -3.349);
  // Unsigned counts: 0xFFFF is 65535, not -1.
  EXPECT_EQ(section.traces[1].counts, (std::vector<float>{65535.0f, 1.0f, 32767.0f}));
}

TEST(ReadSegySection, RefusesFilesNotWrittenByObscutNamingThem) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string problem;  // after the file's path
  };
  std::vector<std::uint8_t> wrongFormat = SegyFile(4, 1);
  StoreLE16(wrongFormat, 3224, 5);  // 4-byte IEEE floats
  std::vector<std::uint8_t> mixedLengths = SegyFile(4, 2);
  StoreLE16(mixedLengths, 3600 + 248 + 114, 3);
  std::vector<std::uint8_t> cutShort = SegyFile(4, 2);
  cutShort.pop_back();
  std::vector<std::uint8_t> headersCutShort = SegyFile(4, 0);
  headersCutShort.pop_back();
  const Case cases[] = {
      {"empty",
       {},
       " is not a SEG-Y file written by obscut: 0 bytes are fewer than the 3600 of the file "
       "headers."},
      {"headers cut short", headersCutShort,
       " is not a SEG-Y file written by obscut: 3599 bytes are fewer than the 3600 of the file "
       "headers."},
      {"float samples", wrongFormat,
       " is not a SEG-Y file written by obscut: its sample format code is 5, not 3 (2-byte "
       "integers, least significant byte first)."},
      {"no samples per trace", SegyFile(0, 2),
       " is not a SEG-Y file written by obscut: its binary header gives 0 samples per trace."},
      {"last trace cut short", cutShort,
       " is not a SEG-Y file written by obscut: 4095 bytes are not the 3600 bytes of the file "
       "headers and whole traces of 248 bytes (4 samples)."},
      {"traces of another length", mixedLengths,
       " is not a SEG-Y file written by obscut: trace 2 does not have the 4 samples of the "
       "binary header."},
      {"no traces", SegyFile(4, 0), " holds no traces."},
  };
  ScratchDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File(std::string(c.name) + ".sgy");
    WriteBytes(path, c.bytes);
    const auto read = ReadSegySection(path);
    ASSERT_TRUE(std::holds_alternative<std::string>(read));
    EXPECT_EQ(std::get<std::string>(read), path + c.problem);
  }
  const auto missing = ReadSegySection(dir.File("missing.sgy"));
  ASSERT_TRUE(std::holds_alternative<std::string>(missing));
  EXPECT_EQ(std::get<std::string>(missing), dir.File("missing.sgy") + " was not found.");
}

}  // namespace
}  // namespace obscut
