// Draws a prepared record section into a picture with QPainter: the traces as wiggles or a
// grey image, a frame with ticks, axis captions and the title.
#pragma once

#include <QImage>

#include "section/prepared_section.h"

namespace obscut {

// A grey-scale picture of `width` x `height` pixels on white. Needs a QGuiApplication for the
// fonts.
QImage DrawSection(const PreparedSection& section, DrawStyle style, int width, int height);

}  // namespace obscut
