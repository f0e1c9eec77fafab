#include "win/traffic_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <filesystem>

#include "console/text.h"
#include "win/child_windows.h"
#include "win/resource.h"
#include "win/utf16.h"
#include "console/texts.h"

namespace {

constexpr const wchar_t* kClassName = L"DolvaneTrafficWindow";
constexpr int kFontPoints = 9;
constexpr UINT_PTR kDrainTimer = 1;
constexpr int kWidth = 1000;
constexpr int kHeight = 460;
constexpr int kMargin = 8;

// Over the lower part of the main window, where the pane's report ends, and
// on its screen.
POINT PlaceBeside(HWND owner) {
  RECT main{};
  GetWindowRect(owner, &main);
  MONITORINFO screen{};
  screen.cbSize = sizeof screen;
  GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &screen);
  const RECT& work = screen.rcWork;
  const LONG x = std::clamp<LONG>(main.left + 40, work.left, std::max(work.left, work.right - kWidth));
  const LONG y = std::clamp<LONG>(main.top + (main.bottom - main.top) / 3, work.top,
                                  std::max(work.top, work.bottom - kHeight));
  return {x, y};
}

}  // namespace

WinTrafficWindow::WinTrafficWindow(HWND owner, TrafficTap& tap) : tap_(tap) {
  RegisterToolWindowClass(kClassName, Proc);
  const POINT at = PlaceBeside(owner);
  window_ = CreateWindowExW(0, kClassName, Utf16(kTrafficWindowTitle).c_str(), WS_OVERLAPPEDWINDOW, at.x, at.y,
                            kWidth, kHeight, owner, nullptr, GetModuleHandleW(nullptr), this);
  // The listener runs inside the exchange: it only queues.
  listenerId_ = tap_.addListener([queue = queue_](const TrafficRecord& record) { queue->push(record); });
  SetTimer(window_, kDrainTimer, kTrafficDrainMs, nullptr);
}

WinTrafficWindow::~WinTrafficWindow() {
  tap_.removeListener(listenerId_);
  if (IsWindow(window_)) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
}

void WinTrafficWindow::show() {
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(list_);
}

LRESULT CALLBACK WinTrafficWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<WinTrafficWindow>(window, message, lParam);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCCREATE) self->window_ = window;
  return self->handle(message, wParam, lParam);
}

