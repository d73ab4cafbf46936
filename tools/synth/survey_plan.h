// The layout of a synthetic survey in time and space: when each recorder file starts and
// how many frames it holds, and when and where each shot is fired.
//
// Shots are computed on demand from their index, so nothing grows with the survey's length
// except the list of files.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "survey/shot_table_writer.h"
#include "synth/ship_track.h"
#include "synth/synth_options.h"

namespace obscut {

struct PlannedFile {
  std::string name;               // "OBS00001.001": the number sets the processing order
  std::int64_t startSeconds = 0;  // on the recorder's clock scale, whole seconds
  std::int64_t frames = 0;
};

class SurveyPlan {
 public:
  // The plan for `options`, or why the survey cannot be made (it would leave its year, or
  // need more shots than a shot number holds).
  static std::variant<SurveyPlan, std::string> Make(const SynthOptions& options);

  int year() const { return year_; }
  float sampleRate() const { return sample_rate_; }
  const std::vector<PlannedFile>& files() const { return files_; }
  const ShipTrack& track() const { return track_; }

  int shotCount() const { return shot_count_; }
  // Shot `index` (0 to shotCount() - 1); shot numbers start at 1.
  ShotLine Shot(int index) const;
  // The latest any arrival of any shot peaks after its shot.
  double latestArrivalSeconds() const { return latest_arrival_seconds_; }

  // The shot indices [first, last] that may lie between `fromSeconds` and `toSeconds` on the
  // clock scale; a few outside may be included, first > last when there are none.
  std::pair<int, int> ShotsBetween(double fromSeconds, double toSeconds) const;

 private:
  SurveyPlan() = default;
  std::int64_t NominalShotMs(int index) const;

  int year_ = 0;
  float sample_rate_ = 0.0f;
  std::vector<PlannedFile> files_;
  ShipTrack track_;
  double max_range_km_ = 0.0;
  std::uint64_t seed_ = 0;
  int shot_count_ = 0;
  std::int64_t first_shot_ms_ = 0;
  double shot_interval_ms_ = 0.0;
  int jitter_ms_ = 0;  // shot times stray up to this many milliseconds from the schedule
  double latest_arrival_seconds_ = 0.0;
};

}  // namespace obscut
