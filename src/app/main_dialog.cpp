#include "app/main_dialog.h"

#include <QPushButton>

#include "app/app_icon.h"
#include "app/dialog_builder.h"
#include "run/run_conversion.h"

namespace obscut {

MainDialog::MainDialog(UserPrompts& prompts, LogViewer show_log, QWidget* parent)
    : QDialog(parent), prompts_(prompts), show_log_(std::move(show_log)) {
  const DialogControls controls = BuildDialog(*this, MainDialogTemplate(), ChooseDialogStyle());
  setWindowIcon(AppIcon());
  auto* ok = controls.Get<QPushButton>(control_id::kOk);
  connect(ok, &QPushButton::clicked, this, &MainDialog::RunConversionFromDialog);
  connect(controls.Get<QPushButton>(control_id::kCancel), &QPushButton::clicked, this,
          &MainDialog::reject);
  ok->setFocus();
}

void MainDialog::RunConversionFromDialog() {
  DesktopFrontEnd front_end(*this, prompts_, show_log_);
  RunConversionReportingFileErrors(front_end);
}

}  // namespace obscut
