// Writes recorder data files: the 512-byte header and big-endian four-channel frames.
// Used by the survey maker and by the tests to build recorder files of any shape.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "recorder/recorder_header.h"

namespace obscut {

struct RecorderHeaderFields {
  std::int16_t bytesPerSample = 2;
  float sampleRate = 100.0f;
  // The text header; its first 18 characters are the start time, "DD Mon YY HH:MM:SS".
  // Longer text is cut at 320 bytes; shorter text is followed by zero bytes.
  std::string asciiHeader = "05 Jan 96 12:00:00";
};

// The start time text for a day of month, month name ("Jan"), two-digit year and time.
std::string StartTimeText(int dayOfMonth, const std::string& month, int year, int hour, int minute,
                          int second);

RecorderHeader EncodeRecorderHeader(const RecorderHeaderFields& fields);

// Appends one frame, channel 1 first, each sample big-endian.
void AppendFrame(std::vector<std::uint8_t>& bytes, const SampleFrame& frame);

// A whole recorder file: header, then the frames.
std::vector<std::uint8_t> EncodeRecorderFile(const RecorderHeaderFields& fields,
                                             std::span<const SampleFrame> frames);

}  // namespace obscut
