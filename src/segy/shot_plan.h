// What one shot does, worked out from the recorder catalog alone: which file takes its window,
// where the window's samples come from, which lines the log gets, and where the run stops.
//
// For every shot the search starts again at the first file of the processing order. A file
// whose date is not recognised is passed over with a log line; one whose start day is after
// the shot's day is passed over quietly. The first file that gets further fixes the output
// headers (and with them the trace length) if they are still pending, whether or not it then
// takes the window. The first file whose data hold part of the window accepts it. A window
// that begins before that file's first sample gets leading zeros; one that runs past its data
// continues into the next file (zeros for a recording gap, then that file's frames from its
// first one) or, at the last file, is padded with zeros.
//
// Planning reads and writes nothing, so a preview of a run can use it as the run does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "recorder/recorder_catalog.h"
#include "recorder/shot_table.h"

namespace obscut {

struct ShotStep {
  enum class Kind {
    kLogDateNotRecognised,  // `file`'s date is not recognised
    kWriteOutputHeaders,    // from `file`'s header; fixes the trace length
    kLogStartsBefore,       // the window starts before `file`'s first sample
    kZeros,                 // window samples `windowIndex` on, `count` of them, are zero
    kFrames,                // `count` frames of `file` from frame `firstFrame` on go into the
                            // window from sample `windowIndex` on
    kLogExtendsBeyond,      // the window runs past `file`'s data
    kLogMeetsLastFile,      // `count` identical lines, one per zero padded after `file`
    kWriteTrace,            // the window is complete
    kLogMatched,            // the window came from `file` alone
    kLogAlsoMatched,        // the window was completed from `file`
    kStop,                  // the run stops with `message`
  };
  Kind kind;
  std::size_t file = 0;  // index in the catalog
  std::size_t windowIndex = 0;
  std::size_t count = 0;
  std::int64_t firstFrame = 0;
  std::string message;
};

class ShotPlanner {
 public:
  // `catalog` must outlive the planner.
  ShotPlanner(const RecorderCatalog& catalog, float minTime, float maxTime);

  // Replaces `steps` with what `shot` does, in order. `samplesPerTrace` is the run's trace
  // length, or nothing while the output headers are still pending. A shot that gets no trace
  // and does not stop the run ends without a kWriteTrace step.
  void PlanShot(const ShotRecord& shot, std::optional<std::uint16_t> samplesPerTrace,
                std::vector<ShotStep>& steps) const;

 private:
  enum class Fill { kDone, kSearchOn };

  Fill PlanFill(const ShotRecord& shot, std::size_t index, std::int64_t firstSampleIndex,
                std::size_t samplesPerTrace, std::vector<ShotStep>& steps) const;
  Fill PlanContinuation(const ShotRecord& shot, std::size_t index, std::size_t filled,
                        std::size_t samplesPerTrace, std::vector<ShotStep>& steps) const;

  const RecorderCatalog& catalog_;
  float minTime_;
  float maxTime_;
};

}  // namespace obscut
