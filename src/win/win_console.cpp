#include "win/win_console.h"

#include <commctrl.h>

#include <chrono>

#include "console/control_ids.h"
#include "layout/main_window_texts.h"
#include "win/edit_com_dialog.h"
#include "win/resource.h"
#include "win/utf16.h"

namespace {

constexpr const wchar_t* kInfoTitle = L"提示";
constexpr const wchar_t* kWarningTitle = L"警告";

bool IsUserInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

}  // namespace

void PumpWithoutInput() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that owns it
      return;
    }
    if (IsUserInput(msg.message)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void WinConsole::setPaneText(const std::string& text) {
  // A read's report shows from its top, where its header is.
  SetDlgItemTextW(dialog_, ids::kOutputPane, EditControlText(text).c_str());
  if (followPane_) SendDlgItemMessageW(dialog_, ids::kOutputPane, WM_VSCROLL, SB_BOTTOM, 0);
}

void WinConsole::showInfo(const std::string& text) {
  MessageBoxW(dialog_, Utf16(text).c_str(), kInfoTitle, MB_OK);
}

bool WinConsole::askWarning(const std::string& text) {
  return MessageBoxW(dialog_, Utf16(text).c_str(), kWarningTitle, MB_OKCANCEL) == IDOK;
}

bool WinConsole::askCautiousWarning(const std::string& text) {
  return MessageBoxW(dialog_, Utf16(text).c_str(), kWarningTitle, MB_OKCANCEL | MB_DEFBUTTON2) == IDOK;
}

void WinConsole::portStateChanged(bool open) {
  SetDlgItemTextW(dialog_, ids::kOpenPort, Utf16(OpenButtonCaption(open)).c_str());
}

void WinConsole::lineSettingsChanged(int baudIndex, int formatIndex) {
  // CB_SETCURSEL sends no selection-change notification.
  SendDlgItemMessageW(dialog_, ids::kBaudRate, CB_SETCURSEL, static_cast<WPARAM>(baudIndex), 0);
  SendDlgItemMessageW(dialog_, ids::kLineFormat, CB_SETCURSEL, static_cast<WPARAM>(formatIndex), 0);
}

std::optional<std::string> WinConsole::askPort() { return RunEditComDialog(dialog_); }

void WinConsole::repaint() {
  RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void WinConsole::pause(int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    PumpWithoutInput();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    MsgWaitForMultipleObjects(0, nullptr, FALSE,
                              static_cast<DWORD>(std::max<long long>(0, left.count())), QS_ALLINPUT);
  }
}

void WinConsole::idle() { PumpWithoutInput(); }

void WinConsole::progress(int done, int total) {
  followPane_ = done < total;
  HWND bar = GetDlgItem(dialog_, IDC_SCAN_PROGRESS);
  SendMessageW(bar, PBM_SETRANGE32, 0, total);
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
  ShowWindow(bar, done < total ? SW_SHOW : SW_HIDE);
  UpdateWindow(bar);
}
