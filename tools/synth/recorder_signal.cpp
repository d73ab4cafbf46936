#include "synth/recorder_signal.h"

#include <algorithm>
#include <cmath>

#include "base/byte_order.h"
#include "recorder/recorder_header.h"
#include "synth/shot_arrivals.h"

namespace obscut {
namespace {

constexpr int kMidScale = 32768;
constexpr int kMaxRestingOffset = 60;

// A dominant frequency typical of airgun refraction data, lowered for low sample rates so the
// wavelet stays well sampled.
double PeakFrequency(double sampleRate) {
  return std::min(8.0, sampleRate / 8.0);
}

}  // namespace

RecorderSignal::RecorderSignal(const SurveyPlan& plan, std::uint64_t seed)
    : plan_(plan),
      sample_rate_(plan.sampleRate()),
      wavelet_(PeakFrequency(sample_rate_), sample_rate_),
      noise_(seed) {
  for (std::size_t channel = 0; channel < resting_levels_.size(); ++channel) {
    const std::uint64_t bits = MixBits(seed + 0xC0FFEEull * (channel + 1));
    resting_levels_[channel] =
        kMidScale + static_cast<int>(bits % (2 * kMaxRestingOffset + 1)) - kMaxRestingOffset;
  }
  for (auto& channel : arrivals_) {
    channel.resize(kBlockFrames);
  }
  bytes_.resize(kBlockFrames * recorder_layout::kFrameSize);
}

void RecorderSignal::WriteFrames(const PlannedFile& file, BinaryFile& out) {
  for (std::int64_t first = 0; first < file.frames;) {
    const auto frames =
        static_cast<std::size_t>(std::min<std::int64_t>(kBlockFrames, file.frames - first));
    AddArrivals(file, first, frames);
    EncodeFrames(frames);
    out.Write(std::span(bytes_).first(frames * recorder_layout::kFrameSize));
    first += static_cast<std::int64_t>(frames);
  }
}

void RecorderSignal::AddArrivals(const PlannedFile& file, std::int64_t firstFrame,
                                 std::size_t frames) {
  for (auto& channel : arrivals_) {
    std::fill_n(channel.begin(), frames, 0.0f);
  }
  const std::int64_t end_frame = firstFrame + static_cast<std::int64_t>(frames);
  const double reach = wavelet_.halfLength() / sample_rate_;
  const double block_start = static_cast<double>(file.startSeconds) +
                             static_cast<double>(firstFrame) / sample_rate_ - reach;
  const double block_end = static_cast<double>(file.startSeconds) +
                           static_cast<double>(end_frame) / sample_rate_ + reach;
  const auto [first_shot, last_shot] =
      plan_.ShotsBetween(block_start - plan_.latestArrivalSeconds(), block_end);
  for (int index = first_shot; index <= last_shot; ++index) {
    const ShotLine shot = plan_.Shot(index);
    // Milliseconds from the file's first frame to the shot: exact in integers.
    const double shot_seconds =
        static_cast<double>(shot.timeMs - file.startSeconds * 1000) / 1000.0;
    for (const Arrival& arrival : ShotArrivals(shot.range, shot.waterDepth)) {
      const auto placement = wavelet_.Place((shot_seconds + arrival.travelSeconds) * sample_rate_);
      const std::int64_t from = std::max(placement.firstSample, firstFrame);
      const std::int64_t to = std::min(
          placement.firstSample + static_cast<std::int64_t>(placement.values.size()), end_frame);
      for (std::size_t channel = 0; channel < arrivals_.size(); ++channel) {
        const float amplitude = arrival.amplitude[channel];
        std::vector<float>& target = arrivals_[channel];
        for (std::int64_t k = from; k < to; ++k) {
          target[static_cast<std::size_t>(k - firstFrame)] +=
              amplitude * placement.values[static_cast<std::size_t>(k - placement.firstSample)];
        }
      }
    }
  }
}

void RecorderSignal::EncodeFrames(std::size_t frames) {
  for (std::size_t i = 0; i < frames; ++i) {
    // One draw gives the noise of all four channels, 16 bits each: the sum of two uniform
    // 5-bit values, a triangular distribution from -31 to 31.
    const std::uint64_t bits = noise_.Next();
    for (std::size_t channel = 0; channel < 4; ++channel) {
      const auto part = static_cast<int>((bits >> (16 * channel)) & 0x3FF);
      const int noise = (part & 31) + ((part >> 5) & 31) - kNoiseAmplitude;
      const long signal = std::lround(arrivals_[channel][i]);
      const long value = std::clamp<long>(resting_levels_[channel] + noise + signal, 0, 65535);
      StoreBE16(bytes_, recorder_layout::kFrameSize * i + 2 * channel,
                static_cast<std::uint16_t>(value));
    }
  }
}

}  // namespace obscut
