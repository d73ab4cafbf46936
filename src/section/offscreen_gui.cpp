#include "section/offscreen_gui.h"

#include <cstdlib>

namespace obscut {

void UseOffscreenPlatformUnlessChosen() {
  // The last argument 0 keeps a platform the user has set.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

}  // namespace obscut
