#pragma once
// The main window's control table (layout/) and how the Qt window names its widgets.
#include <QString>

#include "layout/main_window_controls.h"

// Object name of the widget with a control id, for lookups by id.
QString ControlName(int id);
