#include "app/discovery_dialog.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/cjk_fonts.h"
#include "console/console.h"
#include "discovery/discovery.h"

namespace {

constexpr int kDialogFontPoints = 9;

QSpinBox* NewSpinBox(int min, int max, int value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(min, max);
  box->setValue(value);
  return box;
}

QPushButton* NewButton(const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setAutoDefault(false);
  return button;
}

QString Setting(const LineSetting& setting) { return QString::fromStdString(SettingText(setting)); }

QString EndNote(DiscoveryEnd end) {
  switch (end) {
    case DiscoveryEnd::kCancelled: return QString::fromUtf8("已取消。\n");
    case DiscoveryEnd::kPortFailed: return QString::fromUtf8("串口出错，查找中止。\n");
    default: return {};
  }
}

QString ScanReport(const StationScan& scan, const LinkState& link, int from, int to) {
  QString text;
  for (const StationFound& found : scan.found)
    text += QStringLiteral("%1\t%2\n").arg(found.station).arg(QString::fromStdString(DescribeStation(found)));
  text += EndNote(scan.end);
  text += QString::fromUtf8("站号 %1–%2，%3：已探测 %4 个，%5 个应答。\n")
              .arg(from)
              .arg(to)
              .arg(Setting({link.baudRate, link.lineFormat}))
              .arg(scan.probed)
              .arg(scan.found.size());
  text += QString::fromUtf8("按第 0 号寄存器判别的型号：%1\n").arg(QString::fromStdString(ModelsTriedText()));
  if (const std::string untried = ModelsUntriedText(); !untried.empty())
    text += QString::fromUtf8("扫描无法判别的型号：%1\n").arg(QString::fromStdString(untried));
  return text;
}

QString DetectionReport(const LineDetection& detection, int station) {
  QString text;
  for (const LineSetting& setting : detection.answered) text += Setting(setting) + QLatin1Char('\n');
  text += EndNote(detection.end);
  if (detection.answered.empty() && detection.end == DiscoveryEnd::kDone)
    text += QString::fromUtf8("站号 %1 在 32 种通讯参数下均无应答。\n").arg(station);
  if (!detection.corrupted.empty()) {
    text += QString::fromUtf8("有设备应答但数据损坏：");
    for (const LineSetting& setting : detection.corrupted) text += Setting(setting) + QString::fromUtf8("；");
    text += QLatin1Char('\n');
  }
  if (detection.parityHidden)
    text += QString::fromUtf8(
        "此串口不传送校验位（伪终端）：仅校验位不同的设置应答相同，无法分辨校验位。\n");
  return text;
}

}  // namespace

// The job's console, except that progress goes to this dialog's bar.
class DiscoveryDialog::ProgressConsole : public Console {
 public:
  ProgressConsole(Console& base, DiscoveryDialog& dialog) : base_(base), dialog_(dialog) {}
  void setPaneText(const std::string& text) override { base_.setPaneText(text); }
  void showInfo(const std::string& text) override { base_.showInfo(text); }
  void showNotice(const std::string& text) override { base_.showNotice(text); }
  bool askWarning(const std::string& text) override { return base_.askWarning(text); }
  void portStateChanged(bool open) override { base_.portStateChanged(open); }
  void lineSettingsChanged(int baudIndex, int formatIndex) override {
    base_.lineSettingsChanged(baudIndex, formatIndex);
  }
  std::optional<std::string> askPort() override { return base_.askPort(); }
  void pause(int milliseconds) override { base_.pause(milliseconds); }
  // Called on the worker: the bar is the dialog's, on its own thread.
  void progress(int done, int total) override {
    QMetaObject::invokeMethod(
        &dialog_, [dialog = &dialog_, done, total] { dialog->showProgress(done, total); }, Qt::QueuedConnection);
  }

 private:
  Console& base_;
  DiscoveryDialog& dialog_;
};

