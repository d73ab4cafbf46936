// The samples of one shot window, one buffer per recorder channel.
//
// A buffer holds each sample as the recorder's unsigned 16-bit value (0 to 65535) or 0 where
// the window has no data. Every such value is exact as a float, and its float truncated to
// 32 bits and cut to its low 16 gives the value back, so the trace samples are these values
// themselves and no float is needed on the way.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "recorder/recorder_header.h"

namespace obscut {

class ChannelBuffers {
 public:
  // The most samples one window, and so one trace, may hold.
  static constexpr std::size_t kCapacity = 60000;

  ChannelBuffers();

  // Buffer k holds recorder channel k + 1.
  void StoreFrame(std::size_t index, const SampleFrame& frame);

  // Decodes whole 8-byte frames (big-endian samples, channel 1 first) into samples `index`
  // on. Raises std::out_of_range, storing nothing, when they would pass the capacity.
  void StoreFrames(std::size_t index, std::span<const std::uint8_t> frameBytes);

  // Zero in every channel for samples `index` to `index + count - 1`, where the window has no
  // recorded data. Raises std::out_of_range as StoreFrames does.
  void StoreZeros(std::size_t index, std::size_t count);

  // `channel` counts from 0.
  std::span<const std::uint16_t> Channel(std::size_t channel) const {
    return channels_.at(channel);
  }

 private:
  std::array<std::vector<std::uint16_t>, recorder_layout::kChannelCount> channels_;
};

}  // namespace obscut
