#include "app/app_icon.h"

// Outside any namespace, as Q_INIT_RESOURCE requires.
static void LoadResources() { Q_INIT_RESOURCE(resources); }

QIcon AppIcon() {
  // The resources live in a static library: the linker keeps them only when asked.
  static const bool loaded = (LoadResources(), true);
  (void)loaded;
  return QIcon(QStringLiteral(":/icons/dolvane.png"));
}
