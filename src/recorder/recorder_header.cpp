#include "recorder/recorder_header.h"

#include "base/byte_order.h"

namespace obscut {

std::int16_t RecorderHeader::bytesPerSample() const {
  return static_cast<std::int16_t>(LoadLE16(bytes, recorder_layout::kBytesPerSample.offset));
}

float RecorderHeader::sampleRate() const {
  return LoadLEFloat32(bytes, recorder_layout::kSampleRate.offset);
}

std::span<const std::uint8_t> RecorderHeader::asciiHeader() const {
  return std::span<const std::uint8_t>(bytes).subspan(recorder_layout::kAsciiHeader.offset,
                                                      recorder_layout::kAsciiHeader.width);
}

SampleFrame DecodeFrame(std::span<const std::uint8_t, recorder_layout::kFrameSize> bytes) {
  SampleFrame frame{};
  for (std::size_t channel = 0; channel < recorder_layout::kChannelCount; ++channel) {
    frame[channel] = LoadBE16(bytes, 2 * channel);
  }
  return frame;
}

}  // namespace obscut
