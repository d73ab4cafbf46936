// What a record section shows and how: everything the command line of obscut-section sets.
#pragma once

#include <optional>
#include <string>

namespace obscut {

enum class TraceGain { kNormalise, kAutomatic };
enum class DrawStyle { kWiggle, kGrey };
enum class TracePlacement { kByRange, kByOrder };

struct TimeInterval {
  double from = 0.0;
  double to = 0.0;
};

struct BandLimits {
  double lowHz = 0.0;
  double highHz = 0.0;
};

struct SectionSettings {
  std::string inputPath;
  std::string outputPath;  // empty: the input's path with ".png" in place of its extension
  int width = 1600;
  int height = 1000;
  // Reduction velocity in km/s: time is shown as t - |range| / v. 0 shows plain time.
  double reduceVelocity = 6.0;
  std::optional<TimeInterval> timeRange;  // reduced seconds; nothing: see DefaultTimeRange
  // Seconds after the shot of each trace's first sample: the minimum time the file was cut
  // with, which the file does not record.
  double minTime = 0.0;
  std::optional<BandLimits> band;
  TraceGain gain = TraceGain::kNormalise;
  double agcWindowSeconds = 1.0;
  DrawStyle style = DrawStyle::kWiggle;
  TracePlacement placement = TracePlacement::kByRange;
  // The gained amplitude drawn at full swing (one trace spacing) or full black; larger
  // amplitudes are cut there. Nothing: see DefaultClip.
  std::optional<double> clip;
};

}  // namespace obscut
