// Preloaded into a Qt program (LD_PRELOAD) to time its cold start: when the
// application object is made it watches for the first paint of a top-level
// widget and, once that whole frame (the children too) is painted, prints the
// monotonic clock, the window's size and the CPU time the process has taken
// ("first-paint NS WIDTHxHEIGHT CPU-NS") and ends the process. The program itself is not changed, so the console and the
// bare dialog are measured alike. With FIRST_PAINT_GRAB=FILE.png it also
// saves the window as drawn, to compare the looks of two builds.
#include <QCoreApplication>
#include <QEvent>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace {

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (seen_ || event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!widget->isWindow()) return false;
    seen_ = true;
    const int width = widget->width();
    const int height = widget->height();
    if (const char* grab = std::getenv("FIRST_PAINT_GRAB")) {
      QPointer<QWidget> window(widget);
      QTimer::singleShot(0, [window, grab] {
        if (window) window->grab().save(QString::fromLocal8Bit(grab));
      });
    }
    // The children of this frame are painted before the queue is looked at again.
    QTimer::singleShot(0, [width, height] {
      timespec now{};
      clock_gettime(CLOCK_MONOTONIC, &now);
      timespec cpu{};
      clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
      const auto ns = [](const timespec& t) { return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec; };
      std::printf("first-paint %lld %dx%d %lld\n", ns(now), width, height, ns(cpu));
      std::fflush(stdout);
      _exit(0);
    });
    return false;
  }

 private:
  bool seen_ = false;
};

void Watch() { QCoreApplication::instance()->installEventFilter(new FirstPaint); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(Watch)
