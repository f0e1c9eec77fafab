#include "win/bus_view_window.h"

#include <commdlg.h>

#include <algorithm>

#include "session/front_channel.h"
#include "tools/traffic_rows.h"
#include "win/child_windows.h"
#include "win/resource.h"
#include "win/utf16.h"
#include "console/texts.h"

namespace {

constexpr const wchar_t* kClassName = L"DolvaneBusViewWindow";
constexpr const wchar_t* kReportClassName = L"DolvaneBusReport";
constexpr int kFontPoints = 9;
constexpr UINT_PTR kPollTimer = 1;
constexpr UINT_PTR kAgeTimer = 2;
constexpr UINT kAgeRefreshMs = 500;
constexpr int kWidth = 1120;
constexpr int kHeight = 440;
constexpr int kReportWidth = 640;
constexpr int kReportHeight = 480;
constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kIntervalWidth = 80;
COLORREF ColourOf(RowColour colour) { return RGB(colour.red, colour.green, colour.blue); }

// Without a PDF printer here the report is the same document as HTML, to print from a browser.
FileQuestion BusFileQuestion(bool saving) {
  return {saving ? kBusSaveTitle : kBusOpenTitle, kBusFileFilter, "*.json", "json", saving, true};
}
const FileQuestion kReportQuestion{kBusReportTitle, Tr("win", "网页 (*.html)"), "*.html", "html", true, true};

LRESULT CALLBACK ReportProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    MoveWindow(GetDlgItem(window, IDC_BUS_REPORT), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A resizable window over `owner` with `text` in a read-only edit; it closes
// on its own, and goes with its owner.
void ShowTextWindow(HWND owner, const std::string& text, HFONT font) {
  RegisterToolWindowClass(kReportClassName, ReportProc);
  RECT over{};
  GetWindowRect(owner, &over);
  HWND window = CreateWindowExW(0, kReportClassName, Utf16(kBusViewTitle).c_str(), WS_OVERLAPPEDWINDOW,
                                over.left + 60, over.top + 40, kReportWidth, kReportHeight, owner, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  HWND edit = NewChild(window, WC_EDITW, EditControlText(text),
                       WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                       IDC_BUS_REPORT, font, WS_EX_CLIENTEDGE);
  RECT client{};
  GetClientRect(window, &client);
  MoveWindow(edit, 0, 0, client.right, client.bottom, FALSE);
  ShowWindow(window, SW_SHOW);
  SetFocus(edit);
}

}  // namespace

WinBusViewWindow::WinBusViewWindow(HWND owner, Session& session, FrontChannel& channel, Hooks hooks)
    : channel_(channel), hooks_(std::move(hooks)), core_(*this, session) {
  RegisterToolWindowClass(kClassName, Proc);
  RECT main{};
  GetWindowRect(owner, &main);
  window_ = CreateWindowExW(0, kClassName, Utf16(kBusViewTitle).c_str(), WS_OVERLAPPEDWINDOW, main.left + 20,
                            main.top + 60, kWidth, kHeight, owner, nullptr, GetModuleHandleW(nullptr), this);
  if (HICON icon = reinterpret_cast<HICON>(SendMessageW(owner, WM_GETICON, ICON_SMALL, 0)))
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  setStatus(core_.statusText());
}

WinBusViewWindow::~WinBusViewWindow() {
  if (IsWindow(window_)) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
  if (reportFont_) DeleteObject(reportFont_);
}

void WinBusViewWindow::show() {
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(list_);
}

void WinBusViewWindow::show(const BusFile& bus) {
  core_.show(bus);
  show();
}

LRESULT CALLBACK WinBusViewWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<WinBusViewWindow>(window, message, lParam);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCCREATE) self->window_ = window;
  return self->handle(message, wParam, lParam);
}

