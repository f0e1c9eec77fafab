#pragma once
// Where a top-level window opens: centred on its screen, title bar on screen.
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Top-left corner of the frame that centres a client area of `client` with the
// given frame around it on `available`. A window larger than `available` is
// pinned at its top-left, so that the title bar and its close box stay reachable.
QPoint CentredFramePosition(const QSize& client, const QMargins& frame, const QRect& available);

// Centres a window that is not shown yet on the screen under the mouse pointer
// (where the user started it), or on its own screen. The window manager may
// still move it.
void CentreOnScreen(QWidget& window);
