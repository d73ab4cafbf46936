// The conversion run's front end on the desktop: the recorder file dialog, the settings dialog,
// message boxes and the progress window, all over the main dialog.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "app/run_progress_window.h"
#include "app/user_prompts.h"
#include "run/front_end.h"

namespace obscut {

// Offers the closed log to the user; ShowLogInNotepad on the desktop.
using LogViewer = std::function<void(const std::string& logPath, FrontEnd& ui)>;

class DesktopFrontEnd : public FrontEnd {
 public:
  DesktopFrontEnd(QDialog& main_dialog, UserPrompts& prompts, LogViewer show_log);
  ~DesktopFrontEnd() override;
  DesktopFrontEnd(const DesktopFrontEnd&) = delete;
  DesktopFrontEnd& operator=(const DesktopFrontEnd&) = delete;

  std::optional<std::vector<std::string>> SelectRecorderFiles() override;
  std::optional<RunSettings> AskRunSettings(const RunSettings& presets) override;
  void ShowMessage(const std::string& text) override;
  void ReportProgress(const RunProgress& progress) override;
  void ShowLog(const std::string& logPath) override;
  void EndMainWindow() override;
  void ReportFileError(const FileError& error) override;

 private:
  // Messages and the end of the run take the progress window away first.
  void CloseProgress();

  QDialog& main_dialog_;
  UserPrompts& prompts_;
  LogViewer show_log_;
  std::unique_ptr<RunProgressWindow> progress_;
};

}  // namespace obscut
