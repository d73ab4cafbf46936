#include "synth/shot_arrivals.h"

#include <cmath>

namespace obscut {
namespace {

constexpr double kSedimentDelay = 0.25;        // s, through the sediment under the station
constexpr double kRefractedPeak = 2500.0;      // counts near the station
constexpr double kWaterWavePeak = 5000.0;      // counts at zero distance
constexpr double kMultipleReflection = -0.45;  // sea surface and sea floor together

// Geometrical spreading and absorption, roughly.
double Decay(double distance, double scale) {
  return 1.0 / (1.0 + distance / scale);
}

Arrival WaterPath(double range, double verticalPath, float peakScale) {
  const double distance = std::hypot(range, verticalPath);
  const double amplitude = peakScale * kWaterWavePeak * Decay(distance, 2.0);
  // The horizontal components see the part of the motion along the ray's horizontal leg.
  const double horizontal = distance > 0.0 ? range / distance : 0.0;
  Arrival arrival;
  arrival.travelSeconds = distance / kWaterVelocity;
  arrival.amplitude = {static_cast<float>(amplitude), static_cast<float>(0.7 * amplitude),
                       static_cast<float>(0.3 * horizontal * amplitude),
                       static_cast<float>(0.05 * amplitude)};
  return arrival;
}

}  // namespace

std::array<Arrival, 3> ShotArrivals(double range, double waterDepth) {
  const double depth = waterDepth / 1000.0;
  const double offset = std::fabs(range);
  const double polarity = range < 0.0 ? -1.0 : 1.0;

  Arrival refracted;
  // Head wave: along the refractor at its speed, plus the delay of the water and sediment.
  const double slowness_difference =
      1.0 / (kWaterVelocity * kWaterVelocity) - 1.0 / (kRefractorVelocity * kRefractorVelocity);
  refracted.travelSeconds =
      offset / kRefractorVelocity + depth * std::sqrt(slowness_difference) + kSedimentDelay;
  const double amplitude = kRefractedPeak * Decay(offset, 4.0);
  refracted.amplitude = {static_cast<float>(0.5 * amplitude), static_cast<float>(amplitude),
                         static_cast<float>(0.45 * polarity * amplitude),
                         static_cast<float>(0.12 * amplitude)};

  return {refracted, WaterPath(range, depth, 1.0f),
          WaterPath(range, 3.0 * depth, static_cast<float>(kMultipleReflection))};
}

}  // namespace obscut