LRESULT WinBusViewWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      createControls();
      return 0;
    case WM_SIZE:
      layout();
      return 0;
    case WM_SHOWWINDOW:
      // The ages move on only while someone can see them.
      if (wParam) {
        refreshAges();
        SetTimer(window_, kAgeTimer, kAgeRefreshMs, nullptr);
      } else {
        KillTimer(window_, kAgeTimer);
      }
      break;
    case WM_TIMER:
      if (wParam == kPollTimer) {
        KillTimer(window_, kPollTimer);  // one shot
        core_.pollDue();
      } else if (wParam == kAgeTimer) {
        refreshAges();
      }
      return 0;
    case WM_NOTIFY:
      return onNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CLOSE:
      close();
      return 0;
    case WM_DESTROY:
      KillTimer(window_, kPollTimer);
      KillTimer(window_, kAgeTimer);
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void WinBusViewWindow::createControls() {
  font_ = NewDialogFont(window_, kFontPoints);
  reportFont_ = NewPaneFont(window_);
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  const auto button = [this](int id, const char* text) {
    NewChild(window_, WC_BUTTONW, Utf16(text), WS_TABSTOP | BS_PUSHBUTTON, id, font_);
  };
  const auto label = [this](int id, const char* text) {
    NewChild(window_, WC_STATICW, Utf16(text), SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, id, font_);
  };
  button(IDC_BUS_OPEN, kBusOpenText);
  button(IDC_BUS_SAVE, kBusSaveText);
  button(IDC_BUS_START, kBusStartText);
  label(IDC_BUS_INTERVAL_LABEL, kBusIntervalLabel);
  HWND interval = NewChild(window_, WC_EDITW, std::to_wstring(core_.intervalMs()),
                           WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, IDC_BUS_INTERVAL, font_, WS_EX_CLIENTEDGE);
  HWND spin = NewChild(window_, UPDOWN_CLASSW, L"", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                       IDC_BUS_INTERVAL_SPIN, font_);
  SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(interval), 0);
  SendMessageW(spin, UDM_SETRANGE32, 0, kBusIntervalMaxMs);
  SendMessageW(spin, UDM_SETPOS32, 0, core_.intervalMs());
  label(IDC_BUS_INTERVAL_SUFFIX, kBusIntervalSuffix);
  NewChild(window_, WC_BUTTONW, Utf16(kBusLogText), WS_TABSTOP | BS_AUTOCHECKBOX, IDC_BUS_LOG, font_);
  button(IDC_BUS_REPORT_BUTTON, kBusReportText);
  list_ = NewChild(window_, WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                   IDC_BUS_LIST, font_, WS_EX_CLIENTEDGE);
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  for (int c = 0; c < kBusColumns; ++c) {
    std::wstring title = Utf16(kBusColumnTitles[c]);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = title.data();
    column.cx = kBusColumnWidths[c];
    column.iSubItem = c;
    SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
  NewChild(window_, WC_STATICW, L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX, IDC_BUS_STATUS, font_);
}

void WinBusViewWindow::layout() {
  RECT client{};
  GetClientRect(window_, &client);
  const int line = FontHeight(window_, font_);
  const int row = line + 10;
  int x = kMargin;
  const auto place = [&](int id, int width, int gapAfter) {
    Place(window_, id, x, kMargin, width, row);
    x += width + gapAfter;
  };
  const auto buttonWidth = [&](const char* text) { return std::max(80, TextWidth(window_, font_, Utf16(text), 12)); };
  place(IDC_BUS_OPEN, buttonWidth(kBusOpenText), kGap);
  place(IDC_BUS_SAVE, buttonWidth(kBusSaveText), kGap);
  place(IDC_BUS_START, std::max(buttonWidth(kBusStartText), buttonWidth(kBusStopText)), 3 * kGap);
  place(IDC_BUS_INTERVAL_LABEL, TextWidth(window_, font_, Utf16(kBusIntervalLabel), 2), 0);
  place(IDC_BUS_INTERVAL, kIntervalWidth, 2);
  // The up-down control moves beside its field again.
  SendDlgItemMessageW(window_, IDC_BUS_INTERVAL_SPIN, UDM_SETBUDDY,
                      reinterpret_cast<WPARAM>(GetDlgItem(window_, IDC_BUS_INTERVAL)), 0);
  place(IDC_BUS_INTERVAL_SUFFIX, TextWidth(window_, font_, Utf16(kBusIntervalSuffix), 2), 3 * kGap);
  place(IDC_BUS_LOG, TextWidth(window_, font_, Utf16(kBusLogText)) + 28, 3 * kGap);
  place(IDC_BUS_REPORT_BUTTON, buttonWidth(kBusReportText), 0);

  const int statusTop = client.bottom - kMargin - line;
  const int listTop = kMargin + row + kGap;
  const int width = std::max<int>(0, client.right - 2 * kMargin);
  Place(window_, IDC_BUS_LIST, kMargin, listTop, width, std::max(0, statusTop - kGap - listTop));
  Place(window_, IDC_BUS_STATUS, kMargin, statusTop, width, line + 2);
}

