// The conversion run without dialogs: the command line answers the run's questions, messages
// go to the output streams.
#pragma once

#include <chrono>
#include <cstdio>

#include "batch/batch_options.h"
#include "run/front_end.h"

namespace obscut {

class BatchFrontEnd : public FrontEnd {
 public:
  // `show_progress`: keep a progress line on `err` (for a terminal).
  BatchFrontEnd(BatchRequest request, std::FILE* out, std::FILE* err, bool show_progress);

  std::optional<std::vector<std::string>> SelectRecorderFiles() override;
  std::optional<RunSettings> AskRunSettings(const RunSettings& presets) override;
  void ShowMessage(const std::string& text) override;
  void ShowSummary(const std::string& text) override;
  void ReportProgress(const RunProgress& progress) override;
  void ShowLog(const std::string& logPath) override;
  void EndMainWindow() override {}
  void ReportFileError(const FileError& error) override;

 private:
  void ClearProgressLine();

  BatchRequest request_;
  std::FILE* out_;
  std::FILE* err_;
  bool show_progress_;
  bool progress_line_shown_ = false;
  std::chrono::steady_clock::time_point last_progress_{};
};

}  // namespace obscut
