// The application icon: seismic wiggle traces, 16 x 16 and 32 x 32 pixels in 16 colours.
#pragma once

#include <QIcon>

namespace obscut {

QIcon AppIcon();

}  // namespace obscut
