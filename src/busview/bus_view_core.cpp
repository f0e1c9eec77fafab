#include "busview/bus_view_core.h"

#include <algorithm>

#include "bus/atomic_file.h"
#include "console/text.h"
#include "monitor/csv_log.h"
#include "models/model_registry.h"
#include "monitor/monitor_texts.h"
#include "operations/operations.h"
#include "session/session.h"
#include "console/texts.h"

BusViewCore::Shown BusViewCore::Unpolled(const BusModule& module) {
  Shown shown;
  shown.state.module = module;
  return shown;
}

BusViewCore::BusViewCore(BusViewFront& front, Session& session) : front_(front), session_(session) {}

BusViewCore::~BusViewCore() {
  if (poller_) poller_->stop();
}

bool BusViewCore::open(const std::string& path) {
  std::string error;
  std::optional<BusFile> bus = LoadBusFile(path, &error);
  if (!bus) {
    front_.showInfo(kBusOpenFailed + error);
    return false;
  }
  replaceBus(*bus, path);
  return true;
}

void BusViewCore::show(const BusFile& bus) { replaceBus(bus, {}); }

void BusViewCore::replaceBus(const BusFile& bus, const std::string& path) {
  stop();
  bus_ = bus;
  path_ = path;
  shown_.clear();
  for (const BusModule& module : bus_.modules) shown_.push_back(Unpolled(module));
  cycles_ = 0;
  cycleRate_ = 0;
  front_.showAllRows();
  front_.setStatus(statusText());
}

bool BusViewCore::save(const std::string& path) {
  std::string error;
  if (!SaveBusFile(path, bus_, &error)) {
    front_.showInfo(kBusSaveFailed + error);
    return false;
  }
  path_ = path;
  front_.setStatus(statusText());
  return true;
}

bool BusViewCore::start() {
  if (poller_) return true;
  if (bus_.modules.empty()) {
    front_.showInfo(kBusNoModules);
    return false;
  }
  if (session_.busy()) {
    front_.showInfo(kBusPortBusy);
    return false;
  }
  // The cycle's interval is kept here, by the front's timer.
  poller_ = std::make_unique<BusPoller>(session_.operationsForSetUp().context(), bus_, BusPollOptions{});
  for (Shown& shown : shown_) shown = Unpolled(shown.state.module);
  cycles_ = 0;
  cycleRate_ = 0;
  front_.showAllRows();
  front_.pollingSwitched(true);
  front_.setStatus(statusText());
  front_.schedulePoll(0);
  return true;
}

void BusViewCore::stop() {
  if (!poller_) return;
  poller_->stop();
  session_.requestCancel();
  if (!busy_) finish();
}

void BusViewCore::pollDue() {
  if (!poller_ || busy_) return;
  BusPoller* poller = poller_.get();
  busy_ = session_.submit([poller](Operations&) { poller->pollOnce(); }, [this] { pollEnded(); });
  constexpr int kRetryMs = 100;
  if (!busy_) front_.schedulePoll(kRetryMs);  // a command holds the port: try again
}

void BusViewCore::pollEnded() {
  busy_ = false;
  if (!poller_) return;
  if (poller_->lastCounted()) {
    const size_t index = poller_->lastIndex();
    const PollResult& result = poller_->last();
    Shown& shown = shown_[index];
    shown.state = poller_->modules()[index];
    if (result.status == PollStatus::kOk) {
      shown.goodReport = result.report;
      shown.failure.clear();
    } else {
      shown.failure = result.report;
    }
    writeLog(index, result);
    front_.showRow(index);
  }
  if (poller_->cycleEnded()) {
    cycles_ = poller_->cycles();
    cycleRate_ = poller_->cycleRate();
    if (log_ && !log_->endCycle(std::chrono::system_clock::now())) logFailed();
    front_.setStatus(statusText());
  }
  // A box the poll showed may have run a loop of its own, in which polling stopped.
  if (!poller_ || busy_) return;
  if (poller_->running()) {
    schedule();
  } else {
    finish();
  }
}

void BusViewCore::schedule() {
  if (!poller_->cycleEnded()) {
    front_.schedulePoll(0);
    return;
  }
  // nextDue() is the cycle's start: the interval runs from there.
  const auto due = poller_->nextDue() + std::chrono::milliseconds(intervalMs_);
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - PollResult::Clock::now());
  front_.schedulePoll(static_cast<int>(std::max<int64_t>(0, wait.count())));
}

