#include "section/band_pass.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace obscut {
namespace {

// The quality factors of the two sections of a 4th-order Butterworth filter:
// 1 / (2 cos(π/8)) and 1 / (2 cos(3π/8)).
constexpr std::array<double, 2> kButterworthQ = {0.54119610014619698, 1.3065629648763766};

// tan(π f / fs): the analogue corner that the bilinear transform maps onto f exactly.
double PrewarpedCorner(double cornerHz, double sampleRate) {
  return std::tan(std::numbers::pi * cornerHz / sampleRate);
}

}  // namespace

BandPass::Section BandPass::LowPass(double cornerHz, double q, double sampleRate) {
  const double k = PrewarpedCorner(cornerHz, sampleRate);
  const double norm = 1.0 / (1.0 + k / q + k * k);
  const double b0 = k * k * norm;
  return {b0, 2.0 * b0, b0, 2.0 * (k * k - 1.0) * norm, (1.0 - k / q + k * k) * norm};
}

BandPass::Section BandPass::HighPass(double cornerHz, double q, double sampleRate) {
  const double k = PrewarpedCorner(cornerHz, sampleRate);
  const double norm = 1.0 / (1.0 + k / q + k * k);
  return {norm, -2.0 * norm, norm, 2.0 * (k * k - 1.0) * norm, (1.0 - k / q + k * k) * norm};
}

BandPass::BandPass(double lowHz, double highHz, double sampleRate) {
  sections_ = {
      HighPass(lowHz, kButterworthQ[0], sampleRate), HighPass(lowHz, kButterworthQ[1], sampleRate),
      LowPass(highHz, kButterworthQ[0], sampleRate), LowPass(highHz, kButterworthQ[1], sampleRate)};
}

void BandPass::ApplyForward(std::span<double> trace) const {
  for (const Section& s : sections_) {
    // Transposed direct form II: two state values per section.
    double z1 = 0.0;
    double z2 = 0.0;
    for (double& x : trace) {
      const double y = s.b0 * x + z1;
      z1 = s.b1 * x - s.a1 * y + z2;
      z2 = s.b2 * x - s.a2 * y;
      x = y;
    }
  }
}

void BandPass::ApplyZeroPhase(std::span<double> trace) const {
  ApplyForward(trace);
  std::reverse(trace.begin(), trace.end());
  ApplyForward(trace);
  std::reverse(trace.begin(), trace.end());
}

}  // namespace obscut
