// Where the shots are: a ship steaming along a straight line that passes over the station,
// over a sea floor whose depth varies smoothly along the line.
//
// Positions are in kilometres, water depth in metres. The range is signed: negative while
// the ship approaches the station, 0 overhead, positive once it has passed.
#pragma once

namespace obscut {

struct ShipTrack {
  double stationY = 4937.5;
  double stationX = 612.25;
  double headingDegrees = 35.0;  // clockwise from the Y axis
};

struct ShotPosition {
  double y = 0.0;
  double x = 0.0;
  double range = 0.0;
  double waterDepth = 0.0;
};

// The shot `along` kilometres along the line from the point over the station.
ShotPosition PositionAlong(const ShipTrack& track, double along);

// Water depth in metres `along` kilometres from the station.
double WaterDepthAlong(double along);

}  // namespace obscut
