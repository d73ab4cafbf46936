#include "app/dialog_style.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStyle>
#include <QtGlobal>

#include "app/control_text_fit.h"
#include "app/dialog_templates.h"

namespace obscut {
namespace {

constexpr char kTemplateFamily[] = "MS Sans Serif";
constexpr double kTemplatePointSize = 8.0;
constexpr double kSmallestPointSize = 6.0;
constexpr double kPointSizeStep = 0.5;

// Narrow cuts of common sans-serif families, for when the layout family has none of its own.
constexpr const char* kNarrowFamilies[] = {"DejaVu Sans Condensed", "Liberation Sans Narrow",
                                           "Arial Narrow"};

QFont FontOf(const QString& family, double point_size) {
  QFont font(family);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(point_size);
  return font;
}

bool DialogTextsFit(const DialogTemplate& dialog, const DialogUnits& units, const QFont& font,
                    const QStyle& style) {
  for (const ControlTemplate& control : dialog.controls) {
    if (!ControlTextFits(control.kind, QString::fromUtf8(control.text),
                         units.ToPixels(control.bounds).size(), font, style)) {
      return false;
    }
  }
  return true;
}

}  // namespace

QFont DialogLayoutFont() {
  const QStringList installed = QFontDatabase::families();
  if (installed.contains(QString::fromUtf8(kTemplateFamily), Qt::CaseInsensitive)) {
    return FontOf(QString::fromUtf8(kTemplateFamily), kTemplatePointSize);
  }
  const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  return FontOf(QFontInfo(desktop).family(), kTemplatePointSize);
}

QStringList TextFontFamilies(const QFont& layout_font) {
  const QString own = QFontInfo(layout_font).family();
  QStringList wanted = {own, own + QStringLiteral(" Condensed"), own + QStringLiteral(" Narrow")};
  for (const char* family : kNarrowFamilies) {
    wanted.append(QString::fromUtf8(family));
  }
  const QStringList installed = QFontDatabase::families();
  QStringList families;
  for (const QString& family : wanted) {
    if (installed.contains(family, Qt::CaseInsensitive) && !families.contains(family)) {
      families.append(family);
    }
  }
  if (families.isEmpty()) {
    families.append(own);  // a family fontconfig substitutes but does not list
  }
  return families;
}

bool EveryTextFits(const DialogUnits& units, const QFont& text_font) {
  const QStyle& style = *QApplication::style();
  return DialogTextsFit(MainDialogTemplate(), units, text_font, style) &&
         DialogTextsFit(SettingsDialogTemplate(), units, text_font, style);
}

QFont ChooseTextFont(const DialogUnits& units, const QFont& layout_font,
                     const QStringList& families) {
  const double largest =
      layout_font.pointSizeF() > 0 ? layout_font.pointSizeF() : kTemplatePointSize;
  for (double size = largest; size >= kSmallestPointSize; size -= kPointSizeStep) {
    for (const QString& family : families) {
      const QFont candidate = FontOf(family, size);
      if (EveryTextFits(units, candidate)) {
        return candidate;
      }
    }
  }
  qWarning("No font lets every dialog text fit; some texts will be cut off.");
  return FontOf(families.value(0, QFontInfo(layout_font).family()), kSmallestPointSize);
}

DialogStyle ChooseDialogStyle() {
  const QFont layout_font = DialogLayoutFont();
  const DialogUnits units = DialogUnits::ForFont(layout_font);
  return DialogStyle{units, ChooseTextFont(units, layout_font, TextFontFamilies(layout_font))};
}

}  // namespace obscut
