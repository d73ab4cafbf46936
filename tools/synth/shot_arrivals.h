// The waves one shot sends to the station, as a refraction survey records them: the
// refracted first arrival, the direct wave through the water and its first multiple between
// sea surface and sea floor.
#pragma once

#include <array>

namespace obscut {

struct Arrival {
  double travelSeconds = 0.0;  // from the shot to the wavelet's peak
  // Peak amplitude in counts on channels 1 (hydrophone) to 4 (geophone Z, radial,
  // transverse); the sign is the polarity.
  std::array<float, 4> amplitude{};
};

inline constexpr double kWaterVelocity = 1.5;      // km/s
inline constexpr double kRefractorVelocity = 6.0;  // km/s

// `range` in kilometres (signed: the horizontal components change polarity as the ship
// passes), `waterDepth` in metres.
std::array<Arrival, 3> ShotArrivals(double range, double waterDepth);

}  // namespace obscut
