#pragma once
// Monitoring as a window runs it, for both windows: the target from the last
// command (a model's button or the read tool's block), one poll at a time as a
// job on the session's worker, the next one due at the last one's start plus
// the interval, the CSV log switched on and off, and the status strip's text.
// The window supplies its timer, its boxes, its pane and its trend window
// through MonitorFront; everything runs on the window's thread.
#include <cstdint>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console/text.h"
#include "monitor/csv_log.h"
#include "monitor/poller.h"

class FormView;
class Session;
struct ReaderModel;

class MonitorFront {
 public:
  virtual ~MonitorFront() = default;
  // An information box (提示), not waited for.
  virtual void showInfo(const std::string& text) = 0;
  virtual void setStatus(const std::string& text, bool visible) = 0;
  // An ok poll's report: the pane shows it, keeping where the user scrolled to.
  // While polls fail it is the last ok report under the stale banner.
  virtual void showReport(const std::string& report) = 0;
  // One shot: call MonitorCore::pollDue() in `milliseconds`; a new call replaces it.
  virtual void schedulePoll(int milliseconds) = 0;
  virtual void cancelPoll() = 0;
  // The trend window for a target: shown (placed beside the window when it
  // was hidden), emptied for these columns, its Stop and log switch live.
  virtual void trendStarts(const std::vector<QuantityColumn>& columns) = 0;
  virtual void trendAdd(const PollResult& result) = 0;
  // Polling ended: Stop and the log switch grey, the switch off; the trend is
  // hidden when nothing was polled (nothing reached the module).
  virtual void trendEnds(bool polled) = 0;
  // The log switch shows this, without telling anyone.
  virtual void setLogging(bool on) = 0;
  // The log file, the one chosen last offered first; empty: cancelled. It
  // never asks before overwriting: a log is only ever appended to.
  virtual std::string chooseLogFile(const std::string& last) = 0;
  // Whether a log started in the file just chosen begins with a byte-order mark.
  virtual bool logByteOrderMark() const { return kByteOrderMarkByDefault; }
  virtual void monitoringSwitched(bool running) = 0;
};

class MonitorCore {
 public:
  // The station and the read tool's block are read from `form` when polling starts.
  MonitorCore(MonitorFront& front, const FormView& form, Session& session);
  ~MonitorCore();
  MonitorCore(const MonitorCore&) = delete;
  MonitorCore& operator=(const MonitorCore&) = delete;

  // A command is about to run from the control `controlId`: a model's button or
  // the read tool become what monitoring polls; the command's report takes
  // over from the status strip.
  void commandStarts(int controlId);

  // Starts polling; false when a command holds the port, or, after a box, when
  // nothing has been read yet or the read tool's fields are refused.
  bool start();
  // Ends polling: at once, or when the exchange under way returns.
  void stop();
  // The front's timer came due.
  void pollDue();
  // The trend window's log switch.
  void switchLogging(bool on);

  bool running() const { return poller_ != nullptr; }
  bool busy() const { return busy_; }  // a poll is on the worker
  void setIntervalMs(int milliseconds) { intervalMs_ = milliseconds; }
  int intervalMs() const { return intervalMs_; }
  bool logging() const { return log_ != nullptr; }

  const Poller* poller() const { return poller_.get(); }
  // The last poll shown, kept on the window's side: the poller's own changes
  // on the worker while the next poll runs.
  const PollResult& lastShown() const { return lastShown_; }
  uint64_t pollsShown() const { return pollsShown_; }  // since polling last started
  // The banner over the pane's report since a poll failed; empty once an ok
  // poll came (or before any failed).
  const std::string& staleBanner() const { return staleBanner_; }

 private:
  void pollEnded(uint64_t pollsBefore);
  void schedule();
  void show(const PollResult& result);
  void showStale(const PollResult& failed);
  void showStatus();
  void writeLog(const PollResult& result);
  void finish();

  MonitorFront& front_;
  const FormView& form_;
  Session& session_;
  const ReaderModel* lastModel_ = nullptr;
  bool readToolLast_ = false;
  int intervalMs_;
  bool busy_ = false;
  PollResult::Clock::time_point pollStart_{};
  std::unique_ptr<Poller> poller_;
  PollResult lastShown_;
  uint64_t pollsShown_ = 0;
  std::optional<std::chrono::system_clock::time_point> lastGoodAt_;  // in this run
  std::string lastGoodReport_;
  std::string staleBanner_;
  std::unique_ptr<CsvLog> log_;
  std::string logPath_;  // the file chosen last, offered first when logging is switched on again
};
