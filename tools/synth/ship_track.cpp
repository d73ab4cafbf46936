#include "synth/ship_track.h"

#include <cmath>
#include <numbers>

namespace obscut {

ShotPosition PositionAlong(const ShipTrack& track, double along) {
  const double heading = track.headingDegrees * std::numbers::pi / 180.0;
  ShotPosition position;
  position.y = track.stationY + along * std::cos(heading);
  position.x = track.stationX + along * std::sin(heading);
  position.range = along;
  position.waterDepth = WaterDepthAlong(along);
  return position;
}

double WaterDepthAlong(double along) {
  // An abyssal plain with long swells and shorter hills.
  constexpr double kTwoPi = 2.0 * std::numbers::pi;
  return 3000.0 + 400.0 * std::sin(kTwoPi * along / 50.0 + 0.7) +
         120.0 * std::sin(kTwoPi * along / 11.0 + 2.1);
}

}  // namespace obscut
