// The two dialogs as drawn: every control where its dialog units put it, the focus order, every
// text whole inside its control, and a picture of each dialog.
#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QtTest>
#include <cmath>
#include <memory>
#include <span>

#include "app/dialog_style.h"
#include "app/dialog_units.h"
#include "app/main_dialog.h"
#include "app/settings_dialog.h"
#include "run/run_settings.h"
#include "scripted_prompts.h"

namespace obscut::testing {
namespace {

struct ExpectedControl {
  const char* name;
  const char* className;
  int id;  // 0: a static text, which has none
  const char* text;
  QRect units;
};

// clang-format off
const ExpectedControl kMainControls[] = {
    {"ok", "QPushButton", 1, "OK", {161, 83, 50, 14}},
    {"cancel", "QPushButton", 2, "Cancel", {161, 100, 50, 14}},
    {"description", "QLabel", 0,
     "Input are variable length data files (2-byte integer format) written by QUORRIN's ORVANE "
     "(designed in 2003). Timing corrections should already have be done for each shot in the "
     "shot table. ", {7, 7, 204, 33}},
    {"instructions", "QLabel", 0,
     "Please use Cntl+A or Shift+left Click to select all data files for processing. \n\n"
     "Built on Oct, 2003 (Y2K compatible)", {7, 44, 204, 33}},
};

const ExpectedControl kSettingsControls[] = {
    {"ok", "QPushButton", 1, "OK", {38, 172, 50, 14}},
    {"cancel", "QPushButton", 2, "Cancel", {91, 172, 50, 14}},
    {"shotTablePath", "QLineEdit", 1211, "", {7, 17, 98, 14}},
    {"browseShotTable", "QPushButton", 1086, "Browse", {108, 17, 33, 14}},
    {"outputPath", "QLineEdit", 1212, "", {7, 85, 98, 14}},
    {"browseOutput", "QPushButton", 1213, "Browse", {108, 85, 33, 14}},
    {"shotTableLabel", "QLabel", 0, "Input file name for shot table:", {7, 7, 87, 8}},
    {"outputLabel", "QLabel", 0, "Output file name to hold segy data:", {7, 73, 124, 11}},
    {"minTime", "QLineEdit", 1209, "0", {65, 35, 40, 14}},
    {"minTimeLabel", "QLabel", 0, "Minimum time:", {7, 37, 43, 8}},
    {"maxTimeLabel", "QLabel", 0, "Maximum time:", {7, 52, 45, 8}},
    {"maxTime", "QLineEdit", 1210, "60", {65, 50, 40, 14}},
    {"channelNote", "QLabel", 0,
     "Note: Choosing 0 as channel will generate 4 Segy files, occupying about the same size of "
     "your total raw data files (which is in 2-byte short integer format).", {7, 129, 134, 35}},
    {"channelLabel", "QLabel", 0, "Output channel number (0-4)\n(0: All channels)",
     {8, 105, 87, 17}},
    {"outputChannel", "QLineEdit", 1000, "0", {101, 104, 40, 14}},
};
// clang-format on

struct ExpectedDialog {
  const char* caption;
  QSize units;
  std::span<const ExpectedControl> controls;
  QStringList tabOrder;
};

ExpectedDialog Expected(bool settings) {
  if (settings) {
    return {"Convert Datafiles to Segy",
            {148, 193},
            kSettingsControls,
            {"ok", "cancel", "shotTablePath", "browseShotTable", "outputPath", "browseOutput",
             "minTime", "maxTime", "outputChannel"}};
  }
  return {"Convert TALVEK OBS raw data files to Segy", {218, 121}, kMainControls, {"ok", "cancel"}};
}

// One of the two dialogs as the user first sees it.
struct DialogUnderTest {
  explicit DialogUnderTest(bool settings) {
    if (settings) {
      auto settings_dialog = std::make_unique<ConversionSettingsDialog>(prompts, nullptr);
      settings_dialog->SetSettings(RunPresets());
      dialog = std::move(settings_dialog);
    } else {
      dialog = std::make_unique<MainDialog>(prompts);
    }
  }
  ScriptedPrompts prompts;
  std::unique_ptr<QDialog> dialog;
};

// Dialog units to pixels as Windows converts them: x * baseX / 4 and y * baseY / 8, rounded
// to the nearest pixel, where baseX is the average width of the letters A-Z and a-z rounded
// to whole pixels and baseY the font's height.
struct WindowsDialogUnits {
  explicit WindowsDialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    base_x = (letters / 26 + 1) / 2;
    base_y = metrics.height();
  }
  int X(int units) const { return static_cast<int>(std::lround(units * base_x / 4.0)); }
  int Y(int units) const { return static_cast<int>(std::lround(units * base_y / 8.0)); }
  QRect Pixels(const QRect& units) const {
    return QRect(X(units.x()), Y(units.y()), X(units.width()), Y(units.height()));
  }
  int base_x;
  int base_y;
};

void AddBothDialogs() {
  QTest::addColumn<bool>("settings");
  QTest::newRow("main dialog") << false;
  QTest::newRow("settings dialog") << true;
}

// Why a text does not show whole in its widget; empty when it does.
QString TextProblem(QWidget& widget) {
  const QFontMetrics metrics(widget.font());
  if (auto* label = qobject_cast<QLabel*>(&widget)) {
    const QRect area = label->contentsRect();
    const QRect drawn =
        metrics.boundingRect(area, int(label->alignment()) | Qt::TextWordWrap, label->text());
    if (!label->wordWrap() || !area.contains(drawn)) {
      return QString("text needs %1x%2 in %3x%4")
          .arg(drawn.width())
          .arg(drawn.height())
          .arg(area.width())
          .arg(area.height());
    }
  } else if (auto* button = qobject_cast<QPushButton*>(&widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.features = QStyleOptionButton::AutoDefaultButton;
    if (button->isDefault()) {
      option.features |= QStyleOptionButton::DefaultButton;
    }
    const QRect room =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QSize needed(metrics.horizontalAdvance(button->text()), metrics.height());
    if (needed.width() > room.width() || needed.height() > room.height()) {
      return QString("text needs %1x%2 in %3x%4")
          .arg(needed.width())
          .arg(needed.height())
          .arg(room.width())
          .arg(room.height());
    }
  } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
    // The least size at which Qt shows a line of text whole, less the room of one widest letter.
    const QSize least = edit->minimumSizeHint();
    const int text_room = edit->width() - (least.width() - metrics.maxWidth());
    if (least.height() > edit->height() || metrics.horizontalAdvance(edit->text()) > text_room) {
      return QString("a line of text needs a height of %1 in %2")
          .arg(least.height())
          .arg(edit->height());
    }
  }
  return QString();
}

}  // namespace

class DialogLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void dialogUnitsBecomePixelsRoundedAsWindowsDoes_data();
  void dialogUnitsBecomePixelsRoundedAsWindowsDoes();
  void theLayoutFontIsAnEightPointFont();
  void everyControlStandsWhereItsDialogUnitsPutIt_data() { AddBothDialogs(); }
  void everyControlStandsWhereItsDialogUnitsPutIt();
  void theFocusMovesInTemplateOrderFromOk_data() { AddBothDialogs(); }
  void theFocusMovesInTemplateOrderFromOk();
  void everyTextFitsItsControl_data();
  void everyTextFitsItsControl();
  void bothDialogsArePicturedAsPng_data() { AddBothDialogs(); }
  void bothDialogsArePicturedAsPng();
};

void DialogLayoutTest::dialogUnitsBecomePixelsRoundedAsWindowsDoes_data() {
  QTest::addColumn<int>("baseX");
  QTest::addColumn<int>("baseY");
  QTest::addColumn<QRect>("units");
  QTest::addColumn<QRect>("pixels");
  // MS Sans Serif 8 pt on a 96 dpi screen has base units 6 and 13.
  QTest::newRow("main dialog in MS Sans Serif")
      << 6 << 13 << QRect(0, 0, 218, 121) << QRect(0, 0, 327, 197);
  QTest::newRow("a half pixel rounds up")
      << 7 << 13 << QRect(161, 100, 50, 14) << QRect(282, 163, 88, 23);
  QTest::newRow("a quarter pixel rounds down")
      << 7 << 13 << QRect(7, 37, 43, 8) << QRect(12, 60, 75, 13);
}

void DialogLayoutTest::dialogUnitsBecomePixelsRoundedAsWindowsDoes() {
  QFETCH(int, baseX);
  QFETCH(int, baseY);
  QFETCH(QRect, units);
  QFETCH(QRect, pixels);
  QCOMPARE(DialogUnits(baseX, baseY).ToPixels(units), pixels);
}

void DialogLayoutTest::theLayoutFontIsAnEightPointFont() {
  const QFont layout = DialogLayoutFont();
  QCOMPARE(layout.pointSizeF(), 8.0);
  const DialogUnits units = DialogUnits::ForFont(layout);
  const WindowsDialogUnits windows(layout);
  QCOMPARE(units.baseX(), windows.base_x);
  QCOMPARE(units.baseY(), windows.base_y);
}

