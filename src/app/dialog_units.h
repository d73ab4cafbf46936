// Dialog units: the coordinates of a dialog template, which grow and shrink with the dialog's
// font. A horizontal unit is a quarter of the font's average character width and a vertical
// unit an eighth of its height, so a dialog keeps its proportions whatever font it has.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace obscut {

class DialogUnits {
 public:
  // `base_x` is the average character width and `base_y` the character height, in pixels.
  DialogUnits(int base_x, int base_y) : base_x_(base_x), base_y_(base_y) {}

  // The base units of a font as Windows measures them: the width of the 52 letters A-Z and
  // a-z divided by 52 and rounded to whole pixels, and the font's ascent plus descent.
  static DialogUnits ForFont(const QFont& font);

  int baseX() const { return base_x_; }
  int baseY() const { return base_y_; }

  // x * baseX / 4 and y * baseY / 8, each rounded to the nearest pixel, halves away from zero.
  int ToPixelsX(int x) const;
  int ToPixelsY(int y) const;
  // Each of position and size is converted on its own, as a dialog template's controls are.
  QRect ToPixels(const QRect& units) const;
  QSize ToPixels(const QSize& units) const;

 private:
  int base_x_;
  int base_y_;
};

}  // namespace obscut
