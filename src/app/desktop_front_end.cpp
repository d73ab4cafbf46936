#include "app/desktop_front_end.h"

#include "app/file_questions.h"
#include "app/local_text.h"
#include "app/settings_dialog.h"

namespace obscut {

DesktopFrontEnd::DesktopFrontEnd(QDialog& main_dialog, UserPrompts& prompts, LogViewer show_log)
    : main_dialog_(main_dialog), prompts_(prompts), show_log_(std::move(show_log)) {}

DesktopFrontEnd::~DesktopFrontEnd() = default;

std::optional<std::vector<std::string>> DesktopFrontEnd::SelectRecorderFiles() {
  const auto chosen = prompts_.ChooseFilesToOpen(&main_dialog_, RecorderFilesQuestion());
  if (!chosen) {
    return std::nullopt;
  }
  std::vector<std::string> paths;
  paths.reserve(static_cast<std::size_t>(chosen->size()));
  for (const QString& path : *chosen) {
    paths.push_back(ToLocalText(path));
  }
  return paths;
}

std::optional<RunSettings> DesktopFrontEnd::AskRunSettings(const RunSettings& presets) {
  ConversionSettingsDialog dialog(prompts_, &main_dialog_);
  dialog.SetSettings(presets);
  if (prompts_.RunModal(dialog) != QDialog::Accepted) {
    return std::nullopt;
  }
  return dialog.Settings();
}

void DesktopFrontEnd::ShowMessage(const std::string& text) {
  CloseProgress();
  prompts_.Warn(&main_dialog_, FromLocalText(text));
}

void DesktopFrontEnd::ReportProgress(const RunProgress& progress) {
  if (!progress_) {
    progress_ = std::make_unique<RunProgressWindow>(&main_dialog_);
  }
  progress_->ShowProgress(progress);
}

void DesktopFrontEnd::ShowLog(const std::string& logPath) {
  CloseProgress();
  show_log_(logPath, *this);
}

void DesktopFrontEnd::EndMainWindow() {
  CloseProgress();
  main_dialog_.accept();
}

void DesktopFrontEnd::ReportFileError(const FileError& error) {
  CloseProgress();
  prompts_.ReportFileError(&main_dialog_, FromLocalText(error.what()));
}

void DesktopFrontEnd::CloseProgress() {
  progress_.reset();
}

}  // namespace obscut
