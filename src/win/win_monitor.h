#pragma once
// Monitoring in the Win32 window: the 监视 switch and the status strip on the
// main window, the trend window, and MonitorCore's timer (a window timer on
// the main window's thread), boxes and pane.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "monitoring/monitor_core.h"

class FormView;
class FrontChannel;
class Session;
class TrendWindow;

class WinMonitor : private MonitorFront {
 public:
  // The switch's and the status strip's ids on the main window.
  static constexpr int kSwitchId = 1120;
  static constexpr int kStatusId = 1121;

  // `switched` tells the main window that polling started or ended, so it greys
  // or gives back its commands. A poll due at once is posted through `channel`
  // (the window's own message): a window timer waits at least 10 ms.
  WinMonitor(HWND dialog, const FormView& form, Session& session, FrontChannel& channel,
             std::function<void(bool running)> switched);
  ~WinMonitor() override;
  WinMonitor(const WinMonitor&) = delete;
  WinMonitor& operator=(const WinMonitor&) = delete;

  // A WM_COMMAND of the main window: true when it was the switch's.
  bool onCommand(int controlId, int code);
  void commandStarts(int controlId) { core_.commandStarts(controlId); }
  // The main window's commands were greyed or given back: the switch stays
  // live while polling runs.
  void commandsEnabled(bool enabled);
  void stop() { core_.stop(); }
  bool running() const { return core_.running(); }
  bool busy() const { return core_.busy(); }

 private:
  static void CALLBACK PollTimer(HWND dialog, UINT, UINT_PTR, DWORD);
  TrendWindow& trend();

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
  void monitoringSwitched(bool running) override;

  HWND dialog_;
  FrontChannel& channel_;
  uint64_t scheduled_ = 0;  // counts schedulePoll and cancelPoll: a posted poll of an earlier one is void
  HWND switch_ = nullptr;
  HWND status_ = nullptr;
  std::function<void(bool)> switched_;
  std::unique_ptr<TrendWindow> trend_;  // made when monitoring first starts
  MonitorCore core_;  // last: its polls report to the members above
};
