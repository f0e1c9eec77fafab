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

#include "app/qt_text.h"
#include "monitor/monitor_texts.h"

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
  chart->addAxis(timeAxis_, Qt::AlignBottom);
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

TrendPlotWindow::Picks TrendPlotWindow::picks() const {
  Picks picks{{}, minutes_->currentData().toInt()};
  if (data_.columns().empty()) {
    picks.keys = wantedKeys_;
    return picks;
  }
  for (int column : data_.pickedColumns()) picks.keys.push_back(data_.columns()[column].key);
  return picks;
}

void TrendPlotWindow::setPicks(const Picks& picks) {
  wantedKeys_ = picks.keys;
  const int span = minutes_->findData(picks.minutes);
  if (span >= 0) minutes_->setCurrentIndex(span);
  if (data_.columns().empty()) return;
  pickWanted();  // what was seen so far stays
  showPicks();
  rebuildSeries();
}

void TrendPlotWindow::reset(const std::vector<QuantityColumn>& columns) {
  data_.reset(columns);
  pickWanted();
  {
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const QuantityColumn& column : columns) {
      auto* item = new QListWidgetItem(Utf8(column.heading()), list_);
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    }
  }
  showPicks();
  rebuildSeries();
}

// The remembered picks this target has; none of them: its first few.
void TrendPlotWindow::pickWanted() {
  std::vector<int> wanted;
  for (size_t i = 0; i < data_.columns().size(); ++i)
    if (std::find(wantedKeys_.begin(), wantedKeys_.end(), data_.columns()[i].key) != wantedKeys_.end())
      wanted.push_back(static_cast<int>(i));
  if (!wanted.empty()) data_.setPickedColumns(wanted);
}

void TrendPlotWindow::showPicks() {
  const QSignalBlocker quiet(list_);
  for (int i = 0; i < list_->count(); ++i) list_->item(i)->setCheckState(data_.picked(i) ? Qt::Checked : Qt::Unchecked);
}

void TrendPlotWindow::picked(QListWidgetItem* item) {
  if (!data_.pick(list_->row(item), item->checkState() == Qt::Checked)) {
    const QSignalBlocker quiet(list_);
    item->setCheckState(Qt::Unchecked);  // a ninth pick is refused
    return;
  }
  wantedKeys_ = picks().keys;
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
    series_.push_back(series);
  }
  rebuildValueAxes(data_.picture(QDateTime::currentMSecsSinceEpoch(), minutes_->currentData().toInt()));
  refresh();
}

// Each unit its own axis, so amps are not flattened against volts; the curves
// attach to their unit's.
void TrendPlotWindow::rebuildValueAxes(const TrendPicture& picture) {
  QChart* plot = chart();
  for (QValueAxis* axis : valueAxes_) {
    plot->removeAxis(axis);
    delete axis;
  }
  valueAxes_.clear();
  for (size_t a = 0; a < picture.axes.size(); ++a) {
    auto* axis = new QValueAxis(plot);
    axis->setTitleText(Utf8(picture.axes[a].unit));
    plot->addAxis(axis, a % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
    valueAxes_.push_back(axis);
  }
  for (size_t i = 0; i < series_.size() && i < picture.curves.size(); ++i)
    series_[i]->attachAxis(valueAxes_[static_cast<size_t>(picture.curves[i].axis)]);
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
  for (size_t a = 0; a < valueAxes_.size() && a < picture.axes.size(); ++a)
    valueAxes_[a]->setRange(picture.axes[a].low, picture.axes[a].high);
}

void TrendPlotWindow::closeEvent(QCloseEvent* event) {
  emit closed();
  QWidget::closeEvent(event);
}
