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

#include "monitor/monitor_texts.h"

namespace {

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TrendPlotWindow::TrendPlotWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
  setWindowTitle(QString::fromUtf8(kTrendTitle.text()));
  list_ = new QListWidget(this);
  list_->setMaximumWidth(220);
  minutes_ = new QComboBox(this);
  for (int minutes : kTrendMinuteChoices) minutes_->addItem(Utf8(TrendSpanText(minutes)), minutes);
  minutes_->setCurrentIndex(kTrendDefaultMinutesIndex);
  interval_ = new QComboBox(this);
  for (int ms : kPollIntervalChoicesMs) interval_->addItem(Utf8(PollIntervalText(ms)), ms);
  interval_->setCurrentIndex(interval_->findData(kDefaultPollIntervalMs));
  logSwitch_ = new QCheckBox(QString::fromUtf8(kLogSwitchText.text()), this);
  stop_ = new QPushButton(QString::fromUtf8(kStopMonitorText.text()), this);
  stop_->setAutoDefault(false);

  view_ = new QChartView(newChart(), this);
  view_->setRenderHint(QPainter::Antialiasing);

  auto* controls = new QHBoxLayout;
  controls->addWidget(new QLabel(QString::fromUtf8(kTrendSpanLabel.text()), this));
  controls->addWidget(minutes_);
  controls->addWidget(new QLabel(QString::fromUtf8(kTrendIntervalLabel.text()), this));
  controls->addWidget(interval_);
  controls->addWidget(logSwitch_);
  controls->addStretch();
  controls->addWidget(stop_);
  auto* side = new QVBoxLayout;
  side->addWidget(new QLabel(Utf8(CurvesLabel()), this));
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
  data_.reset(columns);
  {
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (size_t i = 0; i < columns.size(); ++i) {
      auto* item = new QListWidgetItem(Utf8(columns[i].heading()), list_);
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(data_.picked(static_cast<int>(i)) ? Qt::Checked : Qt::Unchecked);
    }
  }
  rebuildSeries();
}

void TrendPlotWindow::picked(QListWidgetItem* item) {
  if (!data_.pick(list_->row(item), item->checkState() == Qt::Checked)) {
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
  for (int column : data_.pickedColumns()) {
    auto* series = new QLineSeries;
    series->setName(Utf8(data_.columns()[column].heading()));
    plot->addSeries(series);
    series->attachAxis(timeAxis_);
    series->attachAxis(valueAxis_);
    series_.push_back(series);
  }
  refresh();
}

void TrendPlotWindow::add(const PollResult& result) { data_.add(result); }

void TrendPlotWindow::refresh() {
  const TrendPicture picture = data_.picture(QDateTime::currentMSecsSinceEpoch(), minutes_->currentData().toInt());
  timeAxis_->setTitleText(QString::fromUtf8(picture.timeTitle));
  timeAxis_->setTickCount(picture.tickCount);
  timeAxis_->setRange(picture.from, 0);
  for (size_t i = 0; i < series_.size() && i < picture.curves.size(); ++i) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(picture.curves[i].points.size()));
    for (const TrendPoint& p : picture.curves[i].points) points.append(QPointF(p.x, p.y));
    series_[i]->replace(points);
  }
  valueAxis_->setRange(picture.low, picture.high);
}

void TrendPlotWindow::closeEvent(QCloseEvent* event) {
  emit closed();
  QWidget::closeEvent(event);
}
