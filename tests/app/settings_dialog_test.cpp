// The settings dialog: its presets, the check of its three numbers and its Browse buttons.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/settings_dialog.h"
#include "run/run_settings.h"
#include "scripted_prompts.h"

namespace obscut::testing {
namespace {

constexpr char kEnterNumber[] = "Please enter a number.";
constexpr char kEnterInteger[] = "Please enter an integer.";
constexpr char kChannelRange[] = "Please enter an integer between 0 and 4.";

// The dialog as a run shows it: with the presets, over no other window.
struct ShownSettingsDialog {
  ShownSettingsDialog() {
    dialog.SetSettings(RunPresets());
    dialog.show();
  }

  QLineEdit* Field(const char* name) { return dialog.findChild<QLineEdit*>(name); }
  QPushButton* Button(const char* name) { return dialog.findChild<QPushButton*>(name); }
  void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }
  void Type(const char* name, const QString& text) {
    Field(name)->clear();
    QTest::keyClicks(Field(name), text);
  }
  void SetNumbers(const QString& max_time, const QString& min_time, const QString& channel) {
    Field("maxTime")->setText(max_time);
    Field("minTime")->setText(min_time);
    Field("outputChannel")->setText(channel);
  }

  ScriptedPrompts prompts;
  ConversionSettingsDialog dialog{prompts, nullptr};
};

QString Padded(const QString& text, int width) {
  return text.leftJustified(width, ' ');
}

}  // namespace

class SettingsDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void presetsAreShownAndEnterAcceptsThem();
  void aFieldThatFailsIsReportedThenFocusedWithItsTextSelected_data();
  void aFieldThatFailsIsReportedThenFocusedWithItsTextSelected();
  void acceptedFieldsGiveTheirValuesAndThePathsAsTyped_data();
  void acceptedFieldsGiveTheirValuesAndThePathsAsTyped();
  void browseChangesOnlyItsOwnField();
  void cancelledBrowseLeavesEveryFieldAsItWas();
  void cancelAndEscapeCloseWithoutAccepting_data();
  void cancelAndEscapeCloseWithoutAccepting();
};

void SettingsDialogTest::presetsAreShownAndEnterAcceptsThem() {
  ShownSettingsDialog shown;
  QCOMPARE(shown.Field("shotTablePath")->text(), QString());
  QCOMPARE(shown.Field("outputPath")->text(), QString());
  QCOMPARE(shown.Field("maxTime")->text(), QString("60"));
  QCOMPARE(shown.Field("minTime")->text(), QString("0"));
  QCOMPARE(shown.Field("outputChannel")->text(), QString("0"));
  QCOMPARE(shown.dialog.focusWidget(), shown.Button("ok"));

  QTest::keyClick(shown.dialog.focusWidget(), Qt::Key_Return);

  QCOMPARE(shown.dialog.result(), int(QDialog::Accepted));
  QVERIFY(!shown.dialog.isVisible());
  const RunSettings& settings = shown.dialog.Settings();
  QCOMPARE(settings.shotTablePath, std::string());
  QCOMPARE(settings.outputPath, std::string());
  QCOMPARE(settings.maxTime, 60.0f);
  QCOMPARE(settings.minTime, 0.0f);
  QCOMPARE(settings.outputChannel, 0);
  QVERIFY(shown.prompts.asked.isEmpty());
}

void SettingsDialogTest::aFieldThatFailsIsReportedThenFocusedWithItsTextSelected_data() {
  QTest::addColumn<QString>("maxTime");
  QTest::addColumn<QString>("minTime");
  QTest::addColumn<QString>("channel");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("field");
  struct Case {
    const char* name;
    QString maxTime, minTime, channel;
    const char* message;
    const char* field;
  };
  const QString blanks31 = Padded("", 31);
  const Case cases[] = {
      // The maximum time is checked first, then the minimum time, then the channel.
      {"maximum time with a unit, before a bad minimum time", "60s", "x", "9", kEnterNumber,
       "maxTime"},
      {"empty maximum time", "", "0", "0", kEnterNumber, "maxTime"},
      {"maximum time after 31 blanks", blanks31 + "60", "0", "0", kEnterNumber, "maxTime"},
      {"bad minimum time before a bad channel", "60", "ten", "x", kEnterNumber, "minTime"},
      {"empty minimum time", "60", "", "0", kEnterNumber, "minTime"},
      // A zero must be written starting with the digit 0.
      {"minimum time -0", "60", "-0", "0", kEnterNumber, "minTime"},
      {"minimum time +0", "60", "+0", "0", kEnterNumber, "minTime"},
      {"minimum time .0", "60", ".0", "0", kEnterNumber, "minTime"},
      {"channel 5", "60", "0", "5", kChannelRange, "outputChannel"},
      {"channel -1", "60", "0", "-1", kChannelRange, "outputChannel"},
      {"channel 3.0", "60", "0", "3.0", kEnterInteger, "outputChannel"},
      {"empty channel", "60", "0", "", kEnterInteger, "outputChannel"},
      {"channel -0", "60", "0", "-0", kEnterInteger, "outputChannel"},
      {"channel after 31 blanks", "60", "0", blanks31 + "3", kEnterInteger, "outputChannel"},
  };
  for (const Case& c : cases) {
    QTest::newRow(c.name) << c.maxTime << c.minTime << c.channel << QString(c.message)
                          << QString(c.field);
  }
}

