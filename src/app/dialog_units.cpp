#include "app/dialog_units.h"

#include <QFontMetrics>

namespace obscut {
namespace {

// a * b / c rounded to the nearest integer, halves away from zero (Windows' MulDiv).
int MultiplyDivide(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>((product >= 0 ? product + half : product - half) / c);
}

}  // namespace

DialogUnits DialogUnits::ForFont(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters_width = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return DialogUnits((letters_width / 26 + 1) / 2, metrics.height());
}

int DialogUnits::ToPixelsX(int x) const {
  return MultiplyDivide(x, base_x_, 4);
}

int DialogUnits::ToPixelsY(int y) const {
  return MultiplyDivide(y, base_y_, 8);
}

QRect DialogUnits::ToPixels(const QRect& units) const {
  return QRect(ToPixelsX(units.x()), ToPixelsY(units.y()), ToPixelsX(units.width()),
               ToPixelsY(units.height()));
}

QSize DialogUnits::ToPixels(const QSize& units) const {
  return QSize(ToPixelsX(units.width()), ToPixelsY(units.height()));
}

}  // namespace obscut
