#include "synth/wavelet_table.h"

#include <cmath>
#include <numbers>

namespace obscut {

WaveletTable::WaveletTable(double peakHz, double sampleRate)
    // Beyond 1.5 periods from its peak a Ricker wavelet is below 1e-9 of its peak.
    : half_length_(static_cast<int>(std::ceil(1.5 / peakHz * sampleRate))) {
  const std::size_t row = 2 * static_cast<std::size_t>(half_length_) + 1;
  values_.resize(row * kShifts);
  for (int shift = 0; shift < kShifts; ++shift) {
    for (std::size_t i = 0; i < row; ++i) {
      const double samples_from_peak =
          static_cast<double>(i) - half_length_ - static_cast<double>(shift) / kShifts;
      const double a = std::numbers::pi * peakHz * samples_from_peak / sampleRate;
      values_[static_cast<std::size_t>(shift) * row + i] =
          static_cast<float>((1.0 - 2.0 * a * a) * std::exp(-a * a));
    }
  }
}

WaveletTable::Placement WaveletTable::Place(double position) const {
  double whole = std::floor(position);
  int shift = static_cast<int>(std::lround((position - whole) * kShifts));
  if (shift == kShifts) {
    whole += 1.0;
    shift = 0;
  }
  const std::size_t row = 2 * static_cast<std::size_t>(half_length_) + 1;
  Placement placement;
  placement.firstSample = static_cast<std::int64_t>(whole) - half_length_;
  placement.values =
      std::span<const float>(values_).subspan(static_cast<std::size_t>(shift) * row, row);
  return placement;
}

}  // namespace obscut
