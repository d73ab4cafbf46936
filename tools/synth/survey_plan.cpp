#include "synth/survey_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "synth/seeded_random.h"
#include "synth/shot_arrivals.h"

namespace obscut {
namespace {

constexpr int kMaxJitterMs = 20;
// The first shot comes half an interval and a fraction of a second after the recording starts.
constexpr std::int64_t kFirstShotFractionMs = 137;
constexpr int kMaxShots = 32767;

std::string RecorderFileName(int number) {
  char name[32];
  std::snprintf(name, sizeof(name), "OBS%05d.001", number);
  return name;
}

}  // namespace

std::variant<SurveyPlan, std::string> SurveyPlan::Make(const SynthOptions& options) {
  SurveyPlan plan;
  plan.year_ = options.start.year;
  plan.sample_rate_ = options.sampleRate;
  plan.max_range_km_ = options.maxRangeKm;
  plan.seed_ = options.seed;

  const auto frames = static_cast<std::int64_t>(
      std::floor(static_cast<double>(options.sampleRate) * options.fileSeconds));
  std::int64_t start = options.start.seconds;
  for (int i = 0; i < options.files; ++i) {
    plan.files_.push_back({RecorderFileName(i + 1), start, frames});
    start += options.fileSeconds +
             options.gapSeconds[static_cast<std::size_t>(i) % options.gapSeconds.size()];
  }
  const std::int64_t recording_end = plan.files_.back().startSeconds + options.fileSeconds;

  plan.shot_interval_ms_ = options.shotIntervalSeconds * 1000.0;
  plan.jitter_ms_ = std::min(kMaxJitterMs, static_cast<int>(plan.shot_interval_ms_ / 4.0));
  plan.first_shot_ms_ = options.start.seconds * 1000 + std::llround(plan.shot_interval_ms_ / 2.0) +
                        kFirstShotFractionMs;
  if (options.shots) {
    plan.shot_count_ = *options.shots;
  } else {
    // Every shot is followed by at least one shot interval of recording.
    const double room =
        static_cast<double>(recording_end * 1000 - plan.first_shot_ms_ - plan.jitter_ms_) -
        plan.shot_interval_ms_;
    const double count = std::floor(room / plan.shot_interval_ms_) + 1.0;
    if (count > kMaxShots) {
      return "the recording holds more than 32767 shots: give --shots or a longer "
             "--shot-interval";
    }
    plan.shot_count_ = std::max(1, static_cast<int>(count));
  }

  // Neither the start time text nor the shot table carries a year beyond the first file's.
  const std::int64_t year_end = std::int64_t{LastDayOfYear(plan.year_) + 1} * kSecondsPerDay;
  const std::int64_t last_shot_ms = plan.NominalShotMs(plan.shot_count_ - 1) + plan.jitter_ms_;
  if (recording_end > year_end || last_shot_ms >= year_end * 1000) {
    char problem[200];
    std::snprintf(problem, sizeof(problem),
                  "the survey runs past 31 Dec %02d, and the shot table's day of the year "
                  "cannot go on into the next year: start earlier or make the survey shorter",
                  plan.year_);
    return std::string(problem);
  }

  for (int i = 0; i < plan.shot_count_; ++i) {
    const ShotLine shot = plan.Shot(i);
    for (const Arrival& arrival : ShotArrivals(shot.range, shot.waterDepth)) {
      plan.latest_arrival_seconds_ = std::max(plan.latest_arrival_seconds_, arrival.travelSeconds);
    }
  }
  return plan;
}

std::int64_t SurveyPlan::NominalShotMs(int index) const {
  return first_shot_ms_ + std::llround(index * shot_interval_ms_);
}

ShotLine SurveyPlan::Shot(int index) const {
  // The jitter of a shot depends on the seed and the shot alone, not on what came before.
  const std::uint64_t bits = MixBits(seed_ ^ MixBits(static_cast<std::uint64_t>(index)));
  const auto jitter =
      static_cast<std::int64_t>(bits % static_cast<std::uint64_t>(2 * jitter_ms_ + 1)) - jitter_ms_;
  const double along =
      shot_count_ > 1 ? max_range_km_ * (2.0 * index / (shot_count_ - 1) - 1.0) : 0.0;
  const ShotPosition position = PositionAlong(track_, along);
  ShotLine shot;
  shot.shotNumber = index + 1;
  shot.timeMs = NominalShotMs(index) + jitter;
  shot.shotY = position.y;
  shot.shotX = position.x;
  shot.range = position.range;
  shot.waterDepth = position.waterDepth;
  return shot;
}

std::pair<int, int> SurveyPlan::ShotsBetween(double fromSeconds, double toSeconds) const {
  const double first_ms = static_cast<double>(first_shot_ms_);
  const double low = std::floor((fromSeconds * 1000.0 - first_ms - jitter_ms_) / shot_interval_ms_);
  const double high = std::ceil((toSeconds * 1000.0 - first_ms + jitter_ms_) / shot_interval_ms_);
  const double last = shot_count_ - 1;
  // One more on each side for the rounding of the shot schedule.
  return {static_cast<int>(std::clamp(low - 1.0, 0.0, last + 1.0)),
          static_cast<int>(std::clamp(high + 1.0, -1.0, last))};
}

}  // namespace obscut
