// obscut-section draws without a display: fonts need a Qt application object, and Qt's
// offscreen platform gives one anywhere.
#pragma once

namespace obscut {

// Chooses Qt's offscreen platform unless QT_QPA_PLATFORM already names one. Call before
// the QGuiApplication is made.
void UseOffscreenPlatformUnlessChosen();

}  // namespace obscut
