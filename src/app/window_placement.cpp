#include "app/window_placement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace {

int CentredStart(int start, int room, int length) { return start + std::max(0, (room - length) / 2); }

// The frame is known only once the window manager has framed the window;
// before that, the style's title bar height and frame width stand for it.
QMargins FrameOf(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect client = window.geometry();
  if (frame != client) {
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom());
  }
  const QStyle& style = *window.style();
  const int border = style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &window);
  return QMargins(border, style.pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window), border, border);
}

}  // namespace

QPoint CentredFramePosition(const QSize& client, const QMargins& frame, const QRect& available) {
  const QSize outer = client.grownBy(frame);
  return QPoint(CentredStart(available.left(), available.width(), outer.width()),
                CentredStart(available.top(), available.height(), outer.height()));
}

void CentreOnScreen(QWidget& window) {
  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (!screen) screen = window.screen();
  window.move(CentredFramePosition(window.size(), FrameOf(window), screen->availableGeometry()));
}
