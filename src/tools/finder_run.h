#pragma once
// The 查找模块 dialog without a toolkit: its fields with their limits and first
// values, its texts, and its runs as jobs for the session's worker, each
// leaving the text the dialog shows when it ends. Progress goes to the caller
// on the worker; Cancel is read between exchanges.
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "console/console.h"
#include "discovery/discovery.h"
#include "discovery/probe.h"
#include "operations/operations.h"

inline constexpr const char* kFinderTitle = "查找模块（只读，不写入任何模块）";
inline constexpr const char* kScanGroupText = "站号扫描（当前通讯参数）";
inline constexpr const char* kDetectGroupText = "通讯参数检测（32 种设置）";
inline constexpr const char* kStationLabel = "站号：";
inline constexpr const char* kRangeToLabel = "至";
inline constexpr const char* kTurnaroundLabel = "应答余量：";
inline constexpr const char* kTurnaroundSuffix = " 毫秒";
inline constexpr const char* kScanButtonText = "扫描站号";
inline constexpr const char* kDetectButtonText = "检测通讯参数";
inline constexpr const char* kCancelButtonText = "取消";
inline constexpr const char* kCloseButtonText = "关闭";
inline constexpr const char* kFinderPortBusy = "串口正被监视或其他操作占用，请稍后再试。\n";

struct FinderField {
  int min;
  int max;
  int initial;
  int clamped(int value) const { return value < min ? min : value > max ? max : value; }
};
inline constexpr FinderField kScanFromField{kFirstStation, kLastStation, kFirstStation};
inline constexpr FinderField kScanToField{kFirstStation, kLastStation, kLastStation};
inline constexpr FinderField kTurnaroundField{0, 60000, kDefaultTurnaroundMs};
inline constexpr FinderField kDetectStationField{kFirstStation, kLastStation, kFirstStation};

class FinderRun {
 public:
  using Job = std::function<void(Operations&)>;
  // Called on the worker: a window hands it to its own thread.
  using Progress = std::function<void(int done, int total)>;

  FinderRun();

  // Stations from..to in either order, at the console's line settings.
  Job scanStations(int from, int to, int turnaroundMs, Progress progress);
  // The 32 line settings for one station.
  Job detectLine(int station, int turnaroundMs, Progress progress);
  // Ends the run before its next exchange; the window also raises the
  // session's flag, which cuts a pause short.
  void requestCancel() { state_->cancelled = true; }
  // Once the job is done: what it found, or nothing when its box said it all.
  const std::string& report() const { return state_->report; }

  // The last station scan that reached the port, with the line it ran on: a
  // window makes a bus file of it.
  struct Scan {
    StationScan found;
    std::string port;
    int baudRate = 0;
    int lineFormat = 0;
  };
  const std::optional<Scan>& lastScan() const { return state_->scan; }
  // The line the last detection found the station on, when it names one
  // (settings a pty cannot tell apart by parity count as one): a window
  // offers to follow the module there.
  const std::optional<ModuleLine>& detectedLine() const { return state_->detected; }

 private:
  struct State {
    std::atomic<bool> cancelled{false};
    std::string report;  // written by the job, read after its done
    std::optional<Scan> scan;  // likewise
    std::optional<ModuleLine> detected;  // likewise
  };
  Job start(std::function<std::string(OperationContext&, int turnaroundMs, const std::function<bool()>& cancelled)> run,
            int turnaroundMs, Progress progress);

  std::shared_ptr<State> state_;
};
