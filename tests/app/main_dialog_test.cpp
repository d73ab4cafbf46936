// The main dialog and the runs it starts: cancelled, stopped, failed on a file and finished.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "app/desktop_front_end.h"
#include "app/main_dialog.h"
#include "app/run_progress_window.h"
#include "scripted_prompts.h"
#include "support/scratch_dir.h"
#include "survey/recorder_writer.h"

namespace obscut::testing {
namespace {

const QString kRecorderFilesAsked =
    "open files: Select all the ORVANE raw files for conversion | "
    "Input ORVANE Data Files (OBS*.*) | ";
const QString kSettingsAsked = "dialog: Convert Datafiles to Segy";

const std::string kShotTable =
    "Line 7 refraction shots\n"
    "45.5 -20.25\n"
    "1 2 3 4\n"
    "0.004\n"
    "1\n"
    "2\n"
    "shot day hour min sec y x range depth\n"
    "1 5 12 30 15.5 45.6 -20.3 1200.0 3400.0\n"
    "2 5 12 31 15.5 45.6 -20.3 1100.0 3400.0\n"
    "3 5 12 32 15.5 45.6 -20.3 1000.0 3400.0\n";

// Records the windows of a given object name that were shown.
class ShowRecorder : public QObject {
 public:
  explicit ShowRecorder(const QString& name) : name_(name) { qApp->installEventFilter(this); }
  ~ShowRecorder() override { qApp->removeEventFilter(this); }
  int shown = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->objectName() == name_) {
      ++shown;
    }
    return false;
  }

 private:
  QString name_;
};

// The main dialog shown over a scratch folder, its questions answered by `prompts`; the log
// viewer only notes which log it was asked to show.
struct ShownMainDialog {
  ShownMainDialog() { dialog.show(); }

  QPushButton* Button(const char* name) { return dialog.findChild<QPushButton*>(name); }
  void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }
  QString Path(const std::string& name) const { return QString::fromStdString(scratch.File(name)); }

  // The user's part in the settings dialog: the two paths typed, then OK or Cancel.
  void AnswerSettings(const std::string& shot_table, const std::string& output, bool ok) {
    prompts.dialogScripts.push_back([=, this](QDialog& settings) {
      settings.findChild<QLineEdit*>("shotTablePath")->setText(Path(shot_table));
      settings.findChild<QLineEdit*>("outputPath")->setText(Path(output));
      QTest::mouseClick(settings.findChild<QPushButton*>(ok ? "ok" : "cancel"), Qt::LeftButton);
    });
  }

  // The names in the scratch folder.
  QStringList Files() const {
    QStringList names;
    for (const auto& entry : std::filesystem::directory_iterator(scratch.path())) {
      names.append(QString::fromStdString(entry.path().filename().string()));
    }
    names.sort();
    return names;
  }

  ScratchDir scratch;
  ScriptedPrompts prompts;
  QStringList logsShown;
  MainDialog dialog{prompts, [this](const std::string& log_path, FrontEnd&) {
                      logsShown.append(QString::fromStdString(log_path));
                    }};
};

std::vector<std::uint8_t> RecorderFile() {
  RecorderHeaderFields fields;
  const SampleFrame frames[2] = {};
  return EncodeRecorderFile(fields, frames);
}

}  // namespace

class MainDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithTheFocusOnOkAndNoMinimiseOrMaximiseBox();
  void cancelEndsTheProgramWithoutAskingAnything();
  void cancelInEitherDialogEndsTheRunWithNothingWritten_data();
  void cancelInEitherDialogEndsTheRunWithNothingWritten();
  void aRunThatStopsWithAMessageLeavesTheMainDialogOpenForAnother();
  void aFileErrorIsReportedNamingTheFileAndTheMainDialogStaysOpen();
  void aFinishedRunShowsItsSummaryOpensTheLogAndClosesTheMainDialog();
  void theProgressWindowShowsTheShareOfTheShotTableUntilAMessage();
};

void MainDialogTest::opensWithTheFocusOnOkAndNoMinimiseOrMaximiseBox() {
  ShownMainDialog shown;
  QCOMPARE(shown.dialog.focusWidget(), shown.Button("ok"));
  QVERIFY(shown.Button("ok")->isDefault());
  const Qt::WindowFlags flags = shown.dialog.windowFlags();
  QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
  QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
  QVERIFY(flags & Qt::WindowCloseButtonHint);
  QVERIFY(flags & Qt::WindowSystemMenuHint);
  QVERIFY(shown.dialog.parentWidget() == nullptr);  // a window of its own in the task bar
  const QList<QSize> icon_sizes = shown.dialog.windowIcon().availableSizes();
  QVERIFY(icon_sizes.contains(QSize(16, 16)));
  QVERIFY(icon_sizes.contains(QSize(32, 32)));
}

void MainDialogTest::cancelEndsTheProgramWithoutAskingAnything() {
  ShownMainDialog shown;
  shown.Click("cancel");
  QVERIFY(!shown.dialog.isVisible());
  QCOMPARE(shown.dialog.result(), int(QDialog::Rejected));
  QVERIFY(shown.prompts.asked.isEmpty());
  QVERIFY(shown.Files().isEmpty());
}

void MainDialogTest::cancelInEitherDialogEndsTheRunWithNothingWritten_data() {
  QTest::addColumn<bool>("filesChosen");
  QTest::newRow("recorder file dialog") << false;
  QTest::newRow("settings dialog") << true;
}