void WinBusViewWindow::onCommand(int id, int code) {
  switch (id) {
    case IDC_BUS_OPEN: openWithDialog(); return;
    case IDC_BUS_SAVE: saveWithDialog(); return;
    case IDC_BUS_START: switchPolling(); return;
    case IDC_BUS_REPORT_BUTTON: reportWithDialog(); return;
    case IDC_BUS_LOG:
      if (code == BN_CLICKED) core_.switchLogging(SendDlgItemMessageW(window_, IDC_BUS_LOG, BM_GETCHECK, 0, 0) == BST_CHECKED);
      return;
    case IDC_BUS_INTERVAL:
      if (code == EN_CHANGE && !settingInterval_) intervalEdited();
      if (code == EN_KILLFOCUS) {  // the field shows the number in force
        settingInterval_ = true;
        SetDlgItemInt(window_, IDC_BUS_INTERVAL, static_cast<UINT>(core_.intervalMs()), FALSE);
        settingInterval_ = false;
      }
      return;
    case IDOK: {  // Enter on the list
      const auto focused = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
      if (GetFocus() == list_ && focused >= 0) showReport(static_cast<int>(focused));
      return;
    }
  }  // Escape (IDCANCEL) does nothing here, as in the traffic window
}

void WinBusViewWindow::intervalEdited() {
  wchar_t text[32] = L"";
  GetDlgItemTextW(window_, IDC_BUS_INTERVAL, text, 32);
  const long long typed = std::wcstoll(text, nullptr, 10);
  core_.setIntervalMs(static_cast<int>(std::clamp<long long>(typed, 0, kBusIntervalMaxMs)));
}

void WinBusViewWindow::switchPolling() {
  if (core_.running()) {
    core_.stop();
    return;
  }
  if (hooks_.portTaken && hooks_.portTaken()) {
    showInfo(kBusPortBusy);
    return;
  }
  core_.start();
}

void WinBusViewWindow::openWithDialog() {
  const std::string path = AskFileName(window_, core_.path(), BusFileQuestion(false));
  if (!path.empty()) core_.open(path);
}

void WinBusViewWindow::saveWithDialog() {
  const std::string path = AskFileName(window_, core_.path(), BusFileQuestion(true));
  if (!path.empty()) core_.save(path);
}

// The report as HTML, its CSV beside it.
void WinBusViewWindow::reportWithDialog() {
  const std::string path = AskFileName(window_, {}, kReportQuestion);
  if (path.empty()) return;
  ReportFiles files;
  files.html = path;
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of("\\/");
  files.csv = (dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr(0, dot) : path) + ".csv";
  if (core_.writeReport(std::move(files))) EnableWindow(GetDlgItem(window_, IDC_BUS_REPORT_BUTTON), FALSE);
}

void WinBusViewWindow::reportWritten(const std::vector<std::string>& paths) {
  EnableWindow(GetDlgItem(window_, IDC_BUS_REPORT_BUTTON), TRUE);
  if (paths.empty()) return;
  std::string text = kBusReportWritten;
  for (const std::string& path : paths) text += "\n" + path;
  showInfo(text);
}

LRESULT WinBusViewWindow::onNotify(NMHDR& header) {
  if (header.idFrom != IDC_BUS_LIST) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      fillCell(reinterpret_cast<NMLVDISPINFOW&>(header));
      return 0;
    case NM_CUSTOMDRAW:
      return customDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    case NM_DBLCLK: {
      const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
      if (click.iItem >= 0) showReport(click.iItem);
      return 0;
    }
  }
  return 0;
}

