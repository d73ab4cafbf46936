#include "batch/batch_front_end.h"

#include "platform/system.h"
#include "run/log_viewer.h"

namespace obscut {
namespace {
constexpr auto kProgressInterval = std::chrono::milliseconds(100);
}  // namespace

BatchFrontEnd::BatchFrontEnd(BatchRequest request, std::FILE* out, std::FILE* err,
                             bool show_progress)
    : request_(std::move(request)), out_(out), err_(err), show_progress_(show_progress) {}

std::optional<std::vector<std::string>> BatchFrontEnd::SelectRecorderFiles() {
  // Full paths, as a file dialog gives them.
  std::vector<std::string> paths;
  paths.reserve(request_.recorderFiles.size());
  for (const std::string& file : request_.recorderFiles) {
    paths.push_back(AbsoluteNormalPath(file));
  }
  return paths;
}

std::optional<RunSettings> BatchFrontEnd::AskRunSettings(const RunSettings& presets) {
  (void)presets;  // the command line's defaults are the presets
  return request_.settings;
}

void BatchFrontEnd::ShowMessage(const std::string& text) {
  ClearProgressLine();
  std::fprintf(err_, "%s\n", text.c_str());
  std::fflush(err_);
}

void BatchFrontEnd::ShowSummary(const std::string& text) {
  ClearProgressLine();
  std::fprintf(out_, "%s\n", text.c_str());
  std::fflush(out_);
}

void BatchFrontEnd::ReportProgress(const RunProgress& progress) {
  if (!show_progress_) {
    return;
  }
  const auto now = std::chrono::steady_clock::now();
  if (progress_line_shown_ && now - last_progress_ < kProgressInterval) {
    return;
  }
  last_progress_ = now;
  const double percent = progress.shotTableLength > 0
                             ? 100.0 * static_cast<double>(progress.shotTableBytesRead) /
                                   static_cast<double>(progress.shotTableLength)
                             : 100.0;
  std::fprintf(err_, "\rshot lines read: %lld (%.0f%% of the shot table)",
               static_cast<long long>(progress.shotLinesRead), percent);
  std::fflush(err_);
  progress_line_shown_ = true;
}

void BatchFrontEnd::ClearProgressLine() {
  if (progress_line_shown_) {
    std::fputs("\r\033[K", err_);
    progress_line_shown_ = false;
  }
}

void BatchFrontEnd::ShowLog(const std::string& logPath) {
  if (request_.showLog) {
    ShowLogInNotepad(logPath, *this);
  }
}

void BatchFrontEnd::ReportFileError(const FileError& error) {
  ShowMessage(error.what());
}

}  // namespace obscut