void BusViewCore::switchLogging(bool on) {
  if (!on) {
    log_.reset();
    return;
  }
  const std::string path = front_.chooseLogFile(logPath_);
  std::string error;
  if (!path.empty()) {
    logPath_ = path;
    bool refused = false;
    std::unique_ptr<LogFile> file = LogFile::Open(path, LogFile::Create::kIfMissing, &error);
    if (file) log_ = BusLog::Continue(std::move(file), bus_, BusLogLayout::kRowPerModule, &error, &refused,
                                      front_.logByteOrderMark());
  }
  front_.setLogging(log_ != nullptr);
  if (!error.empty()) front_.showInfo(kLogOpenFailed + error);
}

void BusViewCore::writeLog(size_t module, const PollResult& result) {
  if (log_ && !log_->write(module, result)) logFailed();
}

void BusViewCore::logFailed() {
  log_.reset();
  front_.setLogging(false);
  front_.showInfo(kLogWriteFailed);
}

void BusViewCore::finish() {
  front_.cancelPoll();
  poller_.reset();
  log_.reset();
  front_.setLogging(false);
  front_.pollingSwitched(false);
  front_.setStatus(statusText());
}

bool BusViewCore::writeReport(ReportFiles files) {
  if (poller_ || busy_) {
    front_.showInfo(kBusReportBusy);
    return false;
  }
  if (bus_.modules.empty()) {
    front_.showInfo(kBusNoModules);
    return false;
  }
  auto report = std::make_shared<BusReport>();
  const BusFile bus = bus_;
  busy_ = session_.submit(
      [report, bus](Operations& ops) {
        report->port = ops.link().portName;
        ReadBusReport(ops.context(), bus, *report);
      },
      [this, report, files = std::move(files)] {
        busy_ = false;
        reportRead(*report, files);
      });
  if (!busy_) front_.showInfo(kBusPortBusy);
  return busy_;
}

void BusViewCore::reportRead(const BusReport& report, const ReportFiles& files) {
  std::vector<std::string> written;
  std::string error;
  const std::string html = BusReportHtml(report);
  const std::pair<const std::string*, std::function<bool()>> outputs[] = {
      {&files.csv, [&] { return ReplaceFileAtomically(files.csv, ByteOrderMarked(files.csvByteOrderMark, BusReportCsv(report)), &error); }},
      {&files.html, [&] { return ReplaceFileAtomically(files.html, html, &error); }},
      {&files.pdf, [&] { return files.printPdf(html, files.pdf, &error); }},
  };
  for (const auto& [path, write] : outputs) {
    if (path->empty()) continue;
    if (!write()) {
      front_.showInfo(kBusReportFailed + error);
      break;
    }
    written.push_back(*path);
  }
  front_.reportWritten(written);
}

BusRow BusViewCore::row(size_t module) const { return RowOf(shown_[module].state, PollResult::Clock::now()); }

std::string BusViewCore::reportOf(size_t module) const {
  const Shown& shown = shown_[module];
  const BusModuleState& state = shown.state;
  std::string text;
  appendf(text, Tr("busview", "站号 %d  %s  %s\r\n"), state.module.station, state.module.model ? state.module.model->cliName : "",
          state.module.name.c_str());
  if (!state.module.notes.empty()) text += state.module.notes + "\r\n";
  if (!shown.failure.empty()) text += Tr("busview", "最后一次轮询：") + StatusWords(state) + "\r\n" + shown.failure + "\r\n";
  if (state.lastGoodWallClock) {
    text += Tr("busview", "最后一次正常读数：") + IsoLocalTime(*state.lastGoodWallClock) + "\r\n\r\n" + shown.goodReport;
  } else if (state.polled) {
    text += Tr("busview", "尚无正常读数。\r\n");
  } else {
    text += Tr("busview", "尚未轮询。\r\n");
  }
  return text;
}

std::string BusViewCore::statusText() const {
  std::string text = path_.empty() ? std::string(Tr("busview", "（未保存）")) : path_;
  appendf(text, Tr("busview", "  %s  %zu 个模块"), LineSettingsText(bus_).c_str(), bus_.modules.size());
  if (running() || cycles_ > 0) {
    appendf(text, Tr("busview", "  %llu 个周期"), static_cast<unsigned long long>(cycles_));
    if (cycleRate_ > 0) appendf(text, Tr("busview", "，%.2f 周期/秒"), cycleRate_);
  }
  if (running()) text += Tr("busview", "  轮询中");
  return text;
}

std::string PickModelPrompt(int station) {
  return Tr("busview", "站号 ") + std::to_string(station) + Tr("busview", " 的第 0 号寄存器符合多个型号，请选择：");
}

std::string UnnamedStationsNote(const std::vector<int>& stations) {
  if (stations.empty()) return {};
  std::string text = Tr("busview", "以下站号有应答，但无法判别型号，未加入总线：");
  for (size_t i = 0; i < stations.size(); ++i) text += (i ? Tr("busview", "、") : "") + std::to_string(stations[i]);
  return text;
}
