#include "run/log_viewer.h"

#include "platform/system.h"
#include "run/run_messages.h"

namespace obscut {

void ShowLogInNotepad(const std::string& logPath, FrontEnd& ui) {
  if (!StartTextViewer(logPath)) {
    ui.ShowMessage(run_message::kViewerNotStarted);
  }
}

}  // namespace obscut
