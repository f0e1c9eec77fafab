#include "win/win_session_view.h"

#include <commctrl.h>

#include <memory>

#include "console/control_ids.h"
#include "layout/main_window_texts.h"
#include "win/edit_com_dialog.h"
#include "win/resource.h"
#include "win/utf16.h"
#include "console/texts.h"

namespace {

constexpr TrText kInfoTitle = TrNoop("win", "提示");
constexpr TrText kWarningTitle = TrNoop("win", "警告");

using Task = std::function<void()>;

UINT BoxStyle(BoxKind kind) {
  switch (kind) {
    case BoxKind::kInfo:
    case BoxKind::kNotice: return MB_OK;
    case BoxKind::kWarning: return MB_OKCANCEL;
    case BoxKind::kCautiousWarning: return MB_OKCANCEL | MB_DEFBUTTON2;
  }
  return MB_OK;
}

}  // namespace

void WinSessionView::post(std::function<void()> task) {
  auto owned = std::make_unique<Task>(std::move(task));
  // Posted to the dialog, not the thread: a modal loop (a box's, the port
  // dialog's) dispatches window messages and would drop thread messages.
  if (PostMessageW(dialog_, kRunTask, 0, reinterpret_cast<LPARAM>(owned.get()))) owned.release();
}

void WinSessionView::RunPosted(LPARAM task) {
  const std::unique_ptr<Task> owned(reinterpret_cast<Task*>(task));
  (*owned)();
}

void WinSessionView::dropPosted() {
  MSG message;
  while (PeekMessageW(&message, dialog_, kRunTask, kRunTask, PM_REMOVE))
    delete reinterpret_cast<Task*>(message.lParam);
}

void WinSessionView::setPaneText(const std::string& text) {
  // A read's report shows from its top, where its header is.
  SetDlgItemTextW(dialog_, ids::kOutputPane, EditControlText(text).c_str());
  if (followPane_) SendDlgItemMessageW(dialog_, ids::kOutputPane, WM_VSCROLL, SB_BOTTOM, 0);
}

void WinSessionView::showBox(BoxKind kind, const std::string& text, std::function<void(bool ok)> closed) {
  const std::wstring title =
      Utf16(kind == BoxKind::kWarning || kind == BoxKind::kCautiousWarning ? kWarningTitle : kInfoTitle);
  closed(MessageBoxW(dialog_, Utf16(text).c_str(), title.c_str(), BoxStyle(kind)) == IDOK);
}

void WinSessionView::askPort(std::function<void(std::optional<std::string> device)> answered) {
  answered(RunEditComDialog(dialog_, offerPorts_ ? offerPorts_() : std::vector<PortChoice>{}));
}

void WinSessionView::portStateChanged(bool open) {
  SetDlgItemTextW(dialog_, ids::kOpenPort, Utf16(OpenButtonCaption(open)).c_str());
}

void WinSessionView::lineSettingsChanged(int baudIndex, int formatIndex) {
  // CB_SETCURSEL sends no selection-change notification.
  SendDlgItemMessageW(dialog_, ids::kBaudRate, CB_SETCURSEL, static_cast<WPARAM>(baudIndex), 0);
  SendDlgItemMessageW(dialog_, ids::kLineFormat, CB_SETCURSEL, static_cast<WPARAM>(formatIndex), 0);
}

void WinSessionView::progress(int done, int total) {
  followPane_ = done < total;
  HWND bar = GetDlgItem(dialog_, IDC_SCAN_PROGRESS);
  SendMessageW(bar, PBM_SETRANGE32, 0, total);
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
  ShowWindow(bar, done < total ? SW_SHOW : SW_HIDE);
}