void MainDialogTest::cancelInEitherDialogEndsTheRunWithNothingWritten() {
  QFETCH(bool, filesChosen);
  ShownMainDialog shown;
  WriteBytes(shown.scratch.File("OBS00001.001"), RecorderFile());
  WriteText(shown.scratch.File("shots.txt"), kShotTable);
  if (filesChosen) {
    shown.prompts.filesToOpen.push_back(QStringList{shown.Path("OBS00001.001")});
    shown.AnswerSettings("shots.txt", "line1", /*ok=*/false);
  } else {
    shown.prompts.filesToOpen.push_back(std::nullopt);
  }

  shown.Click("ok");

  QStringList expected{kRecorderFilesAsked};
  if (filesChosen) {
    expected.append(kSettingsAsked);
  }
  QCOMPARE(shown.prompts.asked, expected);
  QVERIFY(shown.dialog.isVisible());
  QCOMPARE(shown.Files(), QStringList({"OBS00001.001", "shots.txt"}));
  QVERIFY(shown.logsShown.isEmpty());
}

void MainDialogTest::aRunThatStopsWithAMessageLeavesTheMainDialogOpenForAnother() {
  ShownMainDialog shown;
  shown.prompts.filesToOpen.push_back(QStringList{});
  shown.AnswerSettings("no-such-table.txt", "line1", /*ok=*/true);

  shown.Click("ok");

  QCOMPARE(shown.prompts.asked,
           QStringList({kRecorderFilesAsked, kSettingsAsked, "warn: Error opening shot table"}));
  QVERIFY(shown.dialog.isVisible());
  QVERIFY(shown.logsShown.isEmpty());

  // Enter presses OK, the default button, and a new run starts with the file dialog.
  shown.prompts.asked.clear();
  QTest::keyClick(shown.dialog.focusWidget(), Qt::Key_Return);
  QCOMPARE(shown.prompts.asked, QStringList{kRecorderFilesAsked});
  QVERIFY(shown.dialog.isVisible());
}

void MainDialogTest::aFileErrorIsReportedNamingTheFileAndTheMainDialogStaysOpen() {
  ShownMainDialog shown;
  WriteText(shown.scratch.File("shots.txt"), kShotTable);
  const QString missing = shown.Path("OBS00001.001");
  shown.prompts.filesToOpen.push_back(QStringList{missing});
  shown.AnswerSettings("shots.txt", "line1", /*ok=*/true);

  shown.Click("ok");

  QCOMPARE(shown.prompts.asked, QStringList({kRecorderFilesAsked, kSettingsAsked,
                                             "file error: " + missing + " was not found."}));
  QVERIFY(shown.dialog.isVisible());
  QVERIFY(shown.logsShown.isEmpty());
}

void MainDialogTest::aFinishedRunShowsItsSummaryOpensTheLogAndClosesTheMainDialog() {
  ShownMainDialog shown;
  WriteText(shown.scratch.File("shots.txt"), kShotTable);
  // No recorder file at all: every shot finds none, and the run ends normally with 0 traces.
  shown.prompts.filesToOpen.push_back(QStringList{});
  shown.AnswerSettings("shots.txt", "line1", /*ok=*/true);
  ShowRecorder progress_windows("runProgress");
  bool progress_shown_with_message = true;
  shown.prompts.onMessage = [&](const QString&) {
    const auto* progress = shown.dialog.findChild<RunProgressWindow*>();
    progress_shown_with_message = progress != nullptr && progress->isVisible();
  };

  shown.Click("ok");

  QCOMPARE(shown.prompts.asked,
           QStringList({kRecorderFilesAsked, kSettingsAsked,
                        "warn: A total of 0 traces processed. \nYou may need to filter or debias "
                        "before properly display some data."}));
  QCOMPARE(shown.logsShown, QStringList{shown.Path(".tempOutAsciiInfo.txt")});
  QVERIFY(!shown.dialog.isVisible());
  QCOMPARE(shown.dialog.result(), int(QDialog::Accepted));
  QCOMPARE(progress_windows.shown, 1);
  QVERIFY(!progress_shown_with_message);
}

void MainDialogTest::theProgressWindowShowsTheShareOfTheShotTableUntilAMessage() {
  QDialog main_window;
  main_window.show();
  ScriptedPrompts prompts;
  DesktopFrontEnd front_end(main_window, prompts, {});
  bool progress_shown_with_message = true;
  prompts.onMessage = [&](const QString&) {
    progress_shown_with_message = main_window.findChild<RunProgressWindow*>() != nullptr;
  };

  front_end.ReportProgress({1, 250, 1000});
  auto* progress = main_window.findChild<RunProgressWindow*>();
  QVERIFY(progress != nullptr);
  QVERIFY(progress->isVisible());
  QVERIFY(progress->isModal());
  QCOMPARE(progress->shownPermille(), 250);

  // Neither Escape nor the close box ends it: a run cannot be interrupted.
  QTest::keyClick(progress, Qt::Key_Escape);
  progress->close();
  QVERIFY(progress->isVisible());

  front_end.ReportProgress({7, 1000, 1000});
  QCOMPARE(progress->shownPermille(), 1000);

  front_end.ShowMessage("Error in shot table");
  QCOMPARE(prompts.asked, QStringList{"warn: Error in shot table"});
  QVERIFY(!progress_shown_with_message);
}

}  // namespace obscut::testing

QTEST_MAIN(obscut::testing::MainDialogTest)
#include "main_dialog_test.moc"