LRESULT WinTrafficWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      createControls();
      return 0;
    case WM_SIZE:
      layout();
      return 0;
    case WM_TIMER:
      if (wParam == kDrainTimer) drain();
      return 0;
    case WM_NOTIFY:
      return onNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_TRAFFIC_PAUSE: togglePause(); return 0;
        case IDC_TRAFFIC_CLEAR: clear(); return 0;
        case IDC_TRAFFIC_COPY: copySelection(); return 0;
        case IDC_TRAFFIC_SAVE: saveWithDialog(); return 0;
      }
      return 0;  // Enter and Escape (IDOK, IDCANCEL) do nothing here
    case WM_CLOSE:
      ShowWindow(window_, SW_HIDE);  // the frames keep coming in for the next look
      return 0;
    case WM_DESTROY:
      KillTimer(window_, kDrainTimer);
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void WinTrafficWindow::createControls() {
  font_ = NewDialogFont(window_, kFontPoints);
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  const struct {
    int id;
    const char* text;
  } buttons[] = {{IDC_TRAFFIC_PAUSE, kPauseText},
                 {IDC_TRAFFIC_CLEAR, kClearText},
                 {IDC_TRAFFIC_COPY, kCopyText},
                 {IDC_TRAFFIC_SAVE, kSaveText}};
  for (const auto& button : buttons)
    NewChild(window_, WC_BUTTONW, Utf16(button.text), WS_TABSTOP | BS_PUSHBUTTON, button.id, font_);
  NewChild(window_, WC_STATICW, L"", SS_RIGHT | SS_NOPREFIX, IDC_TRAFFIC_STATUS, font_);
  list_ = NewChild(window_, WC_LISTVIEWW, L"",
                   WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, IDC_TRAFFIC_LIST, font_,
                   WS_EX_CLIENTEDGE);
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  for (int c = 0; c < kTrafficColumns; ++c) {
    std::wstring title = Utf16(kTrafficColumnTitles[c]);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = title.data();
    column.cx = kTrafficColumnWidths[c];
    column.iSubItem = c;
    SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
  NewChild(window_, WC_EDITW, L"", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY, IDC_TRAFFIC_DETAIL,
           font_, WS_EX_CLIENTEDGE);
  showStatus();
}

void WinTrafficWindow::layout() {
  RECT client{};
  GetClientRect(window_, &client);
  TEXTMETRICW metrics{};
  HDC dc = GetDC(window_);
  HGDIOBJ old = SelectObject(dc, font_);
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(window_, dc);
  const int line = metrics.tmHeight;
  const int buttonHeight = line + 10;
  int x = kMargin;
  for (int id : {IDC_TRAFFIC_PAUSE, IDC_TRAFFIC_CLEAR, IDC_TRAFFIC_COPY, IDC_TRAFFIC_SAVE}) {
    Place(window_, id, x, kMargin, 80, buttonHeight);
    x += 80 + 6;
  }
  const int statusTop = kMargin + (buttonHeight - line) / 2;
  Place(window_, IDC_TRAFFIC_STATUS, x, statusTop, std::max<int>(0, client.right - kMargin - x), line + 2);
  const int detailHeight = line * 3 + 12;
  const int listTop = kMargin + buttonHeight + 6;
  const int detailTop = client.bottom - kMargin - detailHeight;
  const int width = client.right - 2 * kMargin;
  Place(window_, IDC_TRAFFIC_LIST, kMargin, listTop, width, std::max(0, detailTop - 6 - listTop));
  Place(window_, IDC_TRAFFIC_DETAIL, kMargin, detailTop, width, detailHeight);
}

void WinTrafficWindow::drain() {
  std::vector<TrafficRecord> records = queue_->drain();
  if (records.empty()) return;
  showRows(rows_.take(std::move(records)));
}

// Brings the list in line with the rows after `change`; it follows the newest
// row only if it showed the last one before.
void WinTrafficWindow::showRows(TrafficRows::Change change) {
  const auto listed = static_cast<size_t>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
  const auto top = static_cast<size_t>(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0));
  const auto page = static_cast<size_t>(SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0));
  const bool following = top + page >= listed;
  if (change.removedFromTop > 0) shiftSelection(change.removedFromTop);
  SendMessageW(list_, LVM_SETITEMCOUNT, rows_.size(), LVSICF_NOSCROLL);
  if (change.removedFromTop > 0) {
    InvalidateRect(list_, nullptr, FALSE);
    showDetail();
  }
  if (following && change.added > 0 && rows_.size() > 0)
    SendMessageW(list_, LVM_ENSUREVISIBLE, rows_.size() - 1, FALSE);
  showStatus();
}

void WinTrafficWindow::showStatus() {
  SetDlgItemTextW(window_, IDC_TRAFFIC_STATUS, Utf16(rows_.statusText()).c_str());
}

void WinTrafficWindow::showDetail() {
  const auto focused = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
  const std::string text = focused >= 0 ? rows_.detailText(static_cast<size_t>(focused)) : std::string();
  SetDlgItemTextW(window_, IDC_TRAFFIC_DETAIL, EditControlText(text).c_str());
}

