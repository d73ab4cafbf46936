// The program's main dialog: what it converts, OK to start a conversion, Cancel to end.
#pragma once

#include <QDialog>

#include "app/desktop_front_end.h"
#include "app/user_prompts.h"
#include "run/log_viewer.h"

namespace obscut {

class MainDialog : public QDialog {
  Q_OBJECT

 public:
  explicit MainDialog(UserPrompts& prompts, LogViewer show_log = ShowLogInNotepad,
                      QWidget* parent = nullptr);

 private:
  // OK and Enter: one conversion run. A finished run closes the dialog; a cancelled or
  // stopped one leaves it open for another try.
  void RunConversionFromDialog();

  UserPrompts& prompts_;
  LogViewer show_log_;
};

}  // namespace obscut
