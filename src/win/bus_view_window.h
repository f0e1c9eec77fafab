#pragma once
// The 总线视图 window of the Win32 front: a bus file's modules in a report-mode
// ListView over the shared core (busview/bus_view_core.h), polled on the main
// window's session. Stale rows are grey, a value outside its limits shades its
// row, a failing module's status is in the traffic window's failed colour. A
// double-click shows the module's full report in a window of its own.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "busview/bus_view_core.h"

class FrontChannel;
class Session;

class WinBusViewWindow : private BusViewFront {
 public:
  struct Hooks {
    // Polling started or ended: the main window greys or gives back its commands.
    std::function<void(bool running)> switched;
    // Something else of the main window holds the port (monitoring, the finder).
    std::function<bool()> portTaken;
  };

  // A poll due at once is posted through `channel` (a window timer waits at least 10 ms).
  WinBusViewWindow(HWND owner, Session& session, FrontChannel& channel, Hooks hooks);
  ~WinBusViewWindow() override;
  WinBusViewWindow(const WinBusViewWindow&) = delete;
  WinBusViewWindow& operator=(const WinBusViewWindow&) = delete;

  HWND window() const { return window_; }
  // Shows it and gives it the focus; closing stops polling and only hides it.
  void show();
  // Shows a bus that no file holds yet (a station scan's).
  void show(const BusFile& bus);
  void stop() { core_.stop(); }
  bool running() const { return core_.running(); }
  bool busy() const { return core_.busy(); }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void createControls();
  void layout();
  void onCommand(int id, int code);
  LRESULT onNotify(NMHDR& header);
  LRESULT customDraw(NMLVCUSTOMDRAW& draw) const;
  void fillCell(NMLVDISPINFOW& info) const;
  void refreshRow(size_t module);
  void refreshAges();
  void switchPolling();
  void intervalEdited();
  void openWithDialog();
  void saveWithDialog();
  void reportWithDialog();
  void showReport(int row);
  void close();

  void showInfo(const std::string& text) override;
  void schedulePoll(int milliseconds) override;
  void cancelPoll() override;
  void showAllRows() override;
  void showRow(size_t module) override;
  void setStatus(const std::string& text) override;
  void pollingSwitched(bool running) override;
  void setLogging(bool on) override;
  std::string chooseLogFile(const std::string& last) override;
  void reportWritten(const std::vector<std::string>& paths) override;

  FrontChannel& channel_;
  Hooks hooks_;
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  HFONT font_ = nullptr;
  HFONT reportFont_ = nullptr;
  uint64_t scheduled_ = 0;  // counts schedulePoll and cancelPoll: a posted poll of an earlier one is void
  bool settingInterval_ = false;  // the field written by code, not the user
  std::vector<BusRow> rows_;  // what the list shows: a cell is redrawn only when it changed
  BusViewCore core_;  // last: it reports to the members above
};
