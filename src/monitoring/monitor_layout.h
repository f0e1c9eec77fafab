#pragma once
// Where monitoring sits in the main window, in dialog units, for both windows:
// its switch in the free space left of 通信重置, its status strip in the row
// the scan's progress bar uses, which no scan needs meanwhile, across the
// window's width: nothing else is in that row, and a face with wide digits
// needs more than the bar's width for the counters.
#include "layout/dlu_rect.h"
#include "layout/main_window_controls.h"

inline constexpr DluRect kMonitorSwitchRect{586, 380, 29, 12};
inline constexpr DluRect kMonitorStatusRect{kProgressBarRect.x, kProgressBarRect.y,
                                           kMainWindowWidthDlu - 2 * kProgressBarRect.x, kProgressBarRect.height};
