#include "app/app_icon.h"

// Resources compiled into a static library are registered by hand; the macro must stand outside
// any namespace.
static void RegisterAppResources() {
  Q_INIT_RESOURCE(obscut);
}

namespace obscut {

QIcon AppIcon() {
  static const bool registered = [] {
    RegisterAppResources();
    return true;
  }();
  (void)registered;
  QIcon icon;
  icon.addFile(QStringLiteral(":/obscut/icon-16.png"), QSize(16, 16));
  icon.addFile(QStringLiteral(":/obscut/icon-32.png"), QSize(32, 32));
  return icon;
}

}  // namespace obscut
