#include "app/main_window_layout.h"

QString ControlName(int id) { return QStringLiteral("control%1").arg(id); }
