#include "run/run_conversion.h"

#include <utility>

#include "base/string_printf.h"
#include "recorder/recorder_file.h"
#include "run/dump_pass.h"
#include "run/output_path.h"
#include "run/run_messages.h"
#include "run/run_state.h"

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

    // 6. The log.
    if (!state_.log.Open(state_.logPath)) {
      return StopRun(run_message::kLogNotCreated);
    }

    // 7. Dump pass: no shot is processed unless every file has a complete header.
    for (const RecorderEntry& entry : state_.recorderFiles) {
      const auto file = RecorderFile::ReadRecorderHeader(entry.path);
      if (!file) {
        return StopRun(run_message::HeaderReadWrong(entry.path));
      }
      DumpAsciiHeader(*file, state_.log);
    }

    // 8, 9. The shot table and its header lines.
    state_.shotTable = ShotTable::OpenShotTable(state_.settings.shotTablePath);
    if (!state_.shotTable) {
      return StopRun(run_message::kShotTableNotOpened);
    }
    if (!state_.shotTable->ReadShotTableHeader()) {
      return StopRun(run_message::kShotTableHeaderShort);
    }

    // 10, 11. The shot lines, strictly in table order.
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

  RunOutcome FinishRun() {
    CloseFiles();
    ui_.ShowSummary(run_message::Summary(state_.traceCount));
    ui_.ShowLog(state_.logPath);
    ui_.EndMainWindow();
    return RunOutcome::kFinished;
  }

  void CloseFiles() {
    state_.log.Close();
    if (state_.shotTable) {
      state_.shotTable->Close();
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
