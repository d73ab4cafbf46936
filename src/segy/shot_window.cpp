#include "segy/shot_window.h"

#include <cmath>
#include <optional>

#include "recorder/start_time.h"
#include "run/run_messages.h"
#include "segy/segy_messages.h"
#include "segy/window_placement.h"

namespace obscut {
namespace {

ShotOutcome Stopped(std::string message) {
  return {ShotOutcome::Kind::kStopped, std::move(message)};
}

ShotOutcome TraceWritten() {
  return {ShotOutcome::Kind::kTraceWritten, {}};
}

bool UsableSampleRate(const RecorderHeader& header) {
  const float rate = header.sampleRate();
  return std::isfinite(rate) && rate > 0.0f;
}

}  // namespace

ShotWindowExtractor::ShotWindowExtractor(const std::vector<RecorderEntry>& recorderFiles,
                                         const RunSettings& settings, const ShotTableHeader& table,
                                         SegyOutputSet& outputs, ChannelBuffers& buffers,
                                         ProcessingLog& log)
    : files_(recorderFiles),
      minTime_(settings.minTime),
      maxTime_(settings.maxTime),
      table_(table),
      outputs_(outputs),
      buffers_(buffers),
      log_(log) {}

ShotOutcome ShotWindowExtractor::ExtractShotWindow(const ShotRecord& shot) {
  for (std::size_t i = 0; i < files_.size(); ++i) {
    const std::string& path = files_[i].path;
    std::optional<RecorderFile> file = RecorderFile::ReadRecorderHeader(path);
    if (!file) {
      return Stopped(run_message::HeaderReadWrong(path));
    }
    const RecorderHeader& header = file->header();
    const RecorderStartTime start = ParseStartTime(header);
    if (start.fileDay < 0) {
      LogDateNotRecognised(i, shot);
      continue;
    }
    // A file is examined for any shot on its start day or later.
    if (shot.shotDay < start.fileDay) {
      continue;
    }
    // Such values would make every position below meaningless.
    if (!UsableSampleRate(header)) {
      return Stopped(segy_message::UnusableSampleRate(path));
    }
    if (header.bytesPerSample() <= 0) {
      return Stopped(segy_message::UnusableSampleSize(path));
    }

    const float shotOffset = ShotOffset(shot, start);
    // The output headers, and with them the trace length, come from the first file of the
    // run that gets this far, whether or not it then takes the window.
    if (outputs_.headersPending()) {
      if (auto problem = outputs_.WriteOutputHeaders(header, table_, minTime_, maxTime_)) {
        return Stopped(std::move(*problem));
      }
    }
    const std::int64_t first = FirstSampleIndex(shotOffset, minTime_, header.sampleRate());
    if (WindowEndsBeforeData(first, outputs_.samplesPerTrace()) ||
        WindowBeginsAfterData(
            first, header.bytesPerSample(),
            file->Length() - static_cast<std::int64_t>(recorder_layout::kHeaderSize))) {
      continue;
    }

    ShotOutcome outcome{ShotOutcome::Kind::kNoMatch, {}};
    if (FillWindow(shot, i, file, first, outcome) == Fill::kDone) {
      return outcome;
    }
    // The next file's date was not recognised: the search goes on with that very file, which
    // logs its unrecognised date once more.
  }
  return {ShotOutcome::Kind::kNoMatch, {}};
}

ShotWindowExtractor::Fill ShotWindowExtractor::FillWindow(const ShotRecord& shot, std::size_t index,
                                                          std::optional<RecorderFile>& file,
                                                          std::int64_t firstSampleIndex,
                                                          ShotOutcome& outcome) {
  const std::string& path = files_[index].path;
  std::size_t filled = 0;
  if (firstSampleIndex < 0) {
    // Leading zeros; at most samplesPerTrace of them, as the window reaches the data.
    filled = static_cast<std::size_t>(-firstSampleIndex);
    for (std::size_t j = 0; j < filled; ++j) {
      buffers_.StoreZero(j);
    }
    file->SeekFrame(0);
    log_.Append(log_format::kStartsBefore, shot.shotNumber, path.c_str());
  } else {
    file->SeekFrame(firstSampleIndex);
  }
  filled = ReadFrames(*file, filled);

  const std::size_t samplesPerTrace = outputs_.samplesPerTrace();
  if (filled == samplesPerTrace) {
    outcome = WriteTrace(shot);
    file.reset();
    if (outcome.kind == ShotOutcome::Kind::kTraceWritten) {
      log_.Append(log_format::kMatched, shot.shotNumber, path.c_str());
    }
    return Fill::kDone;
  }

  log_.Append(log_format::kExtendsBeyond, shot.shotNumber, path.c_str());
  // Only one recorder file is open at a time.
  file.reset();
  const bool lastFile = index + 1 == files_.size();
  if (!lastFile) {
    return ContinueIntoNextFile(shot, index, filled, outcome);
  }
  // Zeros after the last file's data, and a log line for every one of them.
  for (std::size_t j = filled; j < samplesPerTrace; ++j) {
    buffers_.StoreZero(j);
    log_.Append(log_format::kMeetsLastFile, shot.shotNumber, path.c_str());
  }
  outcome = WriteTrace(shot);
  return Fill::kDone;
}

ShotWindowExtractor::Fill ShotWindowExtractor::ContinueIntoNextFile(const ShotRecord& shot,
                                                                    std::size_t index,
                                                                    std::size_t filled,
                                                                    ShotOutcome& outcome) {
  const std::size_t nextIndex = index + 1;
  const std::string& path = files_[nextIndex].path;
  std::optional<RecorderFile> next = RecorderFile::ReadRecorderHeader(path);
  if (!next) {
    outcome = Stopped(run_message::HeaderReadWrong(path));
    return Fill::kDone;
  }
  const RecorderStartTime nextStart = ParseStartTime(next->header());
  if (nextStart.fileDay < 0) {
    LogDateNotRecognised(nextIndex, shot);
    return Fill::kSearchOn;
  }
  if (!UsableSampleRate(next->header())) {
    outcome = Stopped(segy_message::UnusableSampleRate(path));
    return Fill::kDone;
  }

  // Zeros for the window samples before the next file's start. Their times are counted by
  // repeated addition of the sample period, as the recorder's clock would tick.
  const std::size_t samplesPerTrace = outputs_.samplesPerTrace();
  const float sampleRate = next->header().sampleRate();
  const double nextFileStart = FileStartSeconds(nextStart);
  const double period = 1.0 / static_cast<double>(sampleRate);
  double t = WindowSampleTime(shot, static_cast<std::int64_t>(filled), sampleRate, minTime_);
  while (t < nextFileStart && filled < samplesPerTrace) {
    t += period;
    buffers_.StoreZero(filled);
    ++filled;
  }
  // Frames follow from the next file's first one; overlapping samples are not skipped.
  filled = ReadFrames(*next, filled);
  next.reset();

  if (filled < samplesPerTrace) {
    // A window reaches at most one file beyond the one that accepted it.
    outcome = Stopped(segy_message::kNextFileTooShort);
    return Fill::kDone;
  }
  outcome = WriteTrace(shot);
  if (outcome.kind == ShotOutcome::Kind::kTraceWritten) {
    log_.Append(log_format::kAlsoMatched, shot.shotNumber, path.c_str());
  }
  return Fill::kDone;
}

std::size_t ShotWindowExtractor::ReadFrames(RecorderFile& file, std::size_t filled) {
  const std::size_t samplesPerTrace = outputs_.samplesPerTrace();
  SampleFrame frame;
  while (filled < samplesPerTrace && file.ReadFrame(frame)) {
    buffers_.StoreFrame(filled, frame);
    ++filled;
  }
  return filled;
}

ShotOutcome ShotWindowExtractor::WriteTrace(const ShotRecord& shot) {
  if (!outputs_.WriteTrace(shot, table_, buffers_)) {
    return Stopped(segy_message::kNoMemory);
  }
  return TraceWritten();
}

void ShotWindowExtractor::LogDateNotRecognised(std::size_t index, const ShotRecord& shot) {
  log_.Append(log_format::kDateNotRecognised, static_cast<int>(index), shot.shotNumber);
}

}  // namespace obscut
