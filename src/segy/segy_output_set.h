// The SEG-Y files of one run: one per channel, or one for a single chosen channel.
//
// The calls come in a fixed order: OpenOutputSet, at most one WriteOutputHeaders, any number
// of WriteTrace, then FinishOutputSet when the run ends normally. A run that ends early just
// lets the set go: its files are closed as they stand, with the trace count field still 1.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "recorder/recorder_header.h"
#include "recorder/shot_table.h"
#include "segy/channel_buffers.h"
#include "segy/output_file.h"
#include "segy/segy_layout.h"

namespace obscut {

// The file names of a set: the stem of `outputPath` (which ends in ".sgy", any case) followed
// by "ch1.sgy" to "ch4.sgy" for `outputChannel` 0 (or less), or by "chN.sgy" for channel N.
std::vector<std::string> OutputFileNames(const std::string& outputPath, int outputChannel);

class SegyOutputSet {
 public:
  // Creates the set's files empty, replacing files of the same names. A file that cannot be
  // created is not reported here: the first write to it raises the FileError.
  static SegyOutputSet OpenOutputSet(const std::string& outputPath, int outputChannel);

  // True until the file headers have been written.
  bool headersPending() const { return headersPending_; }
  // Fixed by WriteOutputHeaders: the length of every trace of the run.
  std::uint16_t samplesPerTrace() const { return samplesPerTrace_; }
  // Traces written so far; wraps from 65535 to 0.
  std::uint16_t traceCount() const { return traceCount_; }

  // Writes the text and binary headers to every file, taking the text and the sample rate from
  // `recorder`, and fixes the trace length for the rest of the run. Gives a message, and
  // writes nothing, when the time window does not fit a trace (0 to 60000 samples).
  [[nodiscard]] std::optional<std::string> WriteOutputHeaders(const RecorderHeader& recorder,
                                                              const ShotTableHeader& table,
                                                              float minTime, float maxTime);

  // Appends one trace to every file: file k gets channel k of `buffers` (the chosen channel in
  // single-channel mode). False, with nothing written, when its memory cannot be had.
  [[nodiscard]] bool WriteTrace(const ShotRecord& shot, const ShotTableHeader& table,
                                const ChannelBuffers& buffers);

  // Writes the trace count into every file's binary header and closes the files.
  void FinishOutputSet();

  // Closes every file as it stands after an early end: the trace count field keeps what it
  // has. Raises the first FileError of the traces still to be sent, once all are closed.
  void CloseOutputSet();

 private:
  struct ChannelFile {
    std::size_t channel;  // 0 to 3: which recorder channel the file receives
    OutputFile file;
  };

  explicit SegyOutputSet(std::vector<ChannelFile> files) : files_(std::move(files)) {}

  std::vector<ChannelFile> files_;
  bool headersPending_ = true;
  std::uint16_t samplesPerTrace_ = 0;
  std::uint16_t sampleIntervalUs_ = 0;
  std::uint16_t traceCount_ = 0;
  std::array<std::uint8_t, segy_layout::kTraceHeaderSize> traceHeader_{};
  std::vector<std::uint8_t> trace_;  // one trace as written, reused from trace to trace
};

}  // namespace obscut
