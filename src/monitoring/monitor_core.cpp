#include "monitoring/monitor_core.h"

#include <algorithm>

#include "console/control_ids.h"
#include "layout/form_model.h"
#include "models/model_registry.h"
#include "monitor/monitor_texts.h"
#include "monitor/trend_data.h"
#include "operations/operations.h"
#include "session/session.h"

MonitorCore::MonitorCore(MonitorFront& front, const FormView& form, Session& session)
    : front_(front), form_(form), session_(session), intervalMs_(kDefaultPollIntervalMs) {}

MonitorCore::~MonitorCore() {
  if (poller_) poller_->stop();
}

void MonitorCore::commandStarts(int controlId) {
  front_.setStatus({}, false);
  if (const ModelEntry* model = FindModelByButton(controlId)) {
    lastModel_ = &model->reader;
    readToolLast_ = false;
  } else if (controlId == ids::kReadRegisters) {
    readToolLast_ = true;
  }
}

bool MonitorCore::start() {
  if (poller_) return true;
  if (session_.busy()) return false;  // a command holds the port
  std::optional<PollTarget> target;
  if (readToolLast_) {
    const Checked<RegisterBlock> block = ReadToolBlockOf(form_);
    if (!block.ok()) {
      front_.showInfo(block.refusal);  // the tool's own box
      return false;
    }
    target = PollTarget::Registers(block->start, block->count);
  } else if (lastModel_) {
    target = PollTarget::Model(*lastModel_);
  } else {
    front_.showInfo(kNothingReadYet);
    return false;
  }

  PollOptions options;
  options.interval = std::chrono::milliseconds(0);  // the front's timer keeps the interval
  options.station = StationOf(form_);
  pollsShown_ = 0;
  lastGoodAt_.reset();
  lastGoodReport_.clear();
  staleBanner_.clear();
  // The poller keeps references into Operations; only its polls, on the worker, use them.
  poller_ = std::make_unique<Poller>(session_.operationsForSetUp().context(), *target, options);
  front_.trendStarts(poller_->columns());
  showStatus();
  front_.monitoringSwitched(true);
  front_.schedulePoll(0);
  return true;
}

void MonitorCore::stop() {
  if (!poller_) return;
  poller_->stop();
  session_.requestCancel();  // a pause inside the poll ends at once
  if (!busy_) finish();  // else the poll's end finishes
}

void MonitorCore::pollDue() {
  if (!poller_ || busy_) return;  // a tick inside a poll starts no second one
  pollStart_ = PollResult::Clock::now();
  const uint64_t before = poller_->counters().polls;
  Poller* poller = poller_.get();
  busy_ = session_.submit([poller](Operations&) { poller->pollOnce(); }, [this, before] { pollEnded(before); });
  if (!busy_) schedule();  // the port is held by a command: try again at the next tick
}

void MonitorCore::pollEnded(uint64_t pollsBefore) {
  busy_ = false;
  if (!poller_) return;
  if (poller_->counters().polls > pollsBefore) show(poller_->last());
  // A box the poll showed may have run a loop of its own (a Win32 box does),
  // in which polling stopped or the next poll began.
  if (!poller_ || busy_) return;
  if (poller_->running()) {
    schedule();
  } else {
    finish();
  }
}

void MonitorCore::schedule() {
  const auto due = pollStart_ + std::chrono::milliseconds(intervalMs_);
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - PollResult::Clock::now());
  front_.schedulePoll(static_cast<int>(std::max<int64_t>(0, wait.count())));
}

void MonitorCore::show(const PollResult& result) {
  lastShown_ = result;
  ++pollsShown_;
  showStatus();
  if (result.status == PollStatus::kOk) {
    staleBanner_.clear();
    lastGoodAt_ = result.wallClock;
    lastGoodReport_ = result.report;
    front_.showReport(result.report);
    front_.trendAdd(result);
  } else {
    showStale(result);
  }
  writeLog(result);
}

// The last good report stays, marked as old, so a silent module is not taken
// for a live one.
void MonitorCore::showStale(const PollResult& failed) {
  staleBanner_ = StaleBannerText(lastGoodAt_, failed.report);
  front_.showReport(lastGoodReport_.empty() ? staleBanner_ : staleBanner_ + "\r\n\r\n" + lastGoodReport_);
}

void MonitorCore::showStatus() {
  front_.setStatus(MonitorStatusText(poller_->running(), poller_->counters(), poller_->rate()), true);
}

void MonitorCore::switchLogging(bool on) {
  if (!on) {
    log_.reset();
    return;
  }
  if (!poller_) return;
  const std::string path = front_.chooseLogFile(logPath_);
  std::string error;
  if (!path.empty() && poller_) {
    logPath_ = path;
    log_ = CsvLog::OpenFile(path, poller_->columns(), CsvLog::FileMode::kAppend, &error, nullptr,
                           front_.logByteOrderMark());
  }
  // Polling may have ended while the dialog was open.
  if (log_ && !poller_) log_.reset();
  front_.setLogging(log_ != nullptr);
  if (!error.empty()) front_.showInfo(kLogOpenFailed + error);
}

void MonitorCore::writeLog(const PollResult& result) {
  if (!log_ || log_->write(result)) return;
  log_.reset();
  front_.setLogging(false);
  front_.showInfo(kLogWriteFailed);
}

void MonitorCore::finish() {
  front_.cancelPoll();
  showStatus();
  const bool polled = poller_->counters().polls > 0;
  log_.reset();
  poller_.reset();
  front_.trendEnds(polled);
  front_.monitoringSwitched(false);
}
