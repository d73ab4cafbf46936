// How the dialogs look on this machine: where their controls go, and the font of their texts.
//
// The templates were drawn for MS Sans Serif 8 pt. Where that font is missing, the desktop's
// sans-serif font at 8 pt takes its place, and its metrics turn the dialog units into pixels.
// Other fonts are wider than MS Sans Serif for the same average letter width, so the texts
// may need a narrower font than the one that sets the geometry: the first of a list of
// families and sizes in which every text of both dialogs fits its control is chosen.
#pragma once

#include <QFont>
#include <QStringList>

#include "app/dialog_units.h"

namespace obscut {

struct DialogStyle {
  DialogUnits units;  // from the layout font
  QFont textFont;     // the font of every control's text
};

// MS Sans Serif 8 pt where it is installed, otherwise the desktop's sans-serif font at 8 pt.
QFont DialogLayoutFont();

// The installed families to draw the texts in, best first: the layout font's own family, then
// condensed and narrow sans-serif families.
QStringList TextFontFamilies(const QFont& layout_font);

// True when every text of both dialogs, in `text_font`, fits its control placed with `units`.
bool EveryTextFits(const DialogUnits& units, const QFont& text_font);

// The largest size from the layout font's own size down to 6 pt, in steps of half a point, at
// which one of `families` (tried in their order) lets every text fit. When none does, the
// smallest size of the first family.
QFont ChooseTextFont(const DialogUnits& units, const QFont& layout_font,
                     const QStringList& families);

DialogStyle ChooseDialogStyle();

}  // namespace obscut
