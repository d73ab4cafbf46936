#include "segy/shot_window.h"

#include "platform/file_error.h"
#include "run/run_messages.h"
#include "segy/segy_messages.h"

namespace obscut {
namespace {

ShotOutcome Stopped(std::string message) {
  return {ShotOutcome::Kind::kStopped, std::move(message)};
}

}  // namespace

ShotWindowExtractor::ShotWindowExtractor(const RecorderCatalog& catalog,
                                         const RunSettings& settings, const ShotTableHeader& table,
                                         SegyOutputSet& outputs, ChannelBuffers& buffers,
                                         ProcessingLog& log)
    : catalog_(catalog),
      minTime_(settings.minTime),
      maxTime_(settings.maxTime),
      table_(table),
      outputs_(outputs),
      buffers_(buffers),
      log_(log),
      planner_(catalog, settings.minTime, settings.maxTime) {}

ShotOutcome ShotWindowExtractor::ExtractShotWindow(const ShotRecord& shot) {
  std::optional<std::uint16_t> samplesPerTrace;
  if (!outputs_.headersPending()) {
    samplesPerTrace = outputs_.samplesPerTrace();
  }
  planner_.PlanShot(shot, samplesPerTrace, steps_);

  using Kind = ShotStep::Kind;
  ShotOutcome outcome{ShotOutcome::Kind::kNoMatch, {}};
  for (const ShotStep& step : steps_) {
    const char* path = catalog_[step.file].path.c_str();
    switch (step.kind) {
      case Kind::kLogDateNotRecognised:
        log_.Append(log_format::kDateNotRecognised, static_cast<int>(step.file), shot.shotNumber);
        break;
      case Kind::kWriteOutputHeaders:
        if (auto problem = outputs_.WriteOutputHeaders(catalog_[step.file].header, table_, minTime_,
                                                       maxTime_)) {
          return Stopped(std::move(*problem));
        }
        break;
      case Kind::kLogStartsBefore:
        log_.Append(log_format::kStartsBefore, shot.shotNumber, path);
        break;
      case Kind::kZeros:
        buffers_.StoreZeros(step.windowIndex, step.count);
        break;
      case Kind::kFrames:
        if (auto problem = ReadFrames(step)) {
          return Stopped(std::move(*problem));
        }
        break;
      case Kind::kLogExtendsBeyond:
        log_.Append(log_format::kExtendsBeyond, shot.shotNumber, path);
        break;
      case Kind::kLogMeetsLastFile:
        for (std::size_t j = 0; j < step.count; ++j) {
          log_.Append(log_format::kMeetsLastFile, shot.shotNumber, path);
        }
        break;
      case Kind::kWriteTrace:
        if (!outputs_.WriteTrace(shot, table_, buffers_)) {
          return Stopped(segy_message::kNoMemory);
        }
        outcome = {ShotOutcome::Kind::kTraceWritten, {}};
        break;
      case Kind::kLogMatched:
        log_.Append(log_format::kMatched, shot.shotNumber, path);
        break;
      case Kind::kLogAlsoMatched:
        log_.Append(log_format::kAlsoMatched, shot.shotNumber, path);
        break;
      case Kind::kStop:
        return Stopped(step.message);
    }
  }
  return outcome;
}

std::optional<std::string> ShotWindowExtractor::ReadFrames(const ShotStep& step) {
  if (step.count == 0) {
    return std::nullopt;
  }
  const std::string& path = catalog_[step.file].path;
  if (!open_ || openIndex_ != step.file) {
    // Only one recorder file is open at a time.
    open_.reset();
    open_ = RecorderFile::ReadRecorderHeader(path);
    if (!open_) {
      return run_message::HeaderReadWrong(path);
    }
    openIndex_ = step.file;
  }
  open_->SeekFrame(step.firstFrame);
  frameBytes_.resize(ChannelBuffers::kCapacity * recorder_layout::kFrameSize);
  const std::span<std::uint8_t> bytes =
      std::span(frameBytes_).first(step.count * recorder_layout::kFrameSize);
  if (open_->ReadFrameBytes(bytes) < bytes.size()) {
    // Its length when the dump pass read it promised these frames.
    throw FileError(path, FileError::Cause::kOther, "the file became shorter during the run");
  }
  buffers_.StoreFrames(step.windowIndex, bytes);
  return std::nullopt;
}

}  // namespace obscut
