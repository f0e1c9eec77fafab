#pragma once
// The fonts of the windows: a CJK sans for the dialogs, a CJK serif for the pane.
#include <QFont>

// Noto Sans CJK SC (or the closest CJK sans fontconfig offers) at the given size.
QFont DialogFont(int pointSize);
// "宋体" 10 pt where installed, else a CJK serif of the same size.
QFont PaneFont();
