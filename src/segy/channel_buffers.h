// The samples of one shot window, one buffer per recorder channel.
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

  ChannelBuffers() {
    for (std::vector<float>& channel : channels_) {
      channel.resize(kCapacity);
    }
  }

  // Buffer k holds recorder channel k + 1, each sample as its unsigned value (0 to 65535).
  void StoreFrame(std::size_t index, const SampleFrame& frame) {
    for (std::size_t k = 0; k < frame.size(); ++k) {
      channels_[k].at(index) = static_cast<float>(frame[k]);
    }
  }

  // Zero in every channel, where the window has no recorded data.
  void StoreZero(std::size_t index) {
    for (std::vector<float>& channel : channels_) {
      channel.at(index) = 0.0f;
    }
  }

  // `channel` counts from 0.
  std::span<const float> Channel(std::size_t channel) const { return channels_.at(channel); }

 private:
  std::array<std::vector<float>, recorder_layout::kChannelCount> channels_;
};

}  // namespace obscut
