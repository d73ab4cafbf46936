#include "segy/shot_plan.h"

#include <algorithm>
#include <cmath>

#include "segy/channel_buffers.h"
#include "segy/segy_headers.h"
#include "segy/segy_messages.h"
#include "segy/window_placement.h"

namespace obscut {
namespace {

using Kind = ShotStep::Kind;

bool UsableSampleRate(float rate) {
  return std::isfinite(rate) && rate > 0.0f;
}

void Add(std::vector<ShotStep>& steps, Kind kind, std::size_t file) {
  steps.push_back({kind, file, 0, 0, 0, {}});
}

void AddStop(std::vector<ShotStep>& steps, std::string message) {
  steps.push_back({Kind::kStop, 0, 0, 0, 0, std::move(message)});
}

void AddZeros(std::vector<ShotStep>& steps, std::size_t windowIndex, std::size_t count) {
  steps.push_back({Kind::kZeros, 0, windowIndex, count, 0, {}});
}

// The frames of `entry` from frame `firstFrame` on that fit the window after `filled`
// samples; gives the new count of filled samples.
std::size_t AddFrames(std::vector<ShotStep>& steps, std::size_t file,
                      const CataloguedRecorder& entry, std::int64_t firstFrame, std::size_t filled,
                      std::size_t samplesPerTrace) {
  const std::int64_t available =
      FramesFrom(entry.length, FramePosition(entry.bytesPerSample, firstFrame));
  const std::size_t count = std::min(static_cast<std::size_t>(available), samplesPerTrace - filled);
  steps.push_back({Kind::kFrames, file, filled, count, firstFrame, {}});
  return filled + count;
}

}  // namespace

ShotPlanner::ShotPlanner(const RecorderCatalog& catalog, float minTime, float maxTime)
    : catalog_(catalog), minTime_(minTime), maxTime_(maxTime) {}

void ShotPlanner::PlanShot(const ShotRecord& shot, std::optional<std::uint16_t> samplesPerTrace,
                           std::vector<ShotStep>& steps) const {
  steps.clear();
  for (std::size_t i = 0; i < catalog_.size(); ++i) {
    const CataloguedRecorder& entry = catalog_[i];
    if (entry.start.fileDay < 0) {
      Add(steps, Kind::kLogDateNotRecognised, i);
      continue;
    }
    // A file is examined for any shot on its start day or later.
    if (shot.shotDay < entry.start.fileDay) {
      continue;
    }
    // Such values would make every position below meaningless.
    if (!UsableSampleRate(entry.sampleRate)) {
      AddStop(steps, segy_message::UnusableSampleRate(entry.path));
      return;
    }
    if (entry.bytesPerSample <= 0) {
      AddStop(steps, segy_message::UnusableSampleSize(entry.path));
      return;
    }

    const float shotOffset = ShotOffset(shot, entry.start);
    // The output headers, and with them the trace length, come from the first file of the
    // run that gets this far, whether or not it then takes the window. The length is the one
    // SegyOutputSet::WriteOutputHeaders fixes, and refuses as it does.
    if (!samplesPerTrace) {
      Add(steps, Kind::kWriteOutputHeaders, i);
      const std::int64_t samples = WindowSampleCount(minTime_, maxTime_, entry.sampleRate);
      if (samples < 0 || samples > static_cast<std::int64_t>(ChannelBuffers::kCapacity)) {
        AddStop(steps, segy_message::WindowDoesNotFit(samples));
        return;
      }
      samplesPerTrace = static_cast<std::uint16_t>(samples);
    }
    const std::int64_t first = FirstSampleIndex(shotOffset, minTime_, entry.sampleRate);
    if (WindowEndsBeforeData(first, *samplesPerTrace) ||
        WindowBeginsAfterData(
            first, entry.bytesPerSample,
            entry.length - static_cast<std::int64_t>(recorder_layout::kHeaderSize))) {
      continue;
    }

    if (PlanFill(shot, i, first, *samplesPerTrace, steps) == Fill::kDone) {
      return;
    }
    // The next file's date was not recognised: the search goes on with that very file, which
    // logs its unrecognised date once more.
  }
}

ShotPlanner::Fill ShotPlanner::PlanFill(const ShotRecord& shot, std::size_t index,
                                        std::int64_t firstSampleIndex, std::size_t samplesPerTrace,
                                        std::vector<ShotStep>& steps) const {
  std::size_t filled = 0;
  std::int64_t firstFrame = firstSampleIndex;
  if (firstSampleIndex < 0) {
    // Leading zeros; at most samplesPerTrace of them, as the window reaches the data.
    filled = static_cast<std::size_t>(-firstSampleIndex);
    firstFrame = 0;
    AddZeros(steps, 0, filled);
    Add(steps, Kind::kLogStartsBefore, index);
  }
  filled = AddFrames(steps, index, catalog_[index], firstFrame, filled, samplesPerTrace);

  if (filled == samplesPerTrace) {
    Add(steps, Kind::kWriteTrace, index);
    Add(steps, Kind::kLogMatched, index);
    return Fill::kDone;
  }

  Add(steps, Kind::kLogExtendsBeyond, index);
  const bool lastFile = index + 1 == catalog_.size();
  if (!lastFile) {
    return PlanContinuation(shot, index, filled, samplesPerTrace, steps);
  }
  // Zeros after the last file's data, and a log line for every one of them.
  const std::size_t padding = samplesPerTrace - filled;
  AddZeros(steps, filled, padding);
  steps.push_back({Kind::kLogMeetsLastFile, index, 0, padding, 0, {}});
  Add(steps, Kind::kWriteTrace, index);
  return Fill::kDone;
}

ShotPlanner::Fill ShotPlanner::PlanContinuation(const ShotRecord& shot, std::size_t index,
                                                std::size_t filled, std::size_t samplesPerTrace,
                                                std::vector<ShotStep>& steps) const {
  const std::size_t nextIndex = index + 1;
  const CataloguedRecorder& next = catalog_[nextIndex];
  if (next.start.fileDay < 0) {
    Add(steps, Kind::kLogDateNotRecognised, nextIndex);
    return Fill::kSearchOn;
  }
  if (!UsableSampleRate(next.sampleRate)) {
    AddStop(steps, segy_message::UnusableSampleRate(next.path));
    return Fill::kDone;
  }

  // Zeros for the window samples before the next file's start. Their times are counted by
  // repeated addition of the sample period, as the recorder's clock would tick.
  const double nextFileStart = FileStartSeconds(next.start);
  const double period = 1.0 / static_cast<double>(next.sampleRate);
  double t = WindowSampleTime(shot, static_cast<std::int64_t>(filled), next.sampleRate, minTime_);
  const std::size_t gapStart = filled;
  while (t < nextFileStart && filled < samplesPerTrace) {
    t += period;
    ++filled;
  }
  AddZeros(steps, gapStart, filled - gapStart);
  // Frames follow from the next file's first one; overlapping samples are not skipped.
  filled = AddFrames(steps, nextIndex, next, 0, filled, samplesPerTrace);

  if (filled < samplesPerTrace) {
    // A window reaches at most one file beyond the one that accepted it.
    AddStop(steps, segy_message::kNextFileTooShort);
    return Fill::kDone;
  }
  Add(steps, Kind::kWriteTrace, nextIndex);
  Add(steps, Kind::kLogAlsoMatched, nextIndex);
  return Fill::kDone;
}

}  // namespace obscut
