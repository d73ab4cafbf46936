// obscut: the desktop program. Its whole life is the main dialog; it takes no arguments.
#include <QApplication>
#include <QFileInfo>

#include "app/app_icon.h"
#include "app/main_dialog.h"
#include "app/qt_user_prompts.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The title of the program, and the caption of every message box, is its executable's name.
  QApplication::setApplicationName(
      QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
  QApplication::setWindowIcon(obscut::AppIcon());

  obscut::QtUserPrompts prompts;
  obscut::MainDialog dialog(prompts);
  dialog.exec();
  return 0;
}
