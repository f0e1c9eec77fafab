#include "win/win_monitor.h"

#include <algorithm>

#include "console/control_ids.h"
#include "monitor/monitor_texts.h"
#include "monitoring/monitor_layout.h"
#include "session/front_channel.h"
#include "win/trend_window.h"
#include "win/utf16.h"
#include "console/texts.h"

namespace {

// The poll timer's id on the main window.
constexpr UINT_PTR kPollTimer = 0x4D50;
constexpr const wchar_t* kSelf = L"DolvaneMonitor";

RECT PixelsOf(HWND dialog, const DluRect& dlu) {
  RECT rect{dlu.x, dlu.y, dlu.x + dlu.width, dlu.y + dlu.height};
  MapDialogRect(dialog, &rect);
  return rect;
}

HWND NewControl(HWND dialog, const wchar_t* cls, const std::string& text, DWORD style, int id, const DluRect& at) {
  const RECT rect = PixelsOf(dialog, at);
  HWND control = CreateWindowExW(0, cls, Utf16(text).c_str(), WS_CHILD | style, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
  return control;
}

}  // namespace

WinMonitor::WinMonitor(HWND dialog, const FormView& form, Session& session, FrontChannel& channel,
                       std::function<void(bool)> switched)
    : dialog_(dialog), channel_(channel), switched_(std::move(switched)), core_(*this, form, session) {
  switch_ = NewControl(dialog, L"BUTTON", kMonitorSwitchText, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, kSwitchId,
                       kMonitorSwitchRect);
  status_ = NewControl(dialog, L"STATIC", "", SS_LEFTNOWORDWRAP | SS_NOPREFIX, kStatusId, kMonitorStatusRect);
  SetPropW(dialog, kSelf, this);
}

WinMonitor::~WinMonitor() {
  KillTimer(dialog_, kPollTimer);
  RemovePropW(dialog_, kSelf);
}

bool WinMonitor::onCommand(int controlId, int code) {
  if (controlId != kSwitchId) return false;
  if (code != BN_CLICKED) return true;
  if (SendMessageW(switch_, BM_GETCHECK, 0, 0) != BST_CHECKED) {
    core_.stop();
  } else if (!core_.start()) {
    SendMessageW(switch_, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  return true;
}

void WinMonitor::commandsEnabled(bool enabled) { EnableWindow(switch_, enabled || core_.running()); }

void CALLBACK WinMonitor::PollTimer(HWND dialog, UINT, UINT_PTR, DWORD) {
  KillTimer(dialog, kPollTimer);  // one shot
  if (auto* self = static_cast<WinMonitor*>(GetPropW(dialog, kSelf))) self->core_.pollDue();
}

TrendWindow& WinMonitor::trend() {
  if (!trend_) {
    trend_ = std::make_unique<TrendWindow>(
        dialog_, TrendWindow::Handlers{[this](bool on) { core_.switchLogging(on); },
                                       [this](int ms) { core_.setIntervalMs(ms); }, [this] { core_.stop(); }});
  }
  return *trend_;
}

// Not waited for: polling goes on while it is open, as in the Qt window.
void WinMonitor::showInfo(const std::string& text) {
  MessageBoxW(dialog_, Utf16(text).c_str(), Utf16(Tr("win", "提示")).c_str(), MB_OK);
}

void WinMonitor::setStatus(const std::string& text, bool visible) {
  if (visible) SetWindowTextW(status_, Utf16(text).c_str());
  ShowWindow(status_, visible ? SW_SHOWNA : SW_HIDE);
}

// The pane keeps where the user scrolled to; only the text changes.
void WinMonitor::showReport(const std::string& report) {
  HWND pane = GetDlgItem(dialog_, ids::kOutputPane);
  const std::wstring shown = EditControlText(report);
  const int length = GetWindowTextLengthW(pane);
  std::wstring now(static_cast<size_t>(length) + 1, L'\0');
  now.resize(static_cast<size_t>(GetWindowTextW(pane, now.data(), length + 1)));
  if (now == shown) return;
  const LRESULT top = SendMessageW(pane, EM_GETFIRSTVISIBLELINE, 0, 0);
  const int left = GetScrollPos(pane, SB_HORZ);
  SendMessageW(pane, WM_SETREDRAW, FALSE, 0);
  SetWindowTextW(pane, shown.c_str());
  SendMessageW(pane, EM_LINESCROLL, 0, top);
  SendMessageW(pane, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, left), 0);
  SendMessageW(pane, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(pane, nullptr, TRUE);
}

void WinMonitor::schedulePoll(int milliseconds) {
  cancelPoll();
  if (milliseconds > 0) {
    SetTimer(dialog_, kPollTimer, static_cast<UINT>(std::max<int>(milliseconds, USER_TIMER_MINIMUM)), PollTimer);
    return;
  }
  channel_.post([this, due = scheduled_] {
    if (due == scheduled_) core_.pollDue();
  });
}

void WinMonitor::cancelPoll() {
  ++scheduled_;
  KillTimer(dialog_, kPollTimer);
}

void WinMonitor::trendStarts(const std::vector<QuantityColumn>& columns) {
  TrendWindow& window = trend();
  window.showBeside();
  window.reset(columns);
  window.setRunning(true);
}

void WinMonitor::trendAdd(const PollResult& result) { trend_->add(result); }

void WinMonitor::trendEnds(bool polled) {
  trend_->setRunning(false);
  trend_->refresh();
  if (!polled) trend_->hide();  // nothing reached the module: no trend to look at
}

void WinMonitor::setLogging(bool on) { trend_->setLogging(on); }

std::string WinMonitor::chooseLogFile(const std::string& last) { return trend_->chooseLogFile(last); }

void WinMonitor::monitoringSwitched(bool running) {
  SendMessageW(switch_, BM_SETCHECK, running ? BST_CHECKED : BST_UNCHECKED, 0);
  switched_(running);
}
