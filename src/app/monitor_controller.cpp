#include "app/monitor_controller.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "app/csv_save_option.h"
#include "app/log_file_dialog.h"
#include "app/message_boxes.h"
#include "app/trend_plot_window.h"
#include "monitor/monitor_texts.h"

const TrText MonitorController::kNothingReadYet = ::kNothingReadYet;
const TrText MonitorController::kLogWriteFailed = ::kLogWriteFailed;

namespace {

constexpr int kRedrawMs = 250;

// Beside the main window when the screen has room, else as far right as fits.
void PlaceBeside(QWidget& plot, const QWidget& window) {
  const QRect frame = window.frameGeometry();
  QPoint at(frame.right() + 1, frame.top());
  if (const QScreen* screen = window.screen()) {
    const QRect room = screen->availableGeometry();
    at.setX(std::max(room.left(), std::min(at.x(), room.right() - plot.frameGeometry().width())));
  }
  plot.move(at);
}

}  // namespace

MonitorController::MonitorController(QWidget& window, const FormView& form, Session& session, QPlainTextEdit& pane,
                                     QLabel& status)
    : window_(window),
      pane_(pane),
      status_(status),
      chooseLogFile_(ChooseLogFileInDialog),
      core_(*this, form, session) {
  tick_.setSingleShot(true);
  tick_.setTimerType(Qt::PreciseTimer);
  connect(&tick_, &QTimer::timeout, this, [this] { core_.pollDue(); });
  redraw_.setInterval(kRedrawMs);
}

MonitorController::~MonitorController() = default;

// Made when monitoring first starts.
TrendPlotWindow& MonitorController::plotWindow() {
  if (plot_) return *plot_;
  plot_ = new TrendPlotWindow(&window_);
  connect(&redraw_, &QTimer::timeout, plot_, &TrendPlotWindow::refresh);
  connect(plot_, &TrendPlotWindow::intervalChanged, this, [this](int ms) { core_.setIntervalMs(ms); });
  connect(plot_, &TrendPlotWindow::loggingToggled, this, [this](bool on) { core_.switchLogging(on); });
  connect(plot_, &TrendPlotWindow::stopRequested, this, &MonitorController::stop);
  connect(plot_, &TrendPlotWindow::closed, this, &MonitorController::stop);
  return *plot_;
}

void MonitorController::showInfo(const std::string& text) {
  OpenInfoBox(&window_, QString::fromUtf8(text), [] {});
}

void MonitorController::setStatus(const std::string& text, bool visible) {
  if (visible) status_.setText(QString::fromUtf8(text));
  status_.setVisible(visible);
}

// The pane keeps where the user scrolled to; only the text changes.
void MonitorController::showReport(const std::string& report) {
  QString shown = QString::fromUtf8(report);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (shown == pane_.toPlainText()) return;
  QScrollBar* down = pane_.verticalScrollBar();
  QScrollBar* across = pane_.horizontalScrollBar();
  const int top = down->value();
  const int left = across->value();
  pane_.setPlainText(shown);
  down->setValue(top);
  across->setValue(left);
}

void MonitorController::schedulePoll(int milliseconds) { tick_.start(milliseconds); }

void MonitorController::cancelPoll() { tick_.stop(); }

void MonitorController::trendStarts(const std::vector<QuantityColumn>& columns) {
  TrendPlotWindow& plot = plotWindow();
  if (presentPlot_) {
    presentPlot_(plot);
  } else if (!plot.isVisible()) {
    plot.show();
    PlaceBeside(plot, window_);
  }
  plot.reset(columns);
  plot.setRunning(true);
  redraw_.start();
}

void MonitorController::trendAdd(const PollResult& result) { plot_->add(result); }

void MonitorController::trendEnds(bool polled) {
  redraw_.stop();
  plot_->setRunning(false);
  plot_->refresh();
  if (!polled) plot_->hide();  // nothing reached the module: no trend to look at
}

void MonitorController::setLogging(bool on) { plot_->setLogging(on); }

std::string MonitorController::chooseLogFile(const std::string& last) {
  return chooseLogFile_(plot_, QString::fromStdString(last)).toStdString();
}

bool MonitorController::logByteOrderMark() const { return ByteOrderMarkWanted(); }
