#pragma once
// Monitoring in the window: polls the last model read (or the read tool's
// register block) from a timer, so the event loop runs between polls; shows
// each poll in the pane, a status line and the trend window; writes the CSV log
// while it is switched on.
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "monitor/csv_log.h"
#include "monitor/poller.h"

class FormView;
class Session;
class QLabel;
class QPlainTextEdit;
class QWidget;
class TrendPlotWindow;
struct ReaderModel;

class MonitorController : public QObject {
  Q_OBJECT
 public:
  // `status` is the line that shows the counters; `window` owns the boxes and the trend window.
  // The station and the read tool's block are read from `form` when polling starts.
  // Each poll is a job on `session`'s worker.
  MonitorController(QWidget& window, const FormView& form, Session& session, QPlainTextEdit& pane, QLabel& status);
  ~MonitorController() override;

  // A command is about to run from the control `controlId`: a model's button or
  // the read tool become what monitoring polls.
  void commandStarts(int controlId);

  // Starts polling; false, after a box, when nothing has been read yet or the
  // read tool's fields are refused.
  bool start();
  // Ends polling: at once, or when the exchange under way returns.
  void stop();
  bool running() const { return poller_ != nullptr; }
  // True while a poll is on the worker.
  bool busy() const { return busy_; }

  void setIntervalMs(int milliseconds) { intervalMs_ = milliseconds; }
  // Asks for the log file when logging is switched on (the last one offered
  // first); empty: cancelled. A file dialog unless replaced.
  using LogFileChooser = std::function<QString(QWidget* owner, const QString& last)>;
  void setLogFileChooser(LogFileChooser choose) { chooseLogFile_ = std::move(choose); }
  TrendPlotWindow& plotWindow();
  const Poller* poller() const { return poller_.get(); }
  // The last poll shown, kept on the window's side: the poller's own changes
  // on the worker while the next poll runs.
  const PollResult& lastShown() const { return lastShown_; }
  uint64_t pollsShown() const { return pollsShown_; }

  static const char* const kNothingReadYet;
  static const char* const kLogWriteFailed;

 signals:
  void runningChanged(bool running);

 private:
  void pollNow();
  void pollEnded(uint64_t pollsBefore);
  void showInfo(const std::string& text);
  void schedule();
  void show(const PollResult& result);
  void showStatus();
  void refreshPane(const std::string& report);
  void switchLogging(bool on);
  void writeLog(const PollResult& result);
  void finish();

  QWidget& window_;
  const FormView& form_;
  Session& session_;
  QPlainTextEdit& pane_;
  QLabel& status_;
  TrendPlotWindow* plot_ = nullptr;  // owned by the window
  QTimer tick_;
  QTimer redraw_;
  const ReaderModel* lastModel_ = nullptr;
  bool readToolLast_ = false;
  int intervalMs_;
  bool busy_ = false;
  PollResult::Clock::time_point pollStart_{};
  std::unique_ptr<Poller> poller_;
  PollResult lastShown_;
  uint64_t pollsShown_ = 0;  // since polling last started
  std::unique_ptr<CsvLog> log_;
  QString logPath_;  // the file chosen last, offered first when logging is switched on again
  LogFileChooser chooseLogFile_;
};
