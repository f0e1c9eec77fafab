#pragma once
// Modal boxes and dialogs run their own event loops: a test arms a timer
// before the call that blocks, and the timer acts on the window once shown.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <algorithm>
#include <functional>
#include <vector>

#include "app/template_group_box.h"

namespace apptest {

inline constexpr int kPollMs = 10;
inline constexpr int kGiveUpMs = 15000;  // so that a hang fails instead of waiting forever

// Acts once on the next visible modal window of type W.
template <typename W>
void WhenModal(std::function<void(W*)> act) {
  auto* timer = new QTimer;
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(timer, &QTimer::timeout, [timer, clock, act] {
    auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
    const bool ready = window && window->isVisible();
    if (!ready && clock->elapsed() < kGiveUpMs) return;
    timer->stop();
    timer->deleteLater();
    delete clock;
    if (ready) act(window);
  });
  timer->start(kPollMs);
}

// Texts of a window's labels, buttons and group boxes that do not fit where
// the style draws them (too wide, or a line taller than a label) or that another
// control covers, for a failure message.
inline QStringList CutOffTexts(QWidget* window) {
  QStringList cut;
  const auto check = [&cut, window](QWidget* w, const QString& text, const QRect& room) {
    const QFontMetrics metrics(w->font(), w);
    if (metrics.horizontalAdvance(text) > room.width() || !w->rect().contains(room)) cut << text;
    if (qobject_cast<QPushButton*>(w)) return;
    // Labels and group boxes lie beneath their neighbours, which must leave the text clear.
    const QRect placed = room.translated(w->pos());
    for (QWidget* sibling : w->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (sibling != w && sibling->isVisibleTo(window) && !qobject_cast<QGroupBox*>(sibling) &&
          sibling->geometry().intersects(placed)) {
        cut << text + " (under " + sibling->objectName() + ")";
      }
    }
  };
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window)) continue;
    if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull()) {
      const QFontMetrics metrics(w->font(), w);
      check(w, label->text(), QRect(0, 0, metrics.horizontalAdvance(label->text()), metrics.lineSpacing()));
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
      QStyleOptionButton option;
      option.initFrom(button);
      option.text = button->text();
      check(w, button->text(), w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w));
    } else if (auto* group = qobject_cast<TemplateGroupBox*>(w)) {
      check(w, group->title(), group->titleRect());
    } else if (auto* other = qobject_cast<QGroupBox*>(w)) {
      cut << other->title() + " (not drawn as the templates expect)";
    }
  }
  return cut;
}

inline QPushButton* ButtonWithText(QWidget* window, const QString& text) {
  for (QPushButton* button : window->findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

// Answers every message box shown while it lives, and records what it saw.
class BoxAnswerer {
 public:
  struct Seen {
    QString title;
    QString text;
    QStringList buttons;
    QMessageBox::Icon icon;
    QWidget* owner;
    int width;       // of the box as shown
    int titleWidth;  // of its title in the box's font
    bool buttonIcons;
    QString defaultButton;  // what Enter would press
  };

  explicit BoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok) : answer_(answer) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { answerVisibleBox(); });
    timer_.start(kPollMs);
  }

  std::vector<Seen> seen;

 private:
  void answerVisibleBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    QStringList buttons;
    bool buttonIcons = false;
    for (QAbstractButton* b : box->buttons()) {
      buttons << b->text();
      buttonIcons = buttonIcons || !b->icon().isNull();
    }
    const int titleWidth = QFontMetrics(box->font()).horizontalAdvance(box->windowTitle());
    seen.push_back({box->windowTitle(), box->text(), buttons, box->icon(), box->parentWidget(), box->width(),
                    titleWidth, buttonIcons, box->defaultButton() ? box->defaultButton()->text() : QString()});
    QAbstractButton* chosen = box->button(answer_);
    (chosen ? chosen : box->buttons().front())->click();
  }

  QMessageBox::StandardButton answer_;
  QTimer timer_;
};

// Closes any modal window left open for long (a fault that would otherwise
// hang the run) and names it, so the test fails instead.
class StrayModalCloser {
 public:
  static constexpr int kPatienceMs = 4000;

  StrayModalCloser() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { closeStray(); });
    timer_.start(50);
  }

  QStringList closed;

 private:
  void closeStray() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog != current_) {
      current_ = dialog;
      since_.start();
      return;
    }
    if (!dialog || since_.elapsed() < kPatienceMs) return;
    closed << dialog->windowTitle();
    dialog->reject();
  }

  QTimer timer_;
  QDialog* current_ = nullptr;
  QElapsedTimer since_;
};

// The longest the event loop went without running a 10 ms timer, leaving out
// the moments a message box was being opened or shown (its own drawing is not
// a wait on the port).
class LoopGapMeter {
 public:
  LoopGapMeter() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    clock_.start();
    timer_.start(10);
  }
  qint64 longestMs() const { return longest_; }

 private:
  void tick() {
    const bool box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
    const qint64 now = clock_.elapsed();
    if (!box && !boxBefore_) longest_ = std::max(longest_, now - last_);
    last_ = now;
    boxBefore_ = box;
  }

  QTimer timer_;
  QElapsedTimer clock_;
  qint64 last_ = 0;
  qint64 longest_ = 0;
  bool boxBefore_ = false;
};

// Waits, with the event loop running, until `done` holds; false when it never does.
inline bool WaitUntil(const std::function<bool()>& done) { return QTest::qWaitFor(done, kGiveUpMs); }

// Waits until the window's command (on the session's worker) has ended and
// all it said is shown.
template <class Window>
void WaitForCommand(Window& window) {
  WaitUntil([&window] { return !window.commandRunning(); });
}

}  // namespace apptest
