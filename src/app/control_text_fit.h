// Whether the text of a control shows whole: the test that picks the dialogs' font.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QStyle>

#include "app/dialog_templates.h"

namespace obscut {

// True when `text`, drawn in `font`, fits a control of this kind that is `size` pixels large:
// on one line inside the frame of a button or an edit field, and for static text within the
// control's height once wrapped at the ends of words. The frames are `style`'s.
bool ControlTextFits(ControlKind kind, const QString& text, const QSize& size, const QFont& font,
                     const QStyle& style);

}  // namespace obscut
