// What a conversion run asks of the program it runs in: the desktop program answers with
// dialogs and message boxes, the command line with its arguments and its output streams.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_error.h"
#include "run/run_settings.h"

namespace obscut {

struct RunProgress {
  std::int64_t shotLinesRead = 0;
  std::int64_t shotTableBytesRead = 0;
  std::int64_t shotTableLength = 0;
};

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // The recorder files as full paths, in the order they were selected; nothing when the
  // user cancelled.
  virtual std::optional<std::vector<std::string>> SelectRecorderFiles() = 0;

  // The run's settings, starting from `presets`; nothing when the user cancelled.
  virtual std::optional<RunSettings> AskRunSettings(const RunSettings& presets) = 0;

  // A message for the user: why the run stops, or a notice.
  virtual void ShowMessage(const std::string& text) = 0;

  // The summary of a finished run. A message like any other unless the front end tells
  // results apart from errors.
  virtual void ShowSummary(const std::string& text) { ShowMessage(text); }

  // Called after each shot line; a front end may show how far the run has come.
  virtual void ReportProgress(const RunProgress& progress) { (void)progress; }

  // The run has finished and closed its log: offer the log to the user.
  virtual void ShowLog(const std::string& logPath) = 0;

  // The run has finished: the program's main window closes.
  virtual void EndMainWindow() = 0;

  // A file could not be opened, read, positioned or written, and the run was abandoned.
  // Called by RunConversionReportingFileErrors once every file of the run has been closed.
  virtual void ReportFileError(const FileError& error) = 0;
};

}  // namespace obscut
