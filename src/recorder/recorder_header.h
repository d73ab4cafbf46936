// The 512-byte header at the start of every recorder data file.
//
//   FIELD            TYPE                      OFFSET  WIDTH
//   (not read)                                      0     10
//   bytesPerSample   int16, little-endian          10      2
//   (not read)                                     12     20
//   sampleRate       float32, little-endian        32      4   samples per second per channel
//   (not read)                                     36    156
//   asciiHeader      text                         192    320   copied whole into log and SEG-Y
//   startTimeText    text, "DD Mon YY HH:MM:SS"   192     18   the first part of asciiHeader
//
// Numeric header fields are little-endian; the samples behind the header are big-endian.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "base/field_layout.h"

namespace obscut {

namespace recorder_layout {
inline constexpr std::size_t kHeaderSize = 512;
inline constexpr FieldSpec kBytesPerSample{10, 2};
inline constexpr FieldSpec kSampleRate{32, 4};
inline constexpr FieldSpec kAsciiHeader{192, 320};

// The fields of startTimeText; the bytes between them are separators and never examined.
inline constexpr FieldSpec kDayOfMonth{192, 2};
inline constexpr FieldSpec kMonthName{195, 3};
inline constexpr FieldSpec kYear{199, 2};
inline constexpr FieldSpec kHour{202, 2};
inline constexpr FieldSpec kMinute{205, 2};
inline constexpr FieldSpec kSecond{208, 2};

// Behind the header: frames of one unsigned big-endian 16-bit sample per channel.
inline constexpr std::size_t kChannelCount = 4;
inline constexpr std::size_t kFrameSize = 8;
}  // namespace recorder_layout

struct RecorderHeader {
  std::array<std::uint8_t, recorder_layout::kHeaderSize> bytes{};

  std::int16_t bytesPerSample() const;
  float sampleRate() const;
  std::span<const std::uint8_t> asciiHeader() const;
};

// One sample of each of the four channels, channel 1 first, as the recorder wrote them
// (0 to 65535; mid-scale is 32768).
using SampleFrame = std::array<std::uint16_t, recorder_layout::kChannelCount>;

SampleFrame DecodeFrame(std::span<const std::uint8_t, recorder_layout::kFrameSize> bytes);

}  // namespace obscut
