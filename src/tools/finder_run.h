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
#include "console/texts.h"

inline constexpr TrText kFinderTitle = TrNoop("tools", "查找模块（只读，不写入任何模块）");
inline constexpr TrText kScanGroupText = TrNoop("tools", "站号扫描（当前通讯参数）");
inline constexpr TrText kDetectGroupText = TrNoop("tools", "通讯参数检测（32 种设置）");
inline constexpr TrText kStationLabel = TrNoop("tools", "站号：");
inline constexpr TrText kRangeToLabel = TrNoop("tools", "至");
inline constexpr TrText kTurnaroundLabel = TrNoop("tools", "应答余量：");
inline constexpr TrText kTurnaroundSuffix = TrNoop("tools", " 毫秒");
inline constexpr TrText kScanButtonText = TrNoop("tools", "扫描站号");
inline constexpr TrText kDetectButtonText = TrNoop("tools", "检测通讯参数");
inline constexpr TrText kCancelButtonText = TrNoop("tools", "取消");
inline constexpr TrText kCloseButtonText = TrNoop("tools", "关闭");
inline constexpr TrText kFinderPortBusy = TrNoop("tools", "串口正被监视或其他操作占用，请稍后再试。\n");

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
