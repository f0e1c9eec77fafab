#include "app/trend_plot_window.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

constexpr int kMinuteChoices[] = {1, 5, 15, 60};
constexpr int kDefaultMinutesIndex = 1;
constexpr int kIntervalChoicesMs[] = {0, 200, 500, 1000, 2000, 5000};
// Enough for the longest axis at one poll a second; faster polling keeps less time.
constexpr size_t kSamplesKept = 7200;
constexpr qint64 kLongestSpanMs = 60 * 60 * 1000;

QString IntervalText(int ms) {
  return ms == 0 ? QString::fromUtf8("连续") : QString::fromUtf8("%1 毫秒").arg(ms);
}

}  // namespace

TrendPlotWindow::TrendPlotWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
  setWindowTitle(QString::fromUtf8("监视趋势"));
  list_ = new QListWidget(this);
  list_->setMaximumWidth(220);
  minutes_ = new QComboBox(this);
  for (int minutes : kMinuteChoices) minutes_->addItem(QString::fromUtf8("最近 %1 分钟").arg(minutes), minutes);
  minutes_->setCurrentIndex(kDefaultMinutesIndex);
  interval_ = new QComboBox(this);
  for (int ms : kIntervalChoicesMs) interval_->addItem(IntervalText(ms), ms);
  interval_->setCurrentIndex(interval_->findData(kDefaultIntervalMs));
  logSwitch_ = new QCheckBox(QString::fromUtf8("记录到CSV文件"), this);
  stop_ = new QPushButton(QString::fromUtf8("停止监视"), this);
  stop_->setAutoDefault(false);

  view_ = new QChartView(newChart(), this);
  view_->setRenderHint(QPainter::Antialiasing);

  auto* controls = new QHBoxLayout;
  controls->addWidget(new QLabel(QString::fromUtf8("时间轴:"), this));
  controls->addWidget(minutes_);
  controls->addWidget(new QLabel(QString::fromUtf8("间隔:"), this));
  controls->addWidget(interval_);
  controls->addWidget(logSwitch_);
  controls->addStretch();
  controls->addWidget(stop_);
  auto* side = new QVBoxLayout;
  side->addWidget(new QLabel(QString::fromUtf8("曲线(最多%1项):").arg(kMaxPicked), this));
  side->addWidget(list_);
  auto* body = new QHBoxLayout;
  body->addLayout(side);
  body->addWidget(view_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addLayout(body, 1);
  resize(820, 520);

  connect(list_, &QListWidget::itemChanged, this, &TrendPlotWindow::picked);
  connect(minutes_, &QComboBox::currentIndexChanged, this, &TrendPlotWindow::refresh);
  connect(interval_, &QComboBox::currentIndexChanged, this, [this] { emit intervalChanged(intervalMs()); });
  connect(logSwitch_, &QCheckBox::toggled, this, &TrendPlotWindow::loggingToggled);
  connect(stop_, &QPushButton::clicked, this, &TrendPlotWindow::stopRequested);
}

TrendPlotWindow::~TrendPlotWindow() = default;

QChart* TrendPlotWindow::newChart() {
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  // Time runs up to 0, now; a wall-clock axis lost its labels as it moved.
  timeAxis_ = new QValueAxis(chart);
  timeAxis_->setLabelFormat(QStringLiteral("%d"));
  valueAxis_ = new QValueAxis(chart);
  chart->addAxis(timeAxis_, Qt::AlignBottom);
  chart->addAxis(valueAxis_, Qt::AlignLeft);
  return chart;
}

QChart* TrendPlotWindow::chart() const { return view_->chart(); }

int TrendPlotWindow::intervalMs() const { return interval_->currentData().toInt(); }

void TrendPlotWindow::setLogging(bool on) {
  const QSignalBlocker quiet(logSwitch_);
  logSwitch_->setChecked(on);
}

void TrendPlotWindow::setRunning(bool running) {
  logSwitch_->setEnabled(running);
  stop_->setEnabled(running);
  if (!running) setLogging(false);
}

void TrendPlotWindow::reset(const std::vector<QuantityColumn>& columns) {
  columns_ = columns;
  seen_.assign(columns.size(), {});
  {
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (size_t i = 0; i < columns.size(); ++i) {
      auto* item = new QListWidgetItem(QString::fromStdString(columns[i].heading()), list_);
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(i < kInitiallyPicked ? Qt::Checked : Qt::Unchecked);
    }
  }
  rebuildSeries();
}

std::vector<int> TrendPlotWindow::pickedColumns() const {
  std::vector<int> picked;
  for (int i = 0; i < list_->count(); ++i)
    if (list_->item(i)->checkState() == Qt::Checked) picked.push_back(i);
  return picked;
}

void TrendPlotWindow::picked(QListWidgetItem* item) {
  if (item->checkState() == Qt::Checked && pickedColumns().size() > kMaxPicked) {
    const QSignalBlocker quiet(list_);
    item->setCheckState(Qt::Unchecked);  // a ninth pick is refused
    return;
  }
  rebuildSeries();
}

void TrendPlotWindow::rebuildSeries() {
  QChart* plot = chart();
  plot->removeAllSeries();
  series_.clear();
  for (int column : pickedColumns()) {
    auto* series = new QLineSeries;
    series->setName(QString::fromStdString(columns_[column].heading()));
    plot->addSeries(series);
    series->attachAxis(timeAxis_);
    series->attachAxis(valueAxis_);
    series_.emplace_back(column, series);
  }
  refresh();
}

void TrendPlotWindow::add(const PollResult& result) {
  const qint64 ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(result.wallClock.time_since_epoch()).count();
  std::unordered_map<std::string, double> valueOf;
  for (const Quantity& q : result.quantities) valueOf[q.key] = q.value;
  for (size_t i = 0; i < columns_.size(); ++i) {
    const auto found = valueOf.find(columns_[i].key);
    if (found == valueOf.end()) continue;  // a line this module's firmware lacks
    std::deque<Sample>& samples = seen_[i];
    samples.push_back({ms, found->second});
    while (samples.size() > kSamplesKept || ms - samples.front().ms > kLongestSpanMs) samples.pop_front();
  }
}

void TrendPlotWindow::refresh() {
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  const int minutes = minutes_->currentData().toInt();
  const qint64 from = now - qint64{minutes} * 60 * 1000;
  // Seconds for the short spans, minutes for the long ones; ticks on round numbers.
  const bool inMinutes = minutes >= 15;
  const double unitMs = inMinutes ? 60000.0 : 1000.0;
  timeAxis_->setTitleText(QString::fromUtf8(inMinutes ? "分钟（0 为此刻）" : "秒（0 为此刻）"));
  timeAxis_->setTickCount(minutes == 5 || minutes == 15 ? 6 : 5);
  timeAxis_->setRange(static_cast<double>(from - now) / unitMs, 0);
  double low = 0;
  double high = 0;
  bool any = false;
  for (auto& [column, series] : series_) {
    QList<QPointF> points;
    for (const Sample& s : seen_[column]) {
      if (s.ms < from) continue;
      points.append(QPointF(static_cast<qreal>(s.ms - now) / unitMs, s.value));
      low = any ? std::min(low, s.value) : s.value;
      high = any ? std::max(high, s.value) : s.value;
      any = true;
    }
    series->replace(points);
  }
  const double margin = std::max((high - low) * 0.05, std::max(std::abs(high), 1.0) * 0.01);
  valueAxis_->setRange(low - margin, high + margin);
}

void TrendPlotWindow::closeEvent(QCloseEvent* event) {
  emit closed();
  QWidget::closeEvent(event);
}