LRESULT WinBusViewWindow::customDraw(NMLVCUSTOMDRAW& draw) const {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      if (draw.nmcd.dwItemSpec >= rows_.size()) return CDRF_DODEFAULT;
      const BusRow& row = rows_[draw.nmcd.dwItemSpec];
      const bool statusCell = draw.iSubItem == static_cast<int>(BusColumn::kStatus);
      // Every cell is set: what one cell was given would carry over to the next.
      draw.clrText = GetSysColor(COLOR_WINDOWTEXT);
      if (row.stale) draw.clrText = ColourOf(kStaleRowColour);
      if (row.failing && statusCell)
        draw.clrText = ColourOf(kFailedRowColour);
      draw.clrTextBk = row.outside ? ColourOf(kOutsideCellColour) : GetSysColor(COLOR_WINDOW);
      return CDRF_NEWFONT;
    }
  }
  return CDRF_DODEFAULT;
}

void WinBusViewWindow::fillCell(NMLVDISPINFOW& info) const {
  LVITEMW& item = info.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  const auto row = static_cast<size_t>(item.iItem);
  if (row >= rows_.size() || item.iSubItem < 0 || item.iSubItem >= kBusColumns) {
    item.pszText[0] = L'\0';
    return;
  }
  const std::wstring text = Utf16(rows_[row].cells[static_cast<size_t>(item.iSubItem)]);
  lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
}

// Redraws what changed of a row: its cells one by one, or all of it when a mark changed.
void WinBusViewWindow::refreshRow(size_t module) {
  if (module >= rows_.size() || module >= core_.rowCount()) return;
  BusRow now = core_.row(module);
  BusRow& shown = rows_[module];
  if (now.stale != shown.stale || now.outside != shown.outside || now.failing != shown.failing) {
    shown = std::move(now);
    SendMessageW(list_, LVM_REDRAWITEMS, module, module);
    return;
  }
  for (int c = 0; c < kBusColumns; ++c) {
    if (now.cells[c] == shown.cells[c]) continue;
    shown.cells[c] = std::move(now.cells[c]);
    RECT cell{};
    cell.top = c;
    cell.left = LVIR_BOUNDS;
    if (SendMessageW(list_, LVM_GETSUBITEMRECT, module, reinterpret_cast<LPARAM>(&cell)))
      InvalidateRect(list_, &cell, FALSE);
  }
}

void WinBusViewWindow::refreshAges() {
  for (size_t module = 0; module < rows_.size(); ++module) refreshRow(module);
}

void WinBusViewWindow::showReport(int row) {
  if (row < 0 || static_cast<size_t>(row) >= core_.rowCount()) return;
  ShowTextWindow(window_, core_.reportOf(static_cast<size_t>(row)), reportFont_);
}

void WinBusViewWindow::close() {
  core_.stop();
  ShowWindow(window_, SW_HIDE);
}

// Not waited for: polling goes on while it is open.
void WinBusViewWindow::showInfo(const std::string& text) {
  MessageBoxW(window_, Utf16(text).c_str(), Utf16(Tr("win", "提示")).c_str(), MB_OK);
}

void WinBusViewWindow::schedulePoll(int milliseconds) {
  cancelPoll();
  if (milliseconds > 0) {
    SetTimer(window_, kPollTimer, static_cast<UINT>(std::max<int>(milliseconds, USER_TIMER_MINIMUM)), nullptr);
    return;
  }
  channel_.post([this, due = scheduled_] {
    if (due == scheduled_) core_.pollDue();
  });
}

void WinBusViewWindow::cancelPoll() {
  ++scheduled_;
  KillTimer(window_, kPollTimer);
}

void WinBusViewWindow::showAllRows() {
  rows_.clear();
  for (size_t module = 0; module < core_.rowCount(); ++module) rows_.push_back(core_.row(module));
  SendMessageW(list_, LVM_SETITEMCOUNT, rows_.size(), 0);
  InvalidateRect(list_, nullptr, FALSE);
}

void WinBusViewWindow::showRow(size_t module) { refreshRow(module); }

void WinBusViewWindow::setStatus(const std::string& text) {
  SetDlgItemTextW(window_, IDC_BUS_STATUS, Utf16(text).c_str());
}

void WinBusViewWindow::pollingSwitched(bool running) {
  SetDlgItemTextW(window_, IDC_BUS_START, Utf16(running ? kBusStopText : kBusStartText).c_str());
  if (hooks_.switched) hooks_.switched(running);
}

void WinBusViewWindow::setLogging(bool on) {
  SendDlgItemMessageW(window_, IDC_BUS_LOG, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string WinBusViewWindow::chooseLogFile(const std::string& last) { return ChooseLogFile(window_, last); }
