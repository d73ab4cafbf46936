#include "run/run_conversion.h"

#include <optional>
#include <utility>
#include <vector>

#include "base/string_printf.h"
#include "recorder/recorder_file.h"
#include "run/dump_pass.h"
#include "run/input_guard.h"
#include "run/output_path.h"
#include "run/run_messages.h"
#include "run/run_state.h"
#include "segy/segy_messages.h"
#include "segy/shot_window.h"

namespace obscut {

namespace run_message {
std::string Summary(unsigned traceCount) {
  return StringPrintf(
      "A total of %d traces processed. \nYou may need to filter or debias before properly "
      "display some data.",
      static_cast<int>(traceCount & 0xFFFFu));
}
}  // namespace run_message

namespace {

class ConversionRun {
 public:
  explicit ConversionRun(FrontEnd& ui) : ui_(ui) {}

  RunOutcome Execute() {
    // 1. The recorder files, in the order they were selected.
    auto selection = ui_.SelectRecorderFiles();
    if (!selection) {
      return RunOutcome::kCancelled;
    }
    for (std::string& name : *selection) {
      if (name.empty()) {
        continue;
      }
      if (state_.recorderFiles.size() == kMaxRecorderFiles) {
        return StopRun(run_message::kTooManyFiles);
      }
      state_.recorderFiles.push_back({std::move(name), 0});
    }
    // 2. Their processing order.
    OrderByFileNumber(state_.recorderFiles);

    // 3. The settings.
    auto settings = ui_.AskRunSettings(RunPresets());
    if (!settings) {
      return RunOutcome::kCancelled;
    }
    state_.settings = std::move(*settings);

    // 4, 5. The log's place comes from the output path as given, before ".sgy" is added.
    state_.logPath = LogPathFor(state_.settings.outputPath);
    state_.settings.outputPath = NormaliseOutputPath(state_.settings.outputPath);

    // 6. The log, which is created empty, so never in place of an input.
    if (LogWouldReplaceAnInput()) {
      return StopRun(LogWouldOverwriteInput(state_.logPath));
    }
    if (!state_.log.Open(state_.logPath)) {
      return StopRun(run_message::kLogNotCreated);
    }

    // 7. Dump pass: no shot is processed unless every file has a complete header. What it
    // reads of each file serves the whole run, as the files do not change meanwhile.
    for (const RecorderEntry& entry : state_.recorderFiles) {
      auto file = RecorderFile::ReadRecorderHeader(entry.path);
      if (!file) {
        return StopRun(run_message::HeaderReadWrong(entry.path));
      }
      DumpAsciiHeader(*file, state_.log);
      state_.recorderCatalog.push_back(CatalogueRecorder(*file));
    }

    // 8, 9. The shot table and its header lines.
    state_.shotTable = ShotTable::OpenShotTable(state_.settings.shotTablePath);
    if (!state_.shotTable) {
      return StopRun(run_message::kShotTableNotOpened);
    }
    if (!state_.shotTable->ReadShotTableHeader()) {
      return StopRun(run_message::kShotTableHeaderShort);
    }

    // 10. The output files, unless one of them would replace an input.
    if (auto problem = CheckOutputsSpareInputs()) {
      return StopRun(*problem);
    }
    state_.outputs =
        SegyOutputSet::OpenOutputSet(state_.settings.outputPath, state_.settings.outputChannel);
    ShotWindowExtractor extractor(state_.recorderCatalog, state_.settings,
                                  state_.shotTable->header(), *state_.outputs, state_.buffers,
                                  state_.log);

    // 11. The shot lines, strictly in table order.
    RunProgress progress;
    progress.shotTableLength = state_.shotTable->length();
    for (;;) {
      const ShotTable::ReadResult result = state_.shotTable->ReadShotRecord();
      if (result == ShotTable::ReadResult::kEndOfTable) {
        break;
      }
      if (result == ShotTable::ReadResult::kError) {
        return StopRun(run_message::kShotLineBad);
      }
      const ShotOutcome outcome = extractor.ExtractShotWindow(state_.shotTable->shot());
      if (outcome.kind == ShotOutcome::Kind::kStopped) {
        return StopRun(outcome.message);
      }
      ++progress.shotLinesRead;
      progress.shotTableBytesRead = state_.shotTable->bytesRead();
      ui_.ReportProgress(progress);
    }
    return FinishRun();
  }

 private:
  // The single early end: the message, then every file of the run is closed as it stands.
  RunOutcome StopRun(const std::string& message) {
    ui_.ShowMessage(message);
    CloseFiles();
    return RunOutcome::kStopped;
  }

  // Whether the log's path names the shot table or a recorder file.
  bool LogWouldReplaceAnInput() const {
    return NamesAnInput(state_.logPath,
                        NormalInputPaths(state_.recorderFiles, state_.settings.shotTablePath));
  }

  // The message naming the first output file that would replace one of the run's inputs.
  std::optional<std::string> CheckOutputsSpareInputs() const {
    const std::vector<std::string> inputs =
        NormalInputPaths(state_.recorderFiles, state_.settings.shotTablePath);
    for (const std::string& output :
         OutputFileNames(state_.settings.outputPath, state_.settings.outputChannel)) {
      if (NamesAnInput(output, inputs)) {
        return segy_message::WouldOverwriteInput(output);
      }
    }
    return std::nullopt;
  }

  RunOutcome FinishRun() {
    state_.log.Close();
    state_.shotTable->Close();
    state_.outputs->FinishOutputSet();
    const std::uint16_t traceCount = state_.outputs->traceCount();
    state_.outputs.reset();
    ui_.ShowSummary(run_message::Summary(traceCount));
    ui_.ShowLog(state_.logPath);
    ui_.EndMainWindow();
    return RunOutcome::kFinished;
  }

  // Closes what is open as it stands; output files keep the trace count field they have.
  // Traces still on their way to an output file go out first; if they cannot, that file
  // error is raised once everything is closed.
  void CloseFiles() {
    std::optional<FileError> outputError;
    if (state_.outputs) {
      try {
        state_.outputs->CloseOutputSet();
      } catch (const FileError& error) {
        outputError = error;
      }
      state_.outputs.reset();
    }
    state_.log.Close();
    if (state_.shotTable) {
      state_.shotTable->Close();
    }
    if (outputError) {
      throw *outputError;
    }
  }

  FrontEnd& ui_;
  RunState state_;
};

}  // namespace

RunOutcome RunConversion(FrontEnd& ui) {
  return ConversionRun(ui).Execute();
}

RunOutcome RunConversionReportingFileErrors(FrontEnd& ui) {
  try {
    return RunConversion(ui);
  } catch (const FileError& error) {
    ui.ReportFileError(error);
    return RunOutcome::kStopped;
  }
}

}  // namespace obscut
