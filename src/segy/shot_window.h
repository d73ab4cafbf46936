// Cutting one shot's window out of the recorder files and writing it as a trace.
//
// For every shot the search starts again at the first file of the processing order. The first
// file whose start day is not after the shot's day and whose data hold part of the window
// accepts it. A window that begins before that file's first sample gets leading zeros; one
// that runs past its data continues into the next file (zeros for a recording gap) or, at the
// last file, is padded with zeros. Each outcome leaves its lines in the processing log.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "recorder/recorder_file.h"
#include "recorder/shot_table.h"
#include "run/file_order.h"
#include "run/processing_log.h"
#include "run/run_settings.h"
#include "segy/channel_buffers.h"
#include "segy/segy_output_set.h"

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
  // Everything referred to must outlive the extractor.
  ShotWindowExtractor(const std::vector<RecorderEntry>& recorderFiles, const RunSettings& settings,
                      const ShotTableHeader& table, SegyOutputSet& outputs, ChannelBuffers& buffers,
                      ProcessingLog& log);

  // Raises FileError when a recorder file cannot be opened, read or positioned, or an output
  // file cannot be written.
  ShotOutcome ExtractShotWindow(const ShotRecord& shot);

 private:
  enum class Fill { kDone, kSearchOn };

  // Fills the window from the file that accepted it and completes the shot. kSearchOn when
  // the next file's date is not recognised and the search goes on with that file.
  Fill FillWindow(const ShotRecord& shot, std::size_t index, std::optional<RecorderFile>& file,
                  std::int64_t firstSampleIndex, ShotOutcome& outcome);
  Fill ContinueIntoNextFile(const ShotRecord& shot, std::size_t index, std::size_t filled,
                            ShotOutcome& outcome);
  // Reads frames into the window from sample `filled` on, until it is full or the file's data
  // end; gives the new count of filled samples.
  std::size_t ReadFrames(RecorderFile& file, std::size_t filled);
  ShotOutcome WriteTrace(const ShotRecord& shot);
  void LogDateNotRecognised(std::size_t index, const ShotRecord& shot);

  const std::vector<RecorderEntry>& files_;
  float minTime_;
  float maxTime_;
  const ShotTableHeader& table_;
  SegyOutputSet& outputs_;
  ChannelBuffers& buffers_;
  ProcessingLog& log_;
};

}  // namespace obscut
