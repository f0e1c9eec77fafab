#include "app/tool_dock.h"

#include <QCloseEvent>
#include <QEvent>
#include <QScrollArea>

ToolDock::ToolDock(const QString& title, QWidget* parent) : QDockWidget(title, parent) {
  setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable);
}

void ToolDock::hold(QWidget& tool) {
  if (tool_ != &tool) {
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(&tool);  // a window of its own until now: a child from here
    delete widget();
    setWidget(scroll);
    tool_ = &tool;
    tool.installEventFilter(this);
  }
  tool.show();
}

void ToolDock::closeEvent(QCloseEvent* event) {
  closing_ = true;
  const bool closed = !tool_ || tool_->isHidden() || tool_->close();
  closing_ = false;
  if (!closed) {
    event->ignore();  // the tool's own rule: a run that holds the port
    return;
  }
  QDockWidget::closeEvent(event);
}

void ToolDock::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  if (open_ && (!tool_ || tool_->isHidden())) open_();
}

bool ToolDock::eventFilter(QObject* watched, QEvent* event) {
  // Hidden by itself, not with the dock (a tab behind another, the dock closing).
  if (watched == tool_ && event->type() == QEvent::Hide && tool_->isHidden() && !closing_ && isVisible())
    hide();
  return QDockWidget::eventFilter(watched, event);
}