LRESULT WinTrafficWindow::onNotify(NMHDR& header) {
  if (header.idFrom != IDC_TRAFFIC_LIST) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      fillCell(reinterpret_cast<NMLVDISPINFOW&>(header));
      return 0;
    case NM_CUSTOMDRAW:
      return customDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if ((change.uNewState ^ change.uOldState) & LVIS_FOCUSED) showDetail();
      return 0;
    }
    case LVN_KEYDOWN: {
      const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
      const bool control = GetKeyState(VK_CONTROL) < 0;
      if (control && key.wVKey == 'C') copySelection();
      if (control && key.wVKey == 'A') {
        LVITEMW all{};
        all.stateMask = all.state = LVIS_SELECTED;
        SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
      }
      return 0;
    }
  }
  return 0;
}

LRESULT WinTrafficWindow::customDraw(NMLVCUSTOMDRAW& draw) const {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      if (draw.nmcd.dwItemSpec < rows_.size() && rows_.row(draw.nmcd.dwItemSpec).failed) {
        draw.clrText = RGB(kFailedRowColour.red, kFailedRowColour.green, kFailedRowColour.blue);
        return CDRF_NEWFONT;
      }
      return CDRF_DODEFAULT;
  }
  return CDRF_DODEFAULT;
}

void WinTrafficWindow::fillCell(NMLVDISPINFOW& info) const {
  LVITEMW& item = info.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  const auto row = static_cast<size_t>(item.iItem);
  if (row >= rows_.size() || item.iSubItem < 0 || item.iSubItem >= kTrafficColumns) {
    item.pszText[0] = L'\0';
    return;
  }
  const std::wstring text = Utf16(rows_.row(row).cells[static_cast<size_t>(item.iSubItem)]);
  lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
}

std::vector<size_t> WinTrafficWindow::selectedRows() const {
  std::vector<size_t> rows;
  for (LRESULT at = -1;
       (at = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(at), LVNI_SELECTED)) >= 0;)
    rows.push_back(static_cast<size_t>(at));
  return rows;
}

// Rows went from the top: what stays selected or focused moves up with its row.
void WinTrafficWindow::shiftSelection(size_t removed) {
  const std::vector<size_t> selected = selectedRows();
  const auto focused = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  const auto set = [this](size_t row, UINT state) {
    LVITEMW item{};
    item.stateMask = item.state = state;
    SendMessageW(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  };
  for (size_t row : selected)
    if (row >= removed) set(row - removed, LVIS_SELECTED);
  if (focused >= 0 && static_cast<size_t>(focused) >= removed) set(static_cast<size_t>(focused) - removed, LVIS_FOCUSED);
}

void WinTrafficWindow::togglePause() {
  const bool pausing = !rows_.paused();
  const TrafficRows::Change change = rows_.setPaused(pausing);
  SetDlgItemTextW(window_, IDC_TRAFFIC_PAUSE, Utf16(pausing ? kResumeText : kPauseText).c_str());
  showRows(change);
}

void WinTrafficWindow::clear() {
  queue_->drain();
  rows_.clear();
  SendMessageW(list_, LVM_SETITEMCOUNT, 0, 0);
  SetDlgItemTextW(window_, IDC_TRAFFIC_DETAIL, L"");
  showStatus();
}

void WinTrafficWindow::copySelection() {
  const std::string text = rows_.selectedText(selectedRows());
  if (!text.empty()) CopyToClipboard(window_, text);
}

void WinTrafficWindow::saveWithDialog() {
  // Two filters, each a name and a pattern, the list ended by an empty name.
  std::wstring filters = Utf16(kTextFilter) + L'\0' + L"*.txt" + L'\0' + Utf16(kCsvFilter) + L'\0' + L"*.csv" + L'\0';
  wchar_t path[MAX_PATH] = L"";
  const std::wstring title = Utf16(kSaveTitle);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&dialog)) return;
  const TrafficSaveFormat format = SaveFormatOf(dialog.nFilterIndex == 2, Utf8(path));
  if (!rows_.saveTo(std::filesystem::path(path), format, kByteOrderMarkByDefault))
    MessageBoxW(window_, Utf16(kSaveFailed).c_str(), Utf16(Tr("win", "提示")).c_str(), MB_OK);
}