DiscoveryDialog::DiscoveryDialog(CommandRunner run, std::function<void()> cancel, QWidget* parent)
    : QDialog(parent), run_(std::move(run)), cancel_(std::move(cancel)) {
  setWindowTitle(QString::fromUtf8("查找模块（只读，不写入任何模块）"));
  setFont(DialogFont(kDialogFontPoints));

  from_ = NewSpinBox(kFirstStation, kLastStation, kFirstStation, this);
  to_ = NewSpinBox(kFirstStation, kLastStation, kLastStation, this);
  turnaround_ = NewSpinBox(0, 60000, kDefaultTurnaroundMs, this);
  turnaround_->setSuffix(QString::fromUtf8(" 毫秒"));
  station_ = NewSpinBox(kFirstStation, kLastStation, kFirstStation, this);
  scanButton_ = NewButton(QString::fromUtf8("扫描站号"), this);
  detectButton_ = NewButton(QString::fromUtf8("检测通讯参数"), this);
  cancelButton_ = NewButton(QString::fromUtf8("取消"), this);
  closeButton_ = NewButton(QString::fromUtf8("关闭"), this);
  progress_ = new QProgressBar(this);
  progress_->setFormat(QStringLiteral("%v/%m"));
  progress_->setTextVisible(false);  // until a run gives it a total
  results_ = new QPlainTextEdit(this);
  results_->setReadOnly(true);
  results_->setFont(PaneFont());
  // The station and what answered line up as the command line's columns do.
  results_->setTabStopDistance(results_->fontMetrics().horizontalAdvance(QStringLiteral("00000")));

  auto* scanGroup = new QGroupBox(QString::fromUtf8("站号扫描（当前通讯参数）"), this);
  auto* scanForm = new QFormLayout(scanGroup);
  auto* range = new QHBoxLayout;
  range->addWidget(from_);
  range->addWidget(new QLabel(QString::fromUtf8("至"), scanGroup));
  range->addWidget(to_);
  range->addStretch();
  scanForm->addRow(QString::fromUtf8("站号："), range);
  scanForm->addRow(QString::fromUtf8("应答余量："), turnaround_);
  scanForm->addRow(scanButton_);

  auto* detectGroup = new QGroupBox(QString::fromUtf8("通讯参数检测（32 种设置）"), this);
  auto* detectForm = new QFormLayout(detectGroup);
  detectForm->addRow(QString::fromUtf8("站号："), station_);
  detectForm->addRow(detectButton_);

  auto* groups = new QHBoxLayout;
  groups->addWidget(scanGroup, 1);
  groups->addWidget(detectGroup, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(progress_, 1);
  bottom->addWidget(cancelButton_);
  bottom->addWidget(closeButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addWidget(results_, 1);
  layout->addLayout(bottom);
  resize(640, 420);

  connect(scanButton_, &QPushButton::clicked, this, &DiscoveryDialog::scanStations);
  connect(detectButton_, &QPushButton::clicked, this, &DiscoveryDialog::detectLine);
  connect(cancelButton_, &QPushButton::clicked, this, &DiscoveryDialog::requestCancel);
  connect(closeButton_, &QPushButton::clicked, this, &DiscoveryDialog::reject);
  setRunning(false);
}

QString DiscoveryDialog::resultText() const { return results_->toPlainText(); }

void DiscoveryDialog::scanStations() {
  const int from = std::min(from_->value(), to_->value());
  const int to = std::max(from_->value(), to_->value());
  runDiscovery([from, to](OperationContext& ctx, const DiscoveryControl& control) {
    const StationScan scan = ScanStations(ctx, from, to, control);
    return scan.end == DiscoveryEnd::kPortNotOpen ? QString() : ScanReport(scan, ctx.link, from, to);
  });
}

void DiscoveryDialog::detectLine() {
  const int station = station_->value();
  runDiscovery([station](OperationContext& ctx, const DiscoveryControl& control) {
    const LineDetection detection = DetectLine(ctx, station, control);
    const bool refused = detection.end == DiscoveryEnd::kPortNotOpen ||
                         detection.end == DiscoveryEnd::kBadStation ||
                         detection.end == DiscoveryEnd::kLineFixed ||
                         detection.end == DiscoveryEnd::kLineIgnored;
    return refused ? QString() : DetectionReport(detection, station);
  });
}

void DiscoveryDialog::runDiscovery(std::function<QString(OperationContext&, const DiscoveryControl&)> discover) {
  if (running_) return;
  DiscoveryControl control;
  control.turnaroundMs = turnaround_->value();
  control.cancelRequested = [this] { return cancelRequested_.load(); };
  auto report = std::make_shared<QString>();
  setRunning(true);
  results_->clear();
  const bool started = run_(
      [this, control, report, discover = std::move(discover)](Operations& ops) {
        const OperationContext& own = ops.context();
        ProgressConsole console(own.console, *this);
        OperationContext ctx{console, own.link, own.port, own.tx, own.rx};
        *report = discover(ctx, control);
      },
      [this, report] {
        setRunning(false);
        results_->setPlainText(*report);
      });
  if (!started) {
    setRunning(false);
    results_->setPlainText(QString::fromUtf8("串口正被监视或其他操作占用，请稍后再试。\n"));
  }
}

void DiscoveryDialog::requestCancel() {
  cancelRequested_ = true;
  cancel_();
}

void DiscoveryDialog::setRunning(bool running) {
  running_ = running;
  cancelRequested_ = false;
  for (QWidget* w : std::initializer_list<QWidget*>{from_, to_, turnaround_, station_, scanButton_, detectButton_,
                                                    closeButton_})
    w->setEnabled(!running);
  cancelButton_->setEnabled(running);
  if (running) {
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setTextVisible(true);
  }
}

void DiscoveryDialog::showProgress(int done, int total) {
  progress_->setRange(0, std::max(total, 1));
  progress_->setValue(done);
}

void DiscoveryDialog::reject() {
  if (running_) {
    requestCancel();  // Escape during a run asks it to stop; the dialog stays
    return;
  }
  QDialog::reject();
}

void DiscoveryDialog::closeEvent(QCloseEvent* event) {
  if (running_) {
    requestCancel();
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}
