#include "win/finder_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <initializer_list>

#include "bus/scan_to_bus.h"
#include "busview/bus_view_core.h"
#include "win/child_windows.h"
#include "win/pick_model_dialog.h"
#include "win/resource.h"
#include "win/utf16.h"
#include "console/texts.h"

namespace {

constexpr const wchar_t* kClassName = L"DolvaneFinderDialog";
constexpr int kFontPoints = 9;
constexpr int kWidth = 640;
constexpr int kHeight = 420;
constexpr int kMargin = 10;
constexpr int kGap = 6;
constexpr int kButtonWidth = 96;
// The station and what answered line up as the command line's columns do.
constexpr int kResultTabStop = 24;  // dialog template units: about five digits

struct NumberField {
  int id;
  const FinderField& limits;
};
const NumberField kNumberFields[] = {{IDC_FINDER_FROM, kScanFromField},
                                     {IDC_FINDER_TO, kScanToField},
                                     {IDC_FINDER_TURNAROUND, kTurnaroundField},
                                     {IDC_FINDER_STATION, kDetectStationField}};
// What a run greys; Cancel is the other way round.
constexpr int kIdleControls[] = {IDC_FINDER_FROM,    IDC_FINDER_TO,   IDC_FINDER_TURNAROUND,
                                 IDC_FINDER_STATION, IDC_FINDER_SCAN, IDC_FINDER_DETECT,
                                 IDC_FINDER_CLOSE};

int SpinOf(int fieldId) { return fieldId + IDC_FINDER_SPIN_OFFSET; }

}  // namespace

FinderDialog::FinderDialog(Runner run, std::function<void()> cancel, FrontChannel& front)
    : run_(std::move(run)), cancel_(std::move(cancel)), front_(front) {}

FinderDialog::~FinderDialog() {
  if (IsWindow(window_)) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
  if (resultsFont_) DeleteObject(resultsFont_);
}

void FinderDialog::exec(HWND owner) {
  RegisterToolWindowClass(kClassName, Proc);
  RECT over{};
  GetWindowRect(owner, &over);
  const int x = over.left + (over.right - over.left - kWidth) / 2;
  const int y = over.top + (over.bottom - over.top - kHeight) / 2;
  CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, Utf16(kFinderTitle).c_str(),
                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, x, y, kWidth, kHeight, owner, nullptr,
                  GetModuleHandleW(nullptr), this);
  if (!window_) return;
  EnableWindow(owner, FALSE);
  ShowWindow(window_, SW_SHOW);
  SetFocus(GetDlgItem(window_, IDC_FINDER_FROM));
  // Modal as a dialog box is: the owner's posted tasks (the worker's
  // progress and done) reach its procedure through DispatchMessage.
  MSG message;
  while (!closed_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // for the loop outside
      break;
    }
    if (IsDialogMessageW(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  EnableWindow(owner, TRUE);  // first, so that the owner takes the activation back
  DestroyWindow(window_);
}

LRESULT CALLBACK FinderDialog::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<FinderDialog>(window, message, lParam);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCCREATE) self->window_ = window;
  return self->handle(message, wParam, lParam);
}

