#include "run/preflight.h"

#include <utility>

#include "platform/file_error.h"
#include "platform/system.h"
#include "recorder/recorder_file.h"
#include "run/file_order.h"
#include "run/input_guard.h"
#include "run/output_path.h"
#include "run/processing_log.h"
#include "run/run_messages.h"
#include "run/run_state.h"
#include "segy/segy_headers.h"
#include "segy/segy_messages.h"
#include "segy/segy_output_set.h"
#include "segy/shot_plan.h"

namespace obscut {
namespace {

// The steps of a conversion run, each asking only what the run would find, in the run's order.
class Preflight {
 public:
  Preflight(const std::vector<std::string>& recorderFiles, const RunSettings& settings)
      : selection_(recorderFiles), settings_(settings) {}

  PreflightFindings Execute() {
    findings_.shotTablePath = settings_.shotTablePath;
    findings_.minTime = settings_.minTime;
    findings_.maxTime = settings_.maxTime;
    try {
      Walk();
    } catch (const FileError& error) {
      // The run would be abandoned with this error, reported by the front end.
      findings_.stopMessage = error.what();
    }
    return std::move(findings_);
  }

 private:
  void Stop(std::string message) { findings_.stopMessage = std::move(message); }

  void Walk() {
    // The recorder files and their processing order.
    std::vector<RecorderEntry> entries;
    for (const std::string& name : selection_) {
      if (name.empty()) {
        continue;
      }
      if (entries.size() == kMaxRecorderFiles) {
        return Stop(run_message::kTooManyFiles);
      }
      entries.push_back({name, 0});
    }
    OrderByFileNumber(entries);
    for (const RecorderEntry& entry : entries) {
      findings_.recorderFiles.push_back(entry.path);
    }

    // The log and the output names.
    const std::string logPath = LogPathFor(settings_.outputPath);
    const std::string outputPath = NormaliseOutputPath(settings_.outputPath);
    const std::vector<std::string> inputs = NormalInputPaths(entries, settings_.shotTablePath);
    if (NamesAnInput(logPath, inputs)) {
      return Stop(LogWouldOverwriteInput(logPath));
    }
    if (FileCreationProblem(logPath) != 0) {
      return Stop(run_message::kLogNotCreated);
    }

    // The headers, as the dump pass reads them.
    for (const RecorderEntry& entry : entries) {
      auto file = RecorderFile::ReadRecorderHeader(entry.path);
      if (!file) {
        return Stop(run_message::HeaderReadWrong(entry.path));
      }
      findings_.catalog.push_back(CatalogueRecorder(*file));
    }

    auto table = ShotTable::OpenShotTable(settings_.shotTablePath);
    if (!table) {
      return Stop(run_message::kShotTableNotOpened);
    }
    if (!table->ReadShotTableHeader()) {
      return Stop(run_message::kShotTableHeaderShort);
    }
    findings_.tableHeader = table->header();

    for (const std::string& output : OutputFileNames(outputPath, settings_.outputChannel)) {
      if (NamesAnInput(output, inputs)) {
        return Stop(segy_message::WouldOverwriteInput(output));
      }
    }
    // An output file that cannot be created makes its first write fail: the headers' or, when
    // no shot gets that far, the final trace count's.
    std::optional<FileError> outputProblem;
    for (const std::string& output : OutputFileNames(outputPath, settings_.outputChannel)) {
      if (const int problem = FileCreationProblem(output); problem != 0 && !outputProblem) {
        outputProblem = FileError::FromErrno(output, problem);
      }
    }

    ForecastShots(*table, outputProblem);
    if (!findings_.stopMessage && outputProblem) {
      throw *outputProblem;
    }
  }

  void ForecastShots(ShotTable& table, const std::optional<FileError>& outputProblem) {
    const ShotPlanner planner(findings_.catalog, settings_.minTime, settings_.maxTime);
    std::vector<ShotStep> steps;
    for (;;) {
      const ShotTable::ReadResult result = table.ReadShotRecord();
      if (result == ShotTable::ReadResult::kEndOfTable) {
        return;
      }
      if (result == ShotTable::ReadResult::kError) {
        return Stop(run_message::kShotLineBad);
      }
      ShotForecast forecast;
      forecast.shot = table.shot();
      planner.PlanShot(forecast.shot, findings_.samplesPerTrace, steps);
      bool pastEnd = false;  // the window has run past the data of the file that took it
      for (const ShotStep& step : steps) {
        switch (step.kind) {
          case ShotStep::Kind::kWriteOutputHeaders:
            if (outputProblem) {
              return StopAtShot(forecast, outputProblem->what());
            }
            FixTraceLength(findings_.catalog[step.file].sampleRate);
            break;
          case ShotStep::Kind::kLogDateNotRecognised:
            if (pastEnd) {
              // The continuation was given up; the search goes on and starts the window anew.
              const ShotRecord shot = forecast.shot;
              forecast = ShotForecast();
              forecast.shot = shot;
              pastEnd = false;
            }
            break;
          case ShotStep::Kind::kLogStartsBefore:
            forecast.leadingZeros = true;
            break;
          case ShotStep::Kind::kLogExtendsBeyond:
            pastEnd = true;
            break;
          case ShotStep::Kind::kZeros:
            if (pastEnd) {
              forecast.gapZeros += static_cast<std::int64_t>(step.count);
            }
            break;
          case ShotStep::Kind::kLogMeetsLastFile:
            forecast.padded = true;
            forecast.gapZeros = 0;
            break;
          case ShotStep::Kind::kLogAlsoMatched:
            forecast.continued = true;
            break;
          case ShotStep::Kind::kWriteTrace:
            forecast.trace = true;
            break;
          case ShotStep::Kind::kStop:
            return StopAtShot(forecast, step.message);
          default:
            break;
        }
      }
      findings_.shots.push_back(forecast);
    }
  }

  void StopAtShot(const ShotForecast& forecast, std::string message) {
    findings_.shots.push_back(forecast);
    findings_.stoppedAtShot = true;
    Stop(std::move(message));
  }

  void FixTraceLength(float sampleRate) {
    const std::int64_t samples =
        WindowSampleCount(settings_.minTime, settings_.maxTime, sampleRate);
    findings_.traceSampleRate = sampleRate;
    if (samples >= 0 && samples <= static_cast<std::int64_t>(ChannelBuffers::kCapacity)) {
      findings_.samplesPerTrace = static_cast<std::uint16_t>(samples);
    }
  }

  const std::vector<std::string>& selection_;
  const RunSettings& settings_;
  PreflightFindings findings_;
};

}  // namespace

PreflightFindings RunPreflight(const std::vector<std::string>& recorderFiles,
                               const RunSettings& settings) {
  return Preflight(recorderFiles, settings).Execute();
}

}  // namespace obscut
