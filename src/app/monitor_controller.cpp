#include "app/monitor_controller.h"

#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "app/message_boxes.h"
#include "app/trend_plot_window.h"
#include "console/control_ids.h"
#include "layout/form_model.h"
#include "models/model_registry.h"
#include "operations/operations.h"
#include "session/session.h"

const char* const MonitorController::kNothingReadYet = "请先读取一次模块数据，再开始监视。";
const char* const MonitorController::kLogWriteFailed = "CSV文件写入失败，已停止记录。";

namespace {

constexpr int kRedrawMs = 250;

// "轮询 12 次（正常 10，超时 1，…），9.8 次/秒"
QString CountersText(const PollCounters& counters, double rate) {
  static const char* const kNames[kPollStatusCount] = {"正常", "超时", "短帧", "校验错", "应答不符",
                                                       "异常", "型号不符", "端口错"};
  QString text = QString::fromUtf8("轮询 %1 次（").arg(counters.polls);
  for (size_t s = 0; s < kPollStatusCount; ++s) {
    if (s) text += QString::fromUtf8("，");
    text += QString::fromUtf8("%1 %2").arg(QString::fromUtf8(kNames[s])).arg(counters.byStatus[s]);
  }
  return text + QString::fromUtf8("），%1 次/秒").arg(rate, 0, 'f', 1);
}

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

// A file that already holds this log is appended to (one of other columns is
// refused), so choosing a file never overwrites anything.
QString ChooseLogFileInDialog(QWidget* owner, const QString& last) {
  QFileDialog dialog(owner, QString::fromUtf8("记录到CSV文件"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilter(QString::fromUtf8("CSV 文件 (*.csv)"));
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  if (!last.isEmpty()) dialog.selectFile(last);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

}  // namespace

MonitorController::MonitorController(QWidget& window, const FormView& form, Session& session, QPlainTextEdit& pane,
                                     QLabel& status)
    : window_(window),
      form_(form),
      session_(session),
      pane_(pane),
      status_(status),
      intervalMs_(TrendPlotWindow::kDefaultIntervalMs),
      chooseLogFile_(ChooseLogFileInDialog) {
  tick_.setSingleShot(true);
  tick_.setTimerType(Qt::PreciseTimer);
  connect(&tick_, &QTimer::timeout, this, &MonitorController::pollNow);
  redraw_.setInterval(kRedrawMs);
}

// Made when monitoring first starts.
TrendPlotWindow& MonitorController::plotWindow() {
  if (plot_) return *plot_;
  plot_ = new TrendPlotWindow(&window_);
  connect(&redraw_, &QTimer::timeout, plot_, &TrendPlotWindow::refresh);
  connect(plot_, &TrendPlotWindow::intervalChanged, this, [this](int ms) { intervalMs_ = ms; });
  connect(plot_, &TrendPlotWindow::loggingToggled, this, &MonitorController::switchLogging);
  connect(plot_, &TrendPlotWindow::stopRequested, this, &MonitorController::stop);
  connect(plot_, &TrendPlotWindow::closed, this, &MonitorController::stop);
  return *plot_;
}

MonitorController::~MonitorController() {
  if (poller_) poller_->stop();
}

void MonitorController::commandStarts(int controlId) {
  status_.hide();  // a command's own report takes over
  if (const ModelEntry* model = FindModelByButton(controlId)) {
    lastModel_ = &model->reader;
    readToolLast_ = false;
  } else if (controlId == ids::kReadRegisters) {
    readToolLast_ = true;
  }
}

bool MonitorController::start() {
  if (poller_) return true;
  std::optional<PollTarget> target;
  if (readToolLast_) {
    const Checked<RegisterBlock> block = ReadToolBlockOf(form_);
    if (!block.ok()) {
      showInfo(block.refusal);  // the tool's own box
      return false;
    }
    target = PollTarget::Registers(block->start, block->count);
  } else if (lastModel_) {
    target = PollTarget::Model(*lastModel_);
  } else {
    showInfo(kNothingReadYet);
  }
  if (!target) return false;

  PollOptions options;
  options.interval = std::chrono::milliseconds(0);  // the timer keeps the interval
  options.station = StationOf(form_);
  pollsShown_ = 0;
  // The poller keeps references into Operations; only its polls, on the worker, use them.
  poller_ = std::make_unique<Poller>(session_.operationsForSetUp().context(), *target, options);
  TrendPlotWindow& plot = plotWindow();
  if (!plot.isVisible()) {
    plot.show();
    PlaceBeside(plot, window_);
  }
  plot.reset(poller_->columns());
  plot.setRunning(true);
  showStatus();
  status_.show();
  redraw_.start();
  emit runningChanged(true);
  tick_.start(0);
  return true;
}

void MonitorController::stop() {
  if (!poller_) return;
  poller_->stop();
  session_.requestCancel();  // a pause inside the poll ends at once
  if (!busy_) finish();  // else the poll's end finishes
}

void MonitorController::pollNow() {
  if (!poller_ || busy_) return;  // a tick inside a poll starts no second one
  pollStart_ = PollResult::Clock::now();
  const uint64_t before = poller_->counters().polls;
  Poller* poller = poller_.get();
  busy_ = session_.submit([poller](Operations&) { poller->pollOnce(); }, [this, before] { pollEnded(before); });
  if (!busy_) schedule();  // the port is held by a command: try again at the next tick
}

void MonitorController::pollEnded(uint64_t pollsBefore) {
  busy_ = false;
  if (!poller_) return;
  if (poller_->counters().polls > pollsBefore) show(poller_->last());
  if (poller_->running()) {
    schedule();
  } else {
    finish();
  }
}

void MonitorController::showInfo(const std::string& text) {
  OpenInfoBox(&window_, QString::fromUtf8(text), [] {});
}

void MonitorController::schedule() {
  const auto due = pollStart_ + std::chrono::milliseconds(intervalMs_);
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - PollResult::Clock::now());
  tick_.start(static_cast<int>(std::max<int64_t>(0, wait.count())));
}

void MonitorController::show(const PollResult& result) {
  lastShown_ = result;
  ++pollsShown_;
  showStatus();
  if (result.status == PollStatus::kOk) {
    refreshPane(result.report);
    plot_->add(result);
  }
  writeLog(result);
}

void MonitorController::showStatus() {
  const QString state = QString::fromUtf8(poller_->running() ? "监视中：" : "监视已停止：");
  status_.setText(state + CountersText(poller_->counters(), poller_->rate()));
}

// The pane keeps where the user scrolled to; only the text changes.
void MonitorController::refreshPane(const std::string& report) {
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

void MonitorController::switchLogging(bool on) {
  if (!on) {
    log_.reset();
    return;
  }
  if (!poller_) return;
  const QString path = chooseLogFile_(plot_, logPath_);
  std::string error;
  if (!path.isEmpty() && poller_) {
    logPath_ = path;
    log_ = CsvLog::OpenFile(path.toStdString(), poller_->columns(), CsvLog::FileMode::kAppend, &error);
  }
  // Polling may have ended while the dialog was open.
  if (log_ && !poller_) log_.reset();
  plot_->setLogging(log_ != nullptr);
  if (!error.empty()) showInfo("无法打开CSV文件：" + error);
}

void MonitorController::writeLog(const PollResult& result) {
  if (!log_ || log_->write(result)) return;
  log_.reset();
  plot_->setLogging(false);
  showInfo(kLogWriteFailed);
}

void MonitorController::finish() {
  tick_.stop();
  redraw_.stop();
  showStatus();
  const bool polled = poller_->counters().polls > 0;
  log_.reset();
  poller_.reset();
  plot_->setRunning(false);
  plot_->refresh();
  if (!polled) plot_->hide();  // nothing reached the module: no trend to look at
  emit runningChanged(false);
}
