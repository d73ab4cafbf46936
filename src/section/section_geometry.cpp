#include "section/section_geometry.h"

#include <algorithm>
#include <cmath>

namespace obscut {

double ReductionDelay(double rangeKm, double velocity) {
  return velocity > 0.0 ? std::fabs(rangeKm) / velocity : 0.0;
}

std::vector<double> TracePositions(const SegySection& section, TracePlacement placement) {
  std::vector<double> positions;
  positions.reserve(section.traces.size());
  for (std::size_t i = 0; i < section.traces.size(); ++i) {
    positions.push_back(placement == TracePlacement::kByRange ? section.traces[i].rangeKm
                                                              : static_cast<double>(i + 1));
  }
  return positions;
}

double TypicalSpacing(std::span<const double> positions) {
  std::vector<double> sorted(positions.begin(), positions.end());
  std::sort(sorted.begin(), sorted.end());
  std::vector<double> gaps;
  for (std::size_t i = 1; i < sorted.size(); ++i) {
    if (sorted[i] > sorted[i - 1]) {
      gaps.push_back(sorted[i] - sorted[i - 1]);
    }
  }
  if (gaps.empty()) {
    return 1.0;
  }
  std::nth_element(gaps.begin(), gaps.begin() + static_cast<std::ptrdiff_t>(gaps.size() / 2),
                   gaps.end());
  return gaps[gaps.size() / 2];
}

std::vector<double> NiceTicks(TimeInterval span, int maxTicks) {
  const double length = span.to - span.from;
  if (!(length > 0.0) || maxTicks < 1) {
    return {};
  }
  const double rough = length / maxTicks;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  double step = 10.0 * power;
  for (double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= rough) {
      step = factor * power;
      break;
    }
  }
  std::vector<double> ticks;
  for (double k = std::ceil(span.from / step - 1e-9); k * step <= span.to + 1e-9 * step; k += 1) {
    const double tick = k * step;
    ticks.push_back(std::fabs(tick) < 1e-12 * step ? 0.0 : tick);
  }
  return ticks;
}

int LabelFontPixels(int width, int height) {
  return std::clamp(std::min(width, height) / 60, 9, 18);
}

PlotFrame MakePlotFrame(int width, int height, int fontPixels, TimeInterval x, TimeInterval t) {
  const double f = fontPixels;
  PlotFrame frame;
  frame.left = std::round(5.5 * f);
  frame.top = std::round(3.0 * f);
  frame.width = std::max(1.0, width - frame.left - std::round(2.0 * f));
  frame.height = std::max(1.0, height - frame.top - std::round(4.0 * f));
  frame.x = x;
  frame.t = t;
  return frame;
}

}  // namespace obscut
