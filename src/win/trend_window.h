#pragma once
// The Win32 monitor's trend window: a modeless window owned by the main one,
// with the time span, the poll interval, the CSV log switch, Stop, the list of
// quantities to plot (check boxes, at most eight) and a GDI line chart of the
// picked ones. TrendData holds what is plotted; this only draws it.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "monitor/trend_data.h"

class TrendWindow {
 public:
  struct Handlers {
    std::function<void(bool on)> loggingToggled;
    std::function<void(int milliseconds)> intervalChanged;
    std::function<void()> stopRequested;  // Stop, or the close box
  };

  // Control ids inside the window (the window probe uses them too).
  static constexpr int kSpanId = 101;
  static constexpr int kIntervalId = 102;
  static constexpr int kLogSwitchId = 103;
  static constexpr int kStopId = 104;
  static constexpr int kListId = 105;
  static constexpr int kChartId = 106;

  TrendWindow(HWND owner, Handlers handlers);
  ~TrendWindow();
  TrendWindow(const TrendWindow&) = delete;
  TrendWindow& operator=(const TrendWindow&) = delete;

  HWND handle() const { return window_; }
  // Shows the window, beside its owner when it was hidden.
  void showBeside();
  void hide();
  void reset(const std::vector<QuantityColumn>& columns);
  void add(const PollResult& result) { data_.add(result); }
  void setRunning(bool running);
  void setLogging(bool on);  // the switch, without telling anyone
  // Redraws the chart with the time axis moved to now.
  void refresh();
  // Asks for the log file: a save dialog that never asks before overwriting,
  // since a log is only appended to. Empty: cancelled.
  std::string chooseLogFile(const std::string& last);

  const TrendData& data() const { return data_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ChartProc(HWND chart, UINT message, WPARAM wParam, LPARAM lParam);
  void create(HWND owner);
  void layOut(int width, int height);
  void onCommand(int id, int code);
  void onListChanged(const NMLISTVIEW& change);
  void paintChart(HDC dc, const RECT& area) const;
  int minutes() const;

  Handlers handlers_;
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  HWND chart_ = nullptr;
  HFONT font_ = nullptr;  // the owner's, not ours to free
  bool filling_ = false;  // the list's check boxes set by code, not the user
  TrendData data_;
};
