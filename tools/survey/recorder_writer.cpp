#include "survey/recorder_writer.h"

#include <algorithm>
#include <cstdio>

#include "base/byte_order.h"

namespace obscut {

std::string StartTimeText(int dayOfMonth, const std::string& month, int year, int hour, int minute,
                          int second) {
  char text[64];
  std::snprintf(text, sizeof(text), "%02d %.3s %02d %02d:%02d:%02d", dayOfMonth, month.c_str(),
                year, hour, minute, second);
  return text;
}

RecorderHeader EncodeRecorderHeader(const RecorderHeaderFields& fields) {
  namespace layout = recorder_layout;
  RecorderHeader header;
  StoreLE16(header.bytes, layout::kBytesPerSample.offset,
            static_cast<std::uint16_t>(fields.bytesPerSample));
  StoreLEFloat32(header.bytes, layout::kSampleRate.offset, fields.sampleRate);
  const std::size_t length = std::min(fields.asciiHeader.size(), layout::kAsciiHeader.width);
  std::copy_n(fields.asciiHeader.begin(), length,
              header.bytes.begin() + static_cast<std::ptrdiff_t>(layout::kAsciiHeader.offset));
  return header;
}

void AppendFrame(std::vector<std::uint8_t>& bytes, const SampleFrame& frame) {
  std::uint8_t encoded[recorder_layout::kFrameSize];
  for (std::size_t channel = 0; channel < frame.size(); ++channel) {
    StoreBE16(encoded, 2 * channel, frame[channel]);
  }
  bytes.insert(bytes.end(), std::begin(encoded), std::end(encoded));
}

std::vector<std::uint8_t> EncodeRecorderFile(const RecorderHeaderFields& fields,
                                             std::span<const SampleFrame> frames) {
  const RecorderHeader header = EncodeRecorderHeader(fields);
  std::vector<std::uint8_t> bytes(header.bytes.begin(), header.bytes.end());
  bytes.reserve(bytes.size() + frames.size() * recorder_layout::kFrameSize);
  for (const SampleFrame& frame : frames) {
    AppendFrame(bytes, frame);
  }
  return bytes;
}

}  // namespace obscut
