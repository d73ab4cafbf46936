#include "section/trace_gain.h"

#include <algorithm>
#include <cmath>

namespace obscut {

std::vector<double> Debias(std::span<const float> counts) {
  double sum = 0.0;
  std::size_t recorded = 0;
  for (float count : counts) {
    if (count != 0.0f) {
      sum += static_cast<double>(count);
      ++recorded;
    }
  }
  std::vector<double> trace(counts.size(), 0.0);
  if (recorded == 0) {
    return trace;
  }
  const double mean = sum / static_cast<double>(recorded);
  for (std::size_t i = 0; i < counts.size(); ++i) {
    if (counts[i] != 0.0f) {
      trace[i] = static_cast<double>(counts[i]) - mean;
    }
  }
  return trace;
}

void NormaliseTrace(std::span<double> trace, std::size_t first, std::size_t last) {
  last = std::min(last, trace.size());
  double peak = 0.0;
  for (std::size_t i = first; i < last; ++i) {
    peak = std::max(peak, std::fabs(trace[i]));
  }
  if (peak == 0.0) {
    return;
  }
  for (double& value : trace) {
    value /= peak;
  }
}

std::vector<double> AutomaticGain(std::span<const double> trace, std::size_t windowSamples) {
  // Running sums of squares give every window's energy in constant time.
  std::vector<double> energy(trace.size() + 1, 0.0);
  for (std::size_t i = 0; i < trace.size(); ++i) {
    energy[i + 1] = energy[i] + trace[i] * trace[i];
  }
  const std::size_t half = std::max<std::size_t>(windowSamples, 1) / 2;
  std::vector<double> gained(trace.size(), 0.0);
  for (std::size_t i = 0; i < trace.size(); ++i) {
    const std::size_t from = i > half ? i - half : 0;
    const std::size_t to = std::min(trace.size(), i + half + 1);
    const double meanSquare = (energy[to] - energy[from]) / static_cast<double>(to - from);
    if (meanSquare > 0.0) {
      gained[i] = trace[i] / std::sqrt(2.0 * meanSquare);
    }
  }
  return gained;
}

}  // namespace obscut
