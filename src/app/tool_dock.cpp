#include "app/tool_dock.h"

#include <QCloseEvent>
#include <QEvent>

ToolDock::ToolDock(const QString& title, QWidget* parent) : QDockWidget(title, parent) {
  setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable);
}

void ToolDock::hold(QWidget& tool) {
  if (widget() != &tool) {
    setWidget(&tool);  // a window of its own until now: a child from here
    tool.installEventFilter(this);
  }
  tool.show();
}

void ToolDock::closeEvent(QCloseEvent* event) {
  closing_ = true;
  const bool closed = !widget() || widget()->isHidden() || widget()->close();
  closing_ = false;
  if (!closed) {
    event->ignore();  // the tool's own rule: a run that holds the port
    return;
  }
  QDockWidget::closeEvent(event);
}

void ToolDock::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  if (open_ && (!widget() || widget()->isHidden())) open_();
}

bool ToolDock::eventFilter(QObject* watched, QEvent* event) {
  // Hidden by itself, not with the dock (a tab behind another, the dock closing).
  if (watched == widget() && event->type() == QEvent::Hide && widget()->isHidden() && !closing_ && isVisible())
    hide();
  return QDockWidget::eventFilter(watched, event);
}
