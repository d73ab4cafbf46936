// Cutting one shot's window out of the recorder files and writing it as a trace.
//
// ShotPlanner works out from the recorder catalog what the shot does; the extractor carries
// it out: it reads the planned frames in large requests, writes the output headers and the
// trace, and leaves the shot's lines in the processing log. The recorder file last read stays
// open for the next shot, which mostly reads on in the same file; at most one is open.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "recorder/recorder_catalog.h"
#include "recorder/recorder_file.h"
#include "recorder/shot_table.h"
#include "run/processing_log.h"
#include "run/run_settings.h"
#include "segy/channel_buffers.h"
#include "segy/segy_output_set.h"
#include "segy/shot_plan.h"

namespace obscut {

struct ShotOutcome {
  enum class Kind {
    kTraceWritten,  // the trace is in every output file and counted
    kNoMatch,       // no file accepted the window; nothing was written
    kStopped,       // the run must stop with `message`
  };
  Kind kind;
  std::string message;
};

class ShotWindowExtractor {
 public:
  // Everything referred to must outlive the extractor. `catalog` describes the run's
  // recorder files in processing order, as the dump pass read them.
  ShotWindowExtractor(const RecorderCatalog& catalog, const RunSettings& settings,
                      const ShotTableHeader& table, SegyOutputSet& outputs, ChannelBuffers& buffers,
                      ProcessingLog& log);

  // Raises FileError when a recorder file cannot be opened, read or positioned, or has lost
  // data since the dump pass, or an output file cannot be written.
  ShotOutcome ExtractShotWindow(const ShotRecord& shot);

 private:
  // Reads the frames of a kFrames step into the window; a message when the run must stop.
  std::optional<std::string> ReadFrames(const ShotStep& step);

  const RecorderCatalog& catalog_;
  float minTime_;
  float maxTime_;
  const ShotTableHeader& table_;
  SegyOutputSet& outputs_;
  ChannelBuffers& buffers_;
  ProcessingLog& log_;
  ShotPlanner planner_;
  std::vector<ShotStep> steps_;  // of the current shot, kept to spare allocations
  std::optional<RecorderFile> open_;
  std::size_t openIndex_ = 0;
  std::vector<std::uint8_t> frameBytes_;
};

}  // namespace obscut
