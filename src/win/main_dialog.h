#pragma once
// The Win32 main window: a modal dialog built from the shared control table.
// A WM_COMMAND goes through the command table to a job on the session's
// worker; the window greys the commands until the job's `done` comes back.
#include <windows.h>

#include <memory>

class InProcessBus;
class Session;
class TrafficTap;
class WinBusViewWindow;
struct BusFile;
class WinForm;
class WinMonitor;
class WinSessionView;
class WinTrafficWindow;

class MainDialog {
 public:
  // With a bus, its port is offered first in the port dialog and opens in process.
  explicit MainDialog(InProcessBus* simulated = nullptr);
  ~MainDialog();
  MainDialog(const MainDialog&) = delete;
  MainDialog& operator=(const MainDialog&) = delete;

  // Shows the window and returns when it is closed.
  void run(HINSTANCE instance);

 private:
  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void initialise(HWND dialog);
  void onCommand(int controlId, int code);
  void setCommandsEnabled(bool enabled);
  bool onSysCommand(WPARAM command);
  bool commandRunning() const;
  void close();
  void destroyed();
  void createMonitor();
  // The main window is modeless: its loop turns the tool shortcuts into
  // commands and gives the tool windows their keyboard handling.
  void runMessageLoop();
  void onTool(int id);
  void showTrafficWindow();
  void showFinder();
  WinBusViewWindow& busView();
  void showBusView();
  void showBusView(const BusFile& bus);
  bool busPolling() const;
  // Monitoring, the bus view's polling or the finder holds the port.
  bool portTaken() const;
  void showAbout();

  InProcessBus* simulated_;
  HWND dialog_ = nullptr;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HFONT paneFont_ = nullptr;
  HWND focusBeforeCommand_ = nullptr;  // a greyed button loses the focus; it comes back
  std::unique_ptr<WinSessionView> view_;
  std::unique_ptr<WinForm> form_;
  HACCEL toolKeys_ = nullptr;
  bool finderOpen_ = false;
  TrafficTap* tap_ = nullptr;  // owned by the session's port: every frame passes it
  std::unique_ptr<Session> session_;  // ends before the view it posts to
  std::unique_ptr<WinMonitor> monitor_;  // ended after the session: its polls run there
  // Ended after the session too: its polls run there.
  std::unique_ptr<WinBusViewWindow> busView_;
  // Lets go of the tap before the session goes.
  std::unique_ptr<WinTrafficWindow> traffic_;
};

// CAboutDlg: the template IDD_ABOUT, closed by its OK button.
void RunAboutDialog(HWND owner);
