#pragma once
#include <QObject>

class QWidget;

// While a command runs, the window keeps repainting (the serial back end and
// the pauses process events), but user input aimed at it is dropped, so a
// second click neither starts a second command nor waits to run afterwards.
// Boxes and dialogs that the command opens are their own windows and stay live.
class InputGate : public QObject {
  Q_OBJECT
 public:
  explicit InputGate(QWidget& window);
  ~InputGate() override;

  bool busy() const { return busy_; }
  void setBusy(bool busy) { busy_ = busy; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  bool busy_ = false;
};
