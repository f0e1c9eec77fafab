#pragma once
// The monitor's own window: a trend of up to 8 quantities the user picks from
// the target's columns over the last N minutes, the poll interval, the CSV log
// switch and a Stop button. It keeps the values it has seen for every column,
// so a quantity picked later shows its past as well.
#include <QWidget>
#include <string>
#include <vector>

#include "monitor/poller.h"
#include "monitor/trend_data.h"

class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QLineSeries;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QValueAxis;

class TrendPlotWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMaxPicked = TrendData::kMaxPicked;

  explicit TrendPlotWindow(QWidget* owner);
  ~TrendPlotWindow() override;

  // Starts afresh for a new target: its columns, nothing seen yet.
  void reset(const std::vector<QuantityColumn>& columns);
  // An ok poll's values, at its wall-clock time.
  void add(const PollResult& result);
  // Moves the time axis to now and redraws the picked series.
  void refresh();

  int intervalMs() const;
  // What the user picked, to be remembered between runs: the picked columns'
  // keys and the span in minutes. Picks apply to the next target that has
  // those keys; a span not offered is ignored.
  struct Picks {
    std::vector<std::string> keys;
    int minutes = kTrendMinuteChoices[kTrendDefaultMinutesIndex];
  };
  Picks picks() const;
  void setPicks(const Picks& picks);
  void setLogging(bool on);  // the switch, without telling anyone
  void setRunning(bool running);

  QListWidget* quantityList() const { return list_; }
  QChart* chart() const;
  QCheckBox* logSwitch() const { return logSwitch_; }
  QComboBox* minutesCombo() const { return minutes_; }
  QPushButton* stopButton() const { return stop_; }

 signals:
  void loggingToggled(bool on);
  void intervalChanged(int milliseconds);
  void stopRequested();
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QChart* newChart();
  void picked(QListWidgetItem* item);
  void pickWanted();
  void showPicks();
  void rebuildSeries();
  void rebuildValueAxes(const TrendPicture& picture);

  TrendData data_;
  std::vector<QLineSeries*> series_;  // one per picked column, in column order
  QListWidget* list_ = nullptr;
  QComboBox* minutes_ = nullptr;
  QComboBox* interval_ = nullptr;
  QCheckBox* logSwitch_ = nullptr;
  QPushButton* stop_ = nullptr;
  QChartView* view_ = nullptr;
  QValueAxis* timeAxis_ = nullptr;  // seconds before now
  std::vector<QValueAxis*> valueAxes_;  // one per unit of the picked curves, alternating left and right
  std::vector<std::string> wantedKeys_;  // picks to apply when a target has these columns
};
