#pragma once
// Where monitoring sits in the main window, in dialog units, for both windows:
// its switch in the free space left of 通信重置, its status strip in the strip
// the scan's progress bar uses, which no scan needs meanwhile.
#include "layout/dlu_rect.h"
#include "layout/main_window_controls.h"

inline constexpr DluRect kMonitorSwitchRect{586, 380, 29, 12};
inline constexpr DluRect kMonitorStatusRect = kProgressBarRect;
