#pragma once
// The bus view as a window runs it, for both windows: a bus file opened or
// saved, its modules polled round-robin one exchange at a time as jobs on the
// session's worker (at once within a cycle, a cycle's interval from the
// cycle's start at its end), each row refreshed when its poll returns, the
// bus's CSV log switched on and off, and a module's full report. The window
// supplies its timer, boxes and table through BusViewFront; everything runs on
// the window's thread.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bus/bus_log.h"
#include "console/text.h"
#include "bus/bus_poller.h"
#include "busview/bus_rows.h"
#include "report/bus_report.h"
#include "console/texts.h"

class Session;

inline constexpr TrText kBusOpenText = TrNoop("busview", "打开…");
inline constexpr TrText kBusSaveText = TrNoop("busview", "保存…");
inline constexpr TrText kBusStartText = TrNoop("busview", "开始轮询");
inline constexpr TrText kBusStopText = TrNoop("busview", "停止轮询");
inline constexpr TrText kBusIntervalLabel = TrNoop("busview", "周期间隔：");
inline constexpr TrText kBusIntervalSuffix = TrNoop("busview", " 毫秒");
inline constexpr TrText kBusLogText = TrNoop("busview", "记录到CSV文件");
inline constexpr TrText kBusFileFilter = TrNoop("busview", "总线文件 (*.json)");
inline constexpr TrText kBusOpenTitle = TrNoop("busview", "打开总线文件");
inline constexpr TrText kBusSaveTitle = TrNoop("busview", "保存总线文件");
inline constexpr TrText kBusNoModules = TrNoop("busview", "总线文件中没有模块。请先打开总线文件，或用“查找模块”扫描站号生成。");
inline constexpr TrText kBusPortBusy = TrNoop("busview", "串口正被其他操作占用，请稍后再试。");
inline constexpr TrText kBusOpenFailed = TrNoop("busview", "无法打开总线文件：\n");
inline constexpr TrText kBusSaveFailed = TrNoop("busview", "无法保存总线文件：\n");
inline constexpr TrText kBusReportText = TrNoop("busview", "调试报告…");
inline constexpr TrText kBusCommissionText = TrNoop("busview", "调试新模块…");
inline constexpr TrText kBusCommissionWhilePolling = TrNoop("busview", "请先停止轮询，再调试新模块。");
inline constexpr TrText kBusReportTitle = TrNoop("busview", "保存调试报告");
inline constexpr TrText kBusReportBusy = TrNoop("busview", "请先停止轮询，再生成调试报告。");
inline constexpr TrText kBusReportFailed = TrNoop("busview", "无法写入调试报告：\n");
inline constexpr TrText kBusReportWritten = TrNoop("busview", "调试报告已写入：");
inline constexpr int kBusIntervalMaxMs = 3600000;
// The finder's station scan made a bus: its button, and where several models fit a station.
inline constexpr TrText kBusFromScanText = TrNoop("busview", "生成总线…");
inline constexpr TrText kBusPickModelTitle = TrNoop("busview", "选择型号");

// "站号 5 的第 0 号寄存器符合多个型号，请选择："
std::string PickModelPrompt(int station);
// The stations a scan found that no model names, left out of its bus; empty when none.
std::string UnnamedStationsNote(const std::vector<int>& stations);

class BusViewFront {
 public:
  virtual ~BusViewFront() = default;
  // An information box (提示), not waited for.
  virtual void showInfo(const std::string& text) = 0;
  // One shot: call BusViewCore::pollDue() in `milliseconds`; a new call replaces it.
  virtual void schedulePoll(int milliseconds) = 0;
  virtual void cancelPoll() = 0;
  // The rows changed in number or all at once (a bus opened): redraw them all.
  virtual void showAllRows() = 0;
  // One module's row changed.
  virtual void showRow(size_t module) = 0;
  // The line under the table: the file, the bus's line settings, cycles and rate.
  virtual void setStatus(const std::string& text) = 0;
  virtual void pollingSwitched(bool running) = 0;
  virtual void setLogging(bool on) = 0;
  // The log file, the one chosen last offered first; empty: cancelled.
  virtual std::string chooseLogFile(const std::string& last) = 0;
  // Whether a log started in the file just chosen begins with a byte-order mark.
  virtual bool logByteOrderMark() const { return kByteOrderMarkByDefault; }
  // The report's files were written (or not: the box is shown by the core).
  virtual void reportWritten(const std::vector<std::string>& paths) = 0;
};

// Where a report goes: the document a front prints (PDF) or as HTML, its CSV
// beside it; an empty path is not written.
struct ReportFiles {
  std::string pdf;
  std::string html;
  std::string csv;
  bool csvByteOrderMark = kByteOrderMarkByDefault;
  // Prints the HTML document to `pdf`; false with *error set.
  std::function<bool(const std::string& html, const std::string& path, std::string* error)> printPdf;
};

class BusViewCore {
 public:
  BusViewCore(BusViewFront& front, Session& session);
  ~BusViewCore();
  BusViewCore(const BusViewCore&) = delete;
  BusViewCore& operator=(const BusViewCore&) = delete;

  // Loads a bus file in place of the one shown (polling stops first); a
  // refused file gets its box, naming the line, and nothing else changes.
  bool open(const std::string& path);
  // A bus from elsewhere (a station scan), not yet saved to a file.
  void show(const BusFile& bus);
  bool save(const std::string& path);
  const BusFile& bus() const { return bus_; }
  const std::string& path() const { return path_; }

  // Starts polling; false when there is nothing to poll or a command holds the port.
  bool start();
  // Ends polling: at once, or when the exchange under way returns.
  void stop();
  void pollDue();
  void switchLogging(bool on);
  // Reads every module once on the session (not while polling) and writes the
  // commissioning report's files.
  bool writeReport(ReportFiles files);
  bool running() const { return poller_ != nullptr; }
  bool busy() const { return busy_; }
  bool logging() const { return log_ != nullptr; }
  void setIntervalMs(int milliseconds) { intervalMs_ = milliseconds; }
  int intervalMs() const { return intervalMs_; }

  size_t rowCount() const { return shown_.size(); }
  BusRow row(size_t module) const;
  // What a double-click shows: the module, its last good reading in full as
  // its model's button prints it, and the last failure's box while it fails.
  std::string reportOf(size_t module) const;
  std::string statusText() const;

 private:
  struct Shown {
    BusModuleState state;
    std::string goodReport;
    std::string failure;
  };
  static Shown Unpolled(const BusModule& module);
  void replaceBus(const BusFile& bus, const std::string& path);
  void pollEnded();
  void reportRead(const BusReport& report, const ReportFiles& files);
  void schedule();
  void writeLog(size_t module, const PollResult& result);
  void logFailed();
  void finish();

  BusViewFront& front_;
  Session& session_;
  BusFile bus_;
  std::string path_;
  int intervalMs_ = 0;
  bool busy_ = false;
  std::unique_ptr<BusPoller> poller_;
  std::vector<Shown> shown_;  // the window's copy: the poller's changes on the worker
  uint64_t cycles_ = 0;
  double cycleRate_ = 0;
  std::unique_ptr<BusLog> log_;
  std::string logPath_;
};