void DialogLayoutTest::everyControlStandsWhereItsDialogUnitsPutIt() {
  QFETCH(bool, settings);
  DialogUnderTest shown(settings);
  const ExpectedDialog expected = Expected(settings);
  const WindowsDialogUnits units(DialogLayoutFont());

  QCOMPARE(shown.dialog->windowTitle(), QString(expected.caption));
  const QSize size(units.X(expected.units.width()), units.Y(expected.units.height()));
  QCOMPARE(shown.dialog->minimumSize(), size);
  QCOMPARE(shown.dialog->maximumSize(), size);
  shown.dialog->show();
  QCOMPARE(shown.dialog->size(), size);

  const QList<QWidget*> widgets =
      shown.dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  QCOMPARE(widgets.size(), qsizetype(expected.controls.size()));
  for (std::size_t i = 0; i < expected.controls.size(); ++i) {
    const ExpectedControl& control = expected.controls[i];
    QWidget* widget = widgets[static_cast<qsizetype>(i)];  // in the order of creation
    QCOMPARE(widget->objectName(), QString(control.name));
    QCOMPARE(widget->metaObject()->className(), control.className);
    QCOMPARE(widget->property("controlId").toInt(), control.id);
    QCOMPARE(widget->geometry(), units.Pixels(control.units));
    QCOMPARE(widget->property("text").toString(), QString(control.text));
  }
}

void DialogLayoutTest::theFocusMovesInTemplateOrderFromOk() {
  QFETCH(bool, settings);
  DialogUnderTest shown(settings);
  shown.dialog->show();
  auto* ok = shown.dialog->findChild<QPushButton*>("ok");
  QCOMPARE(shown.dialog->focusWidget(), ok);
  QVERIFY(ok->isDefault());
  for (auto* button : shown.dialog->findChildren<QPushButton*>()) {
    QCOMPARE(button->isDefault(), button == ok);
  }

  QStringList order;
  QWidget* widget = ok;
  do {
    if (widget != shown.dialog.get() && (widget->focusPolicy() & Qt::TabFocus)) {
      order.append(widget->objectName());
    }
    widget = widget->nextInFocusChain();
  } while (widget != ok);
  QCOMPARE(order, Expected(settings).tabOrder);
}

void DialogLayoutTest::everyTextFitsItsControl_data() {
  QTest::addColumn<bool>("settings");
  QTest::addColumn<bool>("layoutFamilyOnly");
  QTest::newRow("main dialog") << false << false;
  QTest::newRow("settings dialog") << true << false;
  // As on a machine without a condensed or narrow sans-serif font.
  QTest::newRow("main dialog, layout family only") << false << true;
  QTest::newRow("settings dialog, layout family only") << true << true;
}

void DialogLayoutTest::everyTextFitsItsControl() {
  QFETCH(bool, settings);
  QFETCH(bool, layoutFamilyOnly);
  DialogUnderTest shown(settings);
  if (layoutFamilyOnly) {
    const QFont layout = DialogLayoutFont();
    shown.dialog->setFont(
        ChooseTextFont(DialogUnits::ForFont(layout), layout, {QFontInfo(layout).family()}));
  }
  shown.dialog->show();
  const QFontInfo font(shown.dialog->font());
  qInfo("text font: %s %.1f pt", qPrintable(font.family()), font.pointSizeF());

  for (auto* widget : shown.dialog->findChildren<QWidget*>()) {
    const QString problem = TextProblem(*widget);
    QVERIFY2(problem.isEmpty(), qPrintable(widget->objectName() + ": " + problem));
  }
}

void DialogLayoutTest::bothDialogsArePicturedAsPng() {
  QFETCH(bool, settings);
  DialogUnderTest shown(settings);
  shown.dialog->show();
  QVERIFY(QDir().mkpath(OBSCUT_DIALOG_PICTURES_DIR));
  const QString path = QDir(OBSCUT_DIALOG_PICTURES_DIR)
                           .filePath(settings ? "settings-dialog.png" : "main-dialog.png");

  QVERIFY(shown.dialog->grab().save(path, "PNG"));

  const QImage picture(path);
  QCOMPARE(picture.size(), shown.dialog->size() * shown.dialog->devicePixelRatio());
  // Texts and frames are drawn: far more than a background colour and an edge.
  QSet<QRgb> colours;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      colours.insert(picture.pixel(x, y));
    }
  }
  QVERIFY(colours.size() > 8);
}

}  // namespace obscut::testing

QTEST_MAIN(obscut::testing::DialogLayoutTest)
#include "dialog_layout_test.moc"
