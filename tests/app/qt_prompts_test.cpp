// The real file dialogs and message boxes: their captions, filters, modes and icons, and the
// paths they give. Each modal window is answered as soon as it runs.
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/file_questions.h"
#include "app/qt_user_prompts.h"
#include "support/scratch_dir.h"

namespace obscut::testing {
namespace {

// Once the next modal window runs, hands it to `answer`, which must close it.
void AnswerNextModalWindow(std::function<void(QWidget&)> answer) {
  QTimer::singleShot(0, [answer = std::move(answer)] {
    QWidget* window = QApplication::activeModalWidget();
    QVERIFY(window != nullptr);
    answer(*window);
    if (window->isVisible()) {  // a failed check above must not leave the test waiting
      window->close();
    }
  });
}

}  // namespace

class QtPromptsTest : public QObject {
  Q_OBJECT

 private slots:
  void messagesHaveTheProgramsTitleOneOkButtonAndTheirIcon_data();
  void messagesHaveTheProgramsTitleOneOkButtonAndTheirIcon();
  void fileDialogsAskWithTheirTitleFilterAndMode_data();
  void fileDialogsAskWithTheirTitleFilterAndMode();
  void chosenFilesComeBackAsFullPaths();
};

void QtPromptsTest::messagesHaveTheProgramsTitleOneOkButtonAndTheirIcon_data() {
  QTest::addColumn<bool>("fileError");
  QTest::addColumn<int>("icon");
  QTest::newRow("warning") << false << int(QMessageBox::Warning);
  QTest::newRow("file error") << true << int(QMessageBox::Critical);
}

void QtPromptsTest::messagesHaveTheProgramsTitleOneOkButtonAndTheirIcon() {
  QFETCH(bool, fileError);
  QFETCH(int, icon);
  const QString text = "A total of 3 traces processed. \n<b>not rich text</b>";
  QString title;
  QString shown_text;
  int shown_icon = -1;
  QList<QAbstractButton*> buttons;
  AnswerNextModalWindow([&](QWidget& window) {
    auto* box = qobject_cast<QMessageBox*>(&window);
    QVERIFY(box != nullptr);
    title = box->windowTitle();
    shown_text = box->text();
    shown_icon = int(box->icon());
    QCOMPARE(box->textFormat(), Qt::PlainText);
    buttons = box->buttons();
    QCOMPARE(box->standardButton(buttons.value(0)), QMessageBox::Ok);
    box->accept();
  });

  QtUserPrompts prompts;
  if (fileError) {
    prompts.ReportFileError(nullptr, text);
  } else {
    prompts.Warn(nullptr, text);
  }

  QCOMPARE(title, QCoreApplication::applicationName());
  QCOMPARE(shown_text, text);
  QCOMPARE(shown_icon, icon);
  QCOMPARE(buttons.size(), 1);
}

void QtPromptsTest::fileDialogsAskWithTheirTitleFilterAndMode_data() {
  QTest::addColumn<QString>("which");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QStringList>("filters");
  QTest::addColumn<int>("fileMode");
  QTest::addColumn<int>("acceptMode");
  QTest::addColumn<QString>("typedName");
  QTest::newRow("recorder files") << "recorder"
                                  << "Select all the ORVANE raw files for conversion"
                                  << QStringList{"Input ORVANE Data Files (OBS*.*)"}
                                  << int(QFileDialog::ExistingFiles) << int(QFileDialog::AcceptOpen)
                                  << "";
  QTest::newRow("shot table") << "shot table"
                              << "Select a shottable file for input to the conversion routine"
                              << QStringList{"Input Shottable Files (*.*)"}
                              << int(QFileDialog::AnyFile) << int(QFileDialog::AcceptOpen) << "";
  QTest::newRow("output file") << "output"
                               << "Select the output segy file"
                               << QStringList{"Output Data Files (*.sgy)"}
                               << int(QFileDialog::AnyFile) << int(QFileDialog::AcceptSave)
                               << "*.sgy";
}

void QtPromptsTest::fileDialogsAskWithTheirTitleFilterAndMode() {
  QFETCH(QString, which);
  QFETCH(QString, title);
  QFETCH(QStringList, filters);
  QFETCH(int, fileMode);
  QFETCH(int, acceptMode);
  QFETCH(QString, typedName);
  bool seen = false;
  AnswerNextModalWindow([&](QWidget& window) {
    auto* dialog = qobject_cast<QFileDialog*>(&window);
    QVERIFY(dialog != nullptr);
    seen = true;
    QCOMPARE(dialog->windowTitle(), title);
    QCOMPARE(dialog->nameFilters(), filters);
    QCOMPARE(int(dialog->fileMode()), fileMode);
    QCOMPARE(int(dialog->acceptMode()), acceptMode);
    QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
    auto* name_box = dialog->findChild<QLineEdit*>("fileNameEdit");
    QVERIFY(name_box != nullptr);
    QCOMPARE(name_box->text(), typedName);
    dialog->reject();
  });

  QtUserPrompts prompts;
  bool answered = true;
  if (which == "recorder") {
    answered = prompts.ChooseFilesToOpen(nullptr, RecorderFilesQuestion()).has_value();
  } else if (which == "shot table") {
    answered = prompts.ChooseFileToOpen(nullptr, ShotTableQuestion()).has_value();
  } else {
    answered = prompts.ChooseFileToSave(nullptr, OutputFileQuestion()).has_value();
  }

  QVERIFY(seen);
  QVERIFY(!answered);  // cancelled
}

void QtPromptsTest::chosenFilesComeBackAsFullPaths() {
  ScratchDir scratch;
  WriteText(scratch.File("OBS00001.001"), "1");
  WriteText(scratch.File("OBS00002.001"), "2");
  const QString folder = QString::fromStdString(scratch.path().string());
  AnswerNextModalWindow([&](QWidget& window) {
    auto* dialog = qobject_cast<QFileDialog*>(&window);
    QVERIFY(dialog != nullptr);
    dialog->setDirectory(folder);
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText("\"OBS00002.001\" \"OBS00001.001\"");
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog keeps its accept() protected
  });

  QtUserPrompts prompts;
  const auto chosen = prompts.ChooseFilesToOpen(nullptr, RecorderFilesQuestion());

  QVERIFY(chosen.has_value());
  QCOMPARE(*chosen, QStringList({QDir::toNativeSeparators(folder + "/OBS00002.001"),
                                 QDir::toNativeSeparators(folder + "/OBS00001.001")}));
}

}  // namespace obscut::testing

QTEST_MAIN(obscut::testing::QtPromptsTest)
#include "qt_prompts_test.moc"
