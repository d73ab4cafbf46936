// A Ricker wavelet sampled ahead of time at a number of sub-sample shifts, so that placing
// an arrival at any time costs only a table look-up per sample.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace obscut {

class WaveletTable {
 public:
  static constexpr int kShifts = 16;  // sub-sample positions, 1/16 sample apart

  // Peak 1.0; `peakHz` is the wavelet's dominant frequency.
  WaveletTable(double peakHz, double sampleRate);

  struct Placement {
    std::int64_t firstSample = 0;  // index of values[0]
    std::span<const float> values;
  };

  // The wavelet with its peak at the fractional sample index `position`, rounded to the
  // nearest sub-sample shift.
  Placement Place(double position) const;

  // Samples on each side of the peak.
  int halfLength() const { return half_length_; }

 private:
  int half_length_;
  std::vector<float> values_;  // kShifts rows of 2 * half_length_ + 1 samples
};

}  // namespace obscut
