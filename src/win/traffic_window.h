#pragma once
// The 通讯监视 window of the Win32 front: the tap's frames in a report-mode
// ListView over the shared rows (tools/traffic_rows.h), failed replies in red.
// The tap's listener only queues; a timer drains the queue on the window's
// thread, so an exchange never waits on the list.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "link/traffic_tap.h"
#include "tools/traffic_rows.h"

class WinTrafficWindow {
 public:
  // Listens to `tap` from now until destroyed; the tap must outlive it.
  WinTrafficWindow(HWND owner, TrafficTap& tap);
  ~WinTrafficWindow();
  WinTrafficWindow(const WinTrafficWindow&) = delete;
  WinTrafficWindow& operator=(const WinTrafficWindow&) = delete;

  HWND window() const { return window_; }
  // Shows it and gives it the focus; closing only hides it, the frames stay.
  void show();

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void createControls();
  void layout();
  void drain();
  void showRows(TrafficRows::Change change);
  void showStatus();
  void showDetail();
  LRESULT onNotify(NMHDR& header);
  LRESULT customDraw(NMLVCUSTOMDRAW& draw) const;
  void fillCell(NMLVDISPINFOW& info) const;
  std::vector<size_t> selectedRows() const;
  void shiftSelection(size_t removed);
  void togglePause();
  void clear();
  void copySelection();
  void saveWithDialog();

  TrafficTap& tap_;
  int listenerId_ = 0;
  std::shared_ptr<TrafficQueue> queue_ = std::make_shared<TrafficQueue>();
  TrafficRows rows_;
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  HFONT font_ = nullptr;
};