void SettingsDialogTest::aFieldThatFailsIsReportedThenFocusedWithItsTextSelected() {
  QFETCH(QString, maxTime);
  QFETCH(QString, minTime);
  QFETCH(QString, channel);
  QFETCH(QString, message);
  QFETCH(QString, field);
  ShownSettingsDialog shown;
  shown.SetNumbers(maxTime, minTime, channel);

  shown.Click("ok");

  QCOMPARE(shown.prompts.asked, QStringList{"warn: " + message});
  QVERIFY(shown.dialog.isVisible());
  QCOMPARE(shown.dialog.result(), int(QDialog::Rejected));
  QLineEdit* failed = shown.Field(field.toLatin1().constData());
  QCOMPARE(shown.dialog.focusWidget(), failed);
  QCOMPARE(failed->selectedText(), failed->text());
  QCOMPARE(failed->text(), field == "maxTime" ? maxTime : field == "minTime" ? minTime : channel);

  // The dialog stays usable: a corrected field lets OK through.
  shown.SetNumbers("60", "0", "2");
  shown.Click("ok");
  QCOMPARE(shown.dialog.result(), int(QDialog::Accepted));
  QCOMPARE(shown.dialog.Settings().outputChannel, 2);
}

void SettingsDialogTest::acceptedFieldsGiveTheirValuesAndThePathsAsTyped_data() {
  QTest::addColumn<QString>("maxTime");
  QTest::addColumn<QString>("minTime");
  QTest::addColumn<QString>("channel");
  QTest::addColumn<float>("maxSeconds");
  QTest::addColumn<float>("minSeconds");
  QTest::addColumn<int>("channelNumber");
  struct Case {
    const char* name;
    QString maxTime, minTime, channel;
    float maxSeconds, minSeconds;
    int channelNumber;
  };
  const Case cases[] = {
      {"blanks and tabs around the channel", "60", "0", " 3\t ", 60.0f, 0.0f, 3},
      {"negative minimum time", "50", "-10", "4", 50.0f, -10.0f, 4},
      {"minimum above maximum is not refused", "10", "30", "1", 10.0f, 30.0f, 1},
      {"zeros written with the digit 0", "00", " 0.0", "0", 0.0f, 0.0f, 0},
      {"fractions, exponents and signs", "2.5e1", "0.125", "+2", 25.0f, 0.125f, 2},
      // Only the first 31 characters of a field are read.
      {"anything after 31 characters", Padded("45", 31) + "s", Padded("-5", 31) + "x",
       Padded("4", 31) + "!", 45.0f, -5.0f, 4},
  };
  for (const Case& c : cases) {
    QTest::newRow(c.name) << c.maxTime << c.minTime << c.channel << c.maxSeconds << c.minSeconds
                          << c.channelNumber;
  }
}

void SettingsDialogTest::acceptedFieldsGiveTheirValuesAndThePathsAsTyped() {
  QFETCH(QString, maxTime);
  QFETCH(QString, minTime);
  QFETCH(QString, channel);
  QFETCH(float, maxSeconds);
  QFETCH(float, minSeconds);
  QFETCH(int, channelNumber);
  ShownSettingsDialog shown;
  shown.Type("shotTablePath", " shots with blanks.txt ");
  shown.Type("outputPath", "out/line1");
  shown.SetNumbers(maxTime, minTime, channel);

  shown.Click("ok");

  QVERIFY(shown.prompts.asked.isEmpty());
  QCOMPARE(shown.dialog.result(), int(QDialog::Accepted));
  const RunSettings& settings = shown.dialog.Settings();
  QCOMPARE(settings.maxTime, maxSeconds);
  QCOMPARE(settings.minTime, minSeconds);
  QCOMPARE(settings.outputChannel, channelNumber);
  QCOMPARE(settings.shotTablePath, std::string(" shots with blanks.txt "));
  QCOMPARE(settings.outputPath, std::string("out/line1"));
}

