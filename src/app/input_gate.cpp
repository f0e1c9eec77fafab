#include "app/input_gate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
      return true;
    default:
      return false;
  }
}

}  // namespace

InputGate::InputGate(QWidget& window) : window_(window) {
  QCoreApplication::instance()->installEventFilter(this);
}

InputGate::~InputGate() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
  if (!busy_ || !IsUserInput(event->type()) || !watched->isWidgetType()) return false;
  return static_cast<QWidget*>(watched)->window() == &window_;
}
