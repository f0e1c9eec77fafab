#pragma once
// Monitoring in the Qt window: MonitorCore's timer, boxes, pane, status line
// and trend window. Polls run on the session's worker, one at a time, so the
// event loop runs between and during them.
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "console/texts.h"
#include "monitor/poller.h"
#include "monitoring/monitor_core.h"

class FormView;
class Session;
class QLabel;
class QPlainTextEdit;
class QWidget;
class TrendPlotWindow;

class MonitorController : public QObject, private MonitorFront {
  Q_OBJECT
 public:
  // `status` is the line that shows the counters; `window` owns the boxes and the trend window.
  MonitorController(QWidget& window, const FormView& form, Session& session, QPlainTextEdit& pane, QLabel& status);
  ~MonitorController() override;

  void commandStarts(int controlId) { core_.commandStarts(controlId); }
  bool start() { return core_.start(); }
  void stop() { core_.stop(); }
  bool running() const { return core_.running(); }
  bool busy() const { return core_.busy(); }

  void setIntervalMs(int milliseconds) { core_.setIntervalMs(milliseconds); }
  // Asks for the log file when logging is switched on (the last one offered
  // first); empty: cancelled. A file dialog unless replaced.
  using LogFileChooser = std::function<QString(QWidget* owner, const QString& last)>;
  void setLogFileChooser(LogFileChooser choose) { chooseLogFile_ = std::move(choose); }
  TrendPlotWindow& plotWindow();
  // Shows the trend window when monitoring starts; unset, it opens beside the window.
  void setPlotPresenter(std::function<void(QWidget& plot)> present) { presentPlot_ = std::move(present); }
  const Poller* poller() const { return core_.poller(); }
  const PollResult& lastShown() const { return core_.lastShown(); }
  uint64_t pollsShown() const { return core_.pollsShown(); }
  const std::string& staleBanner() const { return core_.staleBanner(); }

  static const TrText kNothingReadYet;
  static const TrText kLogWriteFailed;

 signals:
  void runningChanged(bool running);

 private:
  void showInfo(const std::string& text) override;
  void setStatus(const std::string& text, bool visible) override;
  void showReport(const std::string& report) override;
  void schedulePoll(int milliseconds) override;
  void cancelPoll() override;
  void trendStarts(const std::vector<QuantityColumn>& columns) override;
  void trendAdd(const PollResult& result) override;
  void trendEnds(bool polled) override;
  void setLogging(bool on) override;
  std::string chooseLogFile(const std::string& last) override;
  bool logByteOrderMark() const override;
  void monitoringSwitched(bool running) override { emit runningChanged(running); }

  QWidget& window_;
  QPlainTextEdit& pane_;
  QLabel& status_;
  TrendPlotWindow* plot_ = nullptr;  // owned by the window
  QTimer tick_;
  QTimer redraw_;
  LogFileChooser chooseLogFile_;
  std::function<void(QWidget& plot)> presentPlot_;
  MonitorCore core_;  // last: its polls report to the members above
};
