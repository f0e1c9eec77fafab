#pragma once
// The Win32 main window: a modal dialog built from the shared control table,
// whose WM_COMMAND goes through the command table to Operations.
#include <windows.h>

#include <memory>

class Operations;
class WinConsole;
class WinForm;

class MainDialog {
 public:
  MainDialog();
  ~MainDialog();
  MainDialog(const MainDialog&) = delete;
  MainDialog& operator=(const MainDialog&) = delete;

  // Shows the window and returns when it is closed.
  void run(HINSTANCE instance);

 private:
  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void initialise(HWND dialog);
  void onCommand(int controlId, int code);
  bool onSysCommand(WPARAM command);
  void close();

  HWND dialog_ = nullptr;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HFONT paneFont_ = nullptr;
  bool busy_ = false;  // a command runs: one at a time, and the window stays open
  std::unique_ptr<WinConsole> console_;
  std::unique_ptr<WinForm> form_;
  std::unique_ptr<Operations> ops_;
};

// CAboutDlg: the template IDD_ABOUT, closed by its OK button.
void RunAboutDialog(HWND owner);
