#include "segy/channel_buffers.h"

#include <algorithm>
#include <stdexcept>

// Keeps the decoding loop a function of its own: inlined into its caller, the compiler no
// longer knows that the buffers do not overlap, and leaves the loop scalar.
#if defined(__GNUC__)
#define OBSCUT_NOINLINE [[gnu::noinline]]
#else
#define OBSCUT_NOINLINE
#endif

namespace obscut {
namespace {

void CheckRange(std::size_t index, std::size_t count) {
  if (index > ChannelBuffers::kCapacity || count > ChannelBuffers::kCapacity - index) {
    throw std::out_of_range("window samples beyond the channel buffers");
  }
}

// Frame i's four big-endian samples into c1[i] to c4[i]. The frames go in blocks of a fixed
// count, a loop the compiler turns into vector shuffles at the usual optimisation level; the
// rest go one by one. The buffers never overlap the frames (__restrict says so).
OBSCUT_NOINLINE void DecodeFrames(const std::uint8_t* __restrict in, std::size_t count,
                                  std::uint16_t* __restrict c1, std::uint16_t* __restrict c2,
                                  std::uint16_t* __restrict c3, std::uint16_t* __restrict c4) {
  constexpr std::size_t kFrame = recorder_layout::kFrameSize;
  constexpr std::size_t kBlock = 16;
  const std::size_t blocks = count / kBlock;
  for (std::size_t b = 0; b < blocks; ++b) {
    for (std::size_t k = 0; k < kBlock; ++k) {
      const std::size_t j = b * kBlock + k;
      const std::uint8_t* f = in + kFrame * j;
      c1[j] = static_cast<std::uint16_t>((f[0] << 8) | f[1]);
      c2[j] = static_cast<std::uint16_t>((f[2] << 8) | f[3]);
      c3[j] = static_cast<std::uint16_t>((f[4] << 8) | f[5]);
      c4[j] = static_cast<std::uint16_t>((f[6] << 8) | f[7]);
    }
  }
  for (std::size_t i = blocks * kBlock; i < count; ++i) {
    const std::uint8_t* f = in + kFrame * i;
    c1[i] = static_cast<std::uint16_t>((f[0] << 8) | f[1]);
    c2[i] = static_cast<std::uint16_t>((f[2] << 8) | f[3]);
    c3[i] = static_cast<std::uint16_t>((f[4] << 8) | f[5]);
    c4[i] = static_cast<std::uint16_t>((f[6] << 8) | f[7]);
  }
}

}  // namespace

ChannelBuffers::ChannelBuffers() {
  for (std::vector<std::uint16_t>& channel : channels_) {
    channel.resize(kCapacity);
  }
}

void ChannelBuffers::StoreFrame(std::size_t index, const SampleFrame& frame) {
  CheckRange(index, 1);
  for (std::size_t k = 0; k < frame.size(); ++k) {
    channels_[k][index] = frame[k];
  }
}

void ChannelBuffers::StoreFrames(std::size_t index, std::span<const std::uint8_t> frameBytes) {
  const std::size_t count = frameBytes.size() / recorder_layout::kFrameSize;
  CheckRange(index, count);
  DecodeFrames(frameBytes.data(), count, channels_[0].data() + index, channels_[1].data() + index,
               channels_[2].data() + index, channels_[3].data() + index);
}

void ChannelBuffers::StoreZeros(std::size_t index, std::size_t count) {
  CheckRange(index, count);
  for (std::vector<std::uint16_t>& channel : channels_) {
    std::fill_n(channel.begin() + static_cast<std::ptrdiff_t>(index), count, std::uint16_t{0});
  }
}

}  // namespace obscut