LRESULT FinderDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      createControls();
      return 0;
    case WM_SIZE:
      layout();
      return 0;
    case WM_COMMAND:
      onCommand(LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      close();
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void FinderDialog::createControls() {
  font_ = NewDialogFont(window_, kFontPoints);
  resultsFont_ = NewPaneFont(window_);
  const auto label = [this](int id, const char* text) {
    NewChild(window_, WC_STATICW, Utf16(text), SS_LEFT | SS_NOPREFIX, id, font_);
  };
  const auto button = [this](int id, const char* text) {
    NewChild(window_, WC_BUTTONW, Utf16(text), WS_TABSTOP | BS_PUSHBUTTON, id, font_);
  };
  NewChild(window_, WC_BUTTONW, Utf16(kScanGroupText), BS_GROUPBOX, IDC_FINDER_SCAN_GROUP, font_);
  NewChild(window_, WC_BUTTONW, Utf16(kDetectGroupText), BS_GROUPBOX, IDC_FINDER_DETECT_GROUP, font_);
  label(IDC_FINDER_FROM_LABEL, kStationLabel);
  label(IDC_FINDER_TO_LABEL, kRangeToLabel);
  label(IDC_FINDER_TURNAROUND_LABEL, kTurnaroundLabel);
  label(IDC_FINDER_SUFFIX_LABEL, kTurnaroundSuffix);
  label(IDC_FINDER_STATION_LABEL, kStationLabel);
  // In tab order: the scan's fields and button, then the detection's.
  for (int id : {IDC_FINDER_FROM, IDC_FINDER_TO, IDC_FINDER_TURNAROUND, IDC_FINDER_SCAN, IDC_FINDER_BUS,
                 IDC_FINDER_STATION, IDC_FINDER_DETECT}) {
    if (id == IDC_FINDER_SCAN) {
      button(id, kScanButtonText);
      continue;
    }
    if (id == IDC_FINDER_BUS) {
      button(id, kBusFromScanText);
      continue;
    }
    if (id == IDC_FINDER_DETECT) {
      button(id, kDetectButtonText);
      continue;
    }
    const FinderField& limits =
        std::find_if(std::begin(kNumberFields), std::end(kNumberFields), [id](const NumberField& f) {
          return f.id == id;
        })->limits;
    HWND edit = NewChild(window_, WC_EDITW, std::to_wstring(limits.initial), WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL,
                         id, font_, WS_EX_CLIENTEDGE);
    HWND spin = NewChild(window_, UPDOWN_CLASSW, L"",
                         UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, SpinOf(id), font_);
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(limits.min), limits.max);
    SendMessageW(spin, UDM_SETPOS32, 0, limits.initial);
  }
  HWND results = NewChild(window_, WC_EDITW, L"",
                          WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
                              ES_AUTOHSCROLL,
                          IDC_FINDER_RESULTS, resultsFont_, WS_EX_CLIENTEDGE);
  const int tabStop = kResultTabStop;
  SendMessageW(results, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
  NewChild(window_, PROGRESS_CLASSW, L"", 0, IDC_FINDER_PROGRESS, font_);
  button(IDC_FINDER_CANCEL, kCancelButtonText);
  button(IDC_FINDER_CLOSE, kCloseButtonText);
  setRunning(false);
}

void FinderDialog::layout() {
  RECT client{};
  GetClientRect(window_, &client);
  TEXTMETRICW metrics{};
  HDC dc = GetDC(window_);
  HGDIOBJ old = SelectObject(dc, font_);
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(window_, dc);
  const int row = metrics.tmHeight + 10;  // a field's or a button's height
  const int labelWidth = TextWidth(window_, font_, Utf16(kTurnaroundLabel), 2);
  const int fieldWidth = 70;
  const int groupWidth = (client.right - 2 * kMargin - kGap) / 2;
  const int groupHeight = metrics.tmHeight + 3 * (row + kGap) + kGap;
  const auto field = [&](int id, int x, int y) {
    Place(window_, id, x, y, fieldWidth, row);
    // The up-down control moves beside its field again.
    SendMessageW(GetDlgItem(window_, SpinOf(id)), UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(window_, id)), 0);
  };
  const auto labelAt = [&](int id, int x, int y, int width) {
    Place(window_, id, x, y + (row - metrics.tmHeight) / 2, width, metrics.tmHeight + 2);
  };

  // The scan's group on the left, the detection's on the right.
  int left = kMargin;
  int top = kMargin;
  Place(window_, IDC_FINDER_SCAN_GROUP, left, top, groupWidth, groupHeight);
  int x = left + kGap + 4;
  int y = top + metrics.tmHeight + kGap;
  labelAt(IDC_FINDER_FROM_LABEL, x, y, labelWidth);
  field(IDC_FINDER_FROM, x + labelWidth, y);
  const int toWidth = TextWidth(window_, font_, Utf16(kRangeToLabel), 4);
  labelAt(IDC_FINDER_TO_LABEL, x + labelWidth + fieldWidth + kGap, y, toWidth);
  field(IDC_FINDER_TO, x + labelWidth + fieldWidth + kGap + toWidth, y);
  y += row + kGap;
  labelAt(IDC_FINDER_TURNAROUND_LABEL, x, y, labelWidth);
  field(IDC_FINDER_TURNAROUND, x + labelWidth, y);
  labelAt(IDC_FINDER_SUFFIX_LABEL, x + labelWidth + fieldWidth + 2, y,
          TextWidth(window_, font_, Utf16(kTurnaroundSuffix), 2));
  y += row + kGap;
  Place(window_, IDC_FINDER_SCAN, x, y, kButtonWidth, row);
  Place(window_, IDC_FINDER_BUS, x + kButtonWidth + kGap, y, kButtonWidth, row);

  left += groupWidth + kGap;
  Place(window_, IDC_FINDER_DETECT_GROUP, left, top, groupWidth, groupHeight);
  x = left + kGap + 4;
  y = top + metrics.tmHeight + kGap;
  labelAt(IDC_FINDER_STATION_LABEL, x, y, labelWidth);
  field(IDC_FINDER_STATION, x + labelWidth, y);
  y += row + kGap;
  Place(window_, IDC_FINDER_DETECT, x, y, kButtonWidth, row);

  const int bottom = client.bottom - kMargin - row;
  const int resultsTop = top + groupHeight + kGap;
  Place(window_, IDC_FINDER_RESULTS, kMargin, resultsTop, client.right - 2 * kMargin,
        std::max(0, bottom - kGap - resultsTop));
  const int closeLeft = client.right - kMargin - kButtonWidth;
  const int cancelLeft = closeLeft - kGap - kButtonWidth;
  Place(window_, IDC_FINDER_CLOSE, closeLeft, bottom, kButtonWidth, row);
  Place(window_, IDC_FINDER_CANCEL, cancelLeft, bottom, kButtonWidth, row);
  Place(window_, IDC_FINDER_PROGRESS, kMargin, bottom + 3, std::max(0, cancelLeft - kGap - kMargin), row - 6);
}