void SettingsDialogTest::browseChangesOnlyItsOwnField() {
  // Regression: a Browse button reloaded every field from the values stored at the last OK,
  // so numbers and a path the user had typed were silently replaced by the presets.
  ShownSettingsDialog shown;
  shown.Type("minTime", "5");
  shown.Type("maxTime", "30");
  shown.Type("outputChannel", "2");
  shown.Type("outputPath", "typed/line1");
  shown.prompts.fileToOpen.push_back("/data/shots.txt");
  shown.prompts.fileToSave.push_back("/data/line2.sgy");

  shown.Click("browseShotTable");
  QCOMPARE(shown.Field("shotTablePath")->text(), QString("/data/shots.txt"));
  QCOMPARE(shown.Field("outputPath")->text(), QString("typed/line1"));
  QCOMPARE(shown.Field("minTime")->text(), QString("5"));
  QCOMPARE(shown.Field("maxTime")->text(), QString("30"));
  QCOMPARE(shown.Field("outputChannel")->text(), QString("2"));

  shown.Click("browseOutput");
  QCOMPARE(shown.Field("outputPath")->text(), QString("/data/line2.sgy"));
  QCOMPARE(shown.Field("shotTablePath")->text(), QString("/data/shots.txt"));
  QCOMPARE(shown.Field("minTime")->text(), QString("5"));

  QCOMPARE(shown.prompts.asked,
           QStringList({"open file: Select a shottable file for input to the conversion routine | "
                        "Input Shottable Files (*.*) | ",
                        "save file: Select the output segy file | Output Data Files (*.sgy) | "
                        "*.sgy"}));
  shown.Click("ok");
  const RunSettings& settings = shown.dialog.Settings();
  QCOMPARE(settings.shotTablePath, std::string("/data/shots.txt"));
  QCOMPARE(settings.outputPath, std::string("/data/line2.sgy"));
  QCOMPARE(settings.minTime, 5.0f);
  QCOMPARE(settings.maxTime, 30.0f);
  QCOMPARE(settings.outputChannel, 2);
}

void SettingsDialogTest::cancelledBrowseLeavesEveryFieldAsItWas() {
  ShownSettingsDialog shown;
  shown.Type("shotTablePath", "typed/shots.txt");
  shown.Type("outputPath", "typed/line1");
  shown.Type("minTime", "7");

  shown.Click("browseShotTable");  // no answer: the file dialog is cancelled
  shown.Click("browseOutput");

  QCOMPARE(shown.prompts.asked.size(), 2);
  QCOMPARE(shown.Field("shotTablePath")->text(), QString("typed/shots.txt"));
  QCOMPARE(shown.Field("outputPath")->text(), QString("typed/line1"));
  QCOMPARE(shown.Field("minTime")->text(), QString("7"));
  QCOMPARE(shown.Field("maxTime")->text(), QString("60"));
  QVERIFY(shown.dialog.isVisible());
}

void SettingsDialogTest::cancelAndEscapeCloseWithoutAccepting_data() {
  QTest::addColumn<bool>("escape");
  QTest::newRow("Cancel button") << false;
  QTest::newRow("Escape key") << true;
}

void SettingsDialogTest::cancelAndEscapeCloseWithoutAccepting() {
  QFETCH(bool, escape);
  ShownSettingsDialog shown;
  shown.Type("minTime", "bad");  // not checked on the way out

  if (escape) {
    QTest::keyClick(shown.Field("minTime"), Qt::Key_Escape);
  } else {
    shown.Click("cancel");
  }

  QVERIFY(!shown.dialog.isVisible());
  QCOMPARE(shown.dialog.result(), int(QDialog::Rejected));
  QVERIFY(shown.prompts.asked.isEmpty());
}

}  // namespace obscut::testing

QTEST_MAIN(obscut::testing::SettingsDialogTest)
#include "settings_dialog_test.moc"