// The field's number within its limits, written back as a spin box shows it.
int FinderDialog::fieldValue(int id, const FinderField& field) {
  wchar_t text[32] = L"";
  GetDlgItemTextW(window_, id, text, 32);
  const int value = text[0] ? field.clamped(static_cast<int>(std::wcstol(text, nullptr, 10))) : field.initial;
  SetDlgItemInt(window_, id, static_cast<UINT>(value), FALSE);
  return value;
}

void FinderDialog::onCommand(int id) {
  switch (id) {
    case IDC_FINDER_SCAN:
      runDiscovery(finderRun_.scanStations(fieldValue(IDC_FINDER_FROM, kScanFromField),
                                           fieldValue(IDC_FINDER_TO, kScanToField),
                                           fieldValue(IDC_FINDER_TURNAROUND, kTurnaroundField), progressSink()));
      return;
    case IDC_FINDER_DETECT:
      runDiscovery(finderRun_.detectLine(fieldValue(IDC_FINDER_STATION, kDetectStationField),
                                         fieldValue(IDC_FINDER_TURNAROUND, kTurnaroundField), progressSink()));
      return;
    case IDC_FINDER_BUS: makeBus(); return;
    case IDC_FINDER_CANCEL: requestCancel(); return;
    case IDC_FINDER_CLOSE:
    case IDCANCEL:  // Escape: during a run it asks the run to stop
      close();
      return;
  }
}

// Called on the worker: the bar is this thread's.
FinderRun::Progress FinderDialog::progressSink() {
  return [this](int done, int total) { front_.post([this, done, total] { showProgress(done, total); }); };
}

void FinderDialog::runDiscovery(FinderRun::Job job) {
  if (running_) return;
  setRunning(true);
  SetDlgItemTextW(window_, IDC_FINDER_RESULTS, L"");
  const bool started = run_(std::move(job), [this] {
    setRunning(false);
    SetDlgItemTextW(window_, IDC_FINDER_RESULTS, EditControlText(finderRun_.report()).c_str());
  });
  if (!started) {
    setRunning(false);
    SetDlgItemTextW(window_, IDC_FINDER_RESULTS, EditControlText(kFinderPortBusy).c_str());
  }
}

void FinderDialog::showProgress(int done, int total) {
  HWND bar = GetDlgItem(window_, IDC_FINDER_PROGRESS);
  SendMessageW(bar, PBM_SETRANGE32, 0, std::max(total, 1));
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
}

void FinderDialog::requestCancel() {
  finderRun_.requestCancel();
  cancel_();
}

void FinderDialog::setRunning(bool running) {
  running_ = running;
  HWND focus = GetFocus();
  for (int id : kIdleControls) {
    EnableWindow(GetDlgItem(window_, id), !running);
    if (id != IDC_FINDER_SCAN && id != IDC_FINDER_DETECT && id != IDC_FINDER_CLOSE)
      EnableWindow(GetDlgItem(window_, SpinOf(id)), !running);
  }
  EnableWindow(GetDlgItem(window_, IDC_FINDER_CANCEL), running);
  EnableWindow(GetDlgItem(window_, IDC_FINDER_BUS), !running && scanFoundModules());
  // A greyed control loses the keyboard: Cancel takes it during a run, Close after.
  if (focus && !IsWindowEnabled(focus))
    SetFocus(GetDlgItem(window_, running ? IDC_FINDER_CANCEL : IDC_FINDER_CLOSE));
  if (running) showProgress(0, 1);
}

bool FinderDialog::scanFoundModules() const {
  const std::optional<FinderRun::Scan>& scan = finderRun_.lastScan();
  return scan && !scan->found.found.empty();
}

// Asks for the model of each station several fit, names those none fits, and
// closes the dialog: the bus view opens on the bus once the port is free.
void FinderDialog::makeBus() {
  if (running_ || !scanFoundModules()) return;
  const FinderRun::Scan& scan = *finderRun_.lastScan();
  ScannedBus scanned = BusFromScan(scan.found, scan.port, scan.baudRate, scan.lineFormat);
  for (BusModule& module : scanned.bus.modules) {
    const auto choice = scanned.choices.find(module.station);
    if (choice != scanned.choices.end())
      module.model = RunPickModelDialog(window_, module.station, choice->second);
  }
  const std::string note = UnnamedStationsNote(scanned.unnamed);
  if (!note.empty()) MessageBoxW(window_, Utf16(note).c_str(), Utf16(Tr("win", "提示")).c_str(), MB_OK);
  scannedBus_ = std::move(scanned.bus);
  closed_ = true;
}

void FinderDialog::close() {
  if (running_) {
    requestCancel();  // the dialog stays until the run gave the port back
    return;
  }
  closed_ = true;
}
