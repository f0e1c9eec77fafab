// Drives a running dolvane-console.exe through window messages, as a user would
// through the mouse: opens a port by the port dialog, presses a model button,
// and prints the pane's text (UTF-8) to stdout. It also checks that Escape and
// Enter leave the window open and that the system menu's About item opens the
// About box. Exit status 0 when every step held.
//   window_probe.exe PORT BUTTON-ID [LINGER-SECONDS [MODULES]]
// PORT "-" takes the entry the port dialog starts with (the simulated bus).
// Given MODULES (the simulated modules at stations 1..MODULES), it also opens
// the 通讯监视 window with Ctrl+M and reads its list, and scans stations 1-20 in
// the 查找模块 dialog opened with Ctrl+F, and opens the About box with F1 and
// from the pane's context menu.
// With --monitor it opens the port and reads with the button, then monitors:
// the 监视 switch on, the trend window's interval at 200 ms and its CSV log on
// through the save dialog (typed as a user would), POLLS polls logged, the
// switch off (the trend's span at its last minute); it prints the status strip
// (UTF-8) and lingers while polling.
//   window_probe.exe PORT BUTTON-ID LINGER-SECONDS --monitor CSV-PATH POLLS
// With --bus it opens the port and reads with the button, then opens the 总线视图
// window with Ctrl+B, the bus file through its open dialog (typed as a user
// would), polls until every row says 正常 while the main window's commands are
// grey, prints each row's station, name, model, status and 越限 cells (UTF-8,
// tab-separated), opens the first row's report with a double-click, lingers,
// and stops polling. With MODULES, the finder's 生成总线… is checked too.
//   window_probe.exe PORT BUTTON-ID LINGER-SECONDS --bus BUS-PATH MODULES
#include <windows.h>
#include <commctrl.h>

#include <fcntl.h>
#include <io.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "busview/bus_rows.h"
#include "busview/bus_view_core.h"
#include "layout/main_window_controls.h"
#include "tools/finder_run.h"
#include "tools/traffic_rows.h"

namespace {

constexpr int kOpenPort = 1000;
constexpr int kOutputPane = 1002;
constexpr int kStation = 1006;
constexpr int kPortEdit = 1005;
constexpr int kAboutCommand = 0x0010;
constexpr const wchar_t* kSilentStation = L"99";
// Monitoring: the switch and status strip on the main window, the trend window's controls.
constexpr int kMonitorSwitch = 1120;
constexpr int kMonitorStatus = 1121;
constexpr int kTrendSpan = 101;
constexpr int kTrendInterval = 102;
constexpr int kTrendLogSwitch = 103;
constexpr int kTrendStop = 104;
constexpr int k200MsChoice = 1;
constexpr int kOneMinuteChoice = 0;
// The tool windows' controls (src/win/resource.h).
constexpr int kFinderFrom = 1210;
constexpr int kFinderTo = 1211;
constexpr int kFinderScan = 1214;
constexpr int kFinderCancel = 1216;
constexpr int kFinderClose = 1217;
constexpr int kFinderResults = 1219;
constexpr int kFinderBus = 1227;
constexpr int kBusOpen = 1300;
constexpr int kBusStart = 1302;
constexpr int kBusList = 1308;
constexpr int kBusStatus = 1309;
constexpr int kBusReport = 1310;
constexpr const wchar_t* kBusReportClass = L"DolvaneBusReport";

std::string Utf8(const std::wstring& wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                      nullptr, nullptr);
  return text;
}

bool WaitFor(const std::function<bool()>& done, int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return done();
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, 5000, &length)) return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_BLOCK, 5000, &got);
  text.resize(got);
  return text;
}

HWND g_found = nullptr;
const wchar_t* g_prefix = nullptr;

BOOL CALLBACK MatchTitle(HWND window, LPARAM) {
  wchar_t title[256] = L"";
  GetWindowTextW(window, title, 256);
  if (IsWindowVisible(window) && wcsncmp(title, g_prefix, wcslen(g_prefix)) == 0) {
    g_found = window;
    return FALSE;
  }
  return TRUE;
}

HWND TopWindow(const wchar_t* titlePrefix) {
  g_found = nullptr;
  g_prefix = titlePrefix;
  EnumWindows(MatchTitle, 0);
  return g_found;
}

void Click(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The dialog's base units, found from its client area of 681 x 407 units.
bool BaseUnits(HWND main, int& baseX, int& baseY) {
  RECT client{};
  GetClientRect(main, &client);
  baseX = baseY = 0;
  for (int x = 4; x <= 32 && !baseX; ++x)
    if (MulDiv(kMainWindowWidthDlu, x, 4) == client.right) baseX = x;
  for (int y = 8; y <= 64 && !baseY; ++y)
    if (MulDiv(kMainWindowHeightDlu, y, 8) == client.bottom) baseY = y;
  return baseX && baseY;
}

// Every control of the shared table where the table puts it, of its kind's style.
const char* TemplateFault(HWND main) {
  static std::string fault;
  int baseX = 0, baseY = 0;
  if (!BaseUnits(main, baseX, baseY)) return "the client area is not 681 x 407 dialog units";
  if ((GetWindowLongW(main, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0)
    return "the window can be resized, minimised or maximised";
  for (const ControlDef& def : MainWindowControls()) {
    if (def.id == 0) continue;
    HWND control = GetDlgItem(main, def.id);
    RECT placed{};
    GetWindowRect(control, &placed);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&placed), 2);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const bool where = placed.left == MulDiv(def.rect.x, baseX, 4) &&
                       placed.top == MulDiv(def.rect.y, baseY, 8) &&
                       placed.right - placed.left == MulDiv(def.rect.width, baseX, 4) &&
                       // a combo's template height is its open list's
                       (def.kind == ControlKind::kCombo ||
                        placed.bottom - placed.top == MulDiv(def.rect.height, baseY, 8));
    bool styled = true;
    switch (def.kind) {
      case ControlKind::kDigitEdit: styled = style & ES_NUMBER; break;
      case ControlKind::kCombo: styled = (style & 3) == CBS_DROPDOWNLIST; break;
      case ControlKind::kHiddenButton: styled = !(style & WS_VISIBLE); break;
      case ControlKind::kPane: styled = (style & ES_MULTILINE) && (style & ES_READONLY); break;
      default: break;
    }
    if (!where || !styled) {
      fault = "control " + std::to_string(def.id) + (where ? " has the wrong style" : " is misplaced");
      return fault.c_str();
    }
  }
  return nullptr;
}

void SetText(HWND control, const wchar_t* text) {
  SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

int Fail(const char* what);

// Reads a silent station with `button`: the command runs on the window's
// worker, so the window greys the button, takes a digit typed into the station
// field while the read waits, and gives the button back after the time-out's box.
const char* SilentReadFault(HWND main, int button) {
  HWND station = GetDlgItem(main, kStation);
  HWND read = GetDlgItem(main, button);
  SetText(station, kSilentStation);
  Click(main, button);
  if (!WaitFor([&] { return !IsWindowEnabled(read); }, 10)) return "a running read left its button enabled";
  PostMessageW(station, WM_CHAR, L'7', 0);
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = TopWindow(L"提示")) != nullptr; }, 20)) return "the silent read ended on no box";
  if (TextOf(station) == kSilentStation) return "the station field dropped input typed while a read waited";
  Click(box, IDOK);
  if (!WaitFor([&] { return IsWindowEnabled(read); }, 10)) return "the read's button stayed grey after its box";
  return nullptr;
}

std::wstring Wide(const char* utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring text(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), n);
  text.resize(static_cast<size_t>(n - 1));
  return text;
}

// A key, with Ctrl held or not, typed into whatever has the keyboard, as a user would.
void Press(WORD key, bool control) {
  std::vector<INPUT> keys;
  const auto add = [&keys](WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    keys.push_back(input);
  };
  if (control) add(VK_CONTROL, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (control) add(VK_CONTROL, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

// Gives `main` the keyboard, then types the key into the control that has it.
void ShortcutInMain(HWND main, WORD key, bool control = true) {
  SetForegroundWindow(main);
  WaitFor([&] { return GetForegroundWindow() == main; }, 5);
  Press(key, control);
}

HWND OpenMenu() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// A right-click on the output pane opens the window's menu beneath the pane's
// own entries; its About item (A) opens the About box.
const char* PaneMenuFault(HWND main) {
  SetForegroundWindow(main);
  WaitFor([&] { return GetForegroundWindow() == main; }, 5);
  HWND pane = GetDlgItem(main, kOutputPane);
  RECT at{};
  GetWindowRect(pane, &at);
  PostMessageW(pane, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pane), MAKELPARAM(at.left + 20, at.top + 20));
  if (!WaitFor([] { return OpenMenu() != nullptr; }, 10)) return "a right-click on the pane opened no menu";
  Press('A', false);
  HWND about = nullptr;
  if (!WaitFor([&] { return (about = TopWindow(L"关于Dolvane电参数采集")) != nullptr; }, 10))
    return "the pane's menu has no About item";
  Click(about, IDOK);
  if (!WaitFor([&] { return !IsWindow(about); }, 10)) return "the About box did not close";
  return nullptr;
}

// F1 opens the About box, as the system menu's item does.
const char* AboutKeyFault(HWND main) {
  ShortcutInMain(main, VK_F1, false);
  HWND about = nullptr;
  if (!WaitFor([&] { return (about = TopWindow(L"关于Dolvane电参数采集")) != nullptr; }, 10))
    return "F1 opened no About box";
  Click(about, IDOK);
  if (!WaitFor([&] { return !IsWindow(about); }, 10)) return "the About box did not close";
  return nullptr;
}

// A ListView's cell of another process: the text comes back through memory
// lent in that process.
std::wstring ListCell(HWND list, int row, int column) {
  constexpr size_t kChars = 1024;
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return L"";
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
  std::wstring text(kChars, L'\0');
  if (remote) {
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = kChars;
    item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
    WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    DWORD_PTR got = 0;
    SendMessageTimeoutW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote),
                        SMTO_BLOCK, 5000, &got);
    ReadProcessMemory(process, item.pszText, text.data(), kChars * sizeof(wchar_t), nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  text.resize(wcslen(text.c_str()));
  return text;
}

// Ctrl+M opens the traffic window; the 4SX/Y read of station 1 that follows
// is listed there: its request and its reply, judged sound.
HWND OpenTrafficWindow(HWND main) {
  ShortcutInMain(main, 'M');
  HWND traffic = nullptr;
  WaitFor([&] { return (traffic = TopWindow(Wide(kTrafficWindowTitle).c_str())) != nullptr; }, 10);
  return traffic;
}

const char* TrafficFault(HWND traffic) {
  HWND list = FindWindowExW(traffic, nullptr, WC_LISTVIEWW, nullptr);
  if (!list) return "the traffic window has no list";
  const auto column = [](TrafficColumn c) { return static_cast<int>(c); };
  int tx = -1;
  int rx = -1;
  WaitFor(
      [&] {
        const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < rows; ++row) {
          const std::wstring direction = ListCell(list, row, column(TrafficColumn::kDirectionColumn));
          const std::wstring bytes = ListCell(list, row, column(TrafficColumn::kBytesColumn));
          if (direction == L"TX" && bytes.rfind(L"01 03 00 00 00 28", 0) == 0) tx = row;
          if (direction == L"RX" && tx >= 0 && row > tx && bytes.rfind(L"01 03 50", 0) == 0) rx = row;
        }
        return tx >= 0 && rx >= 0;
      },
      10);
  if (tx < 0) return "the traffic window lists no request to station 1";
  if (rx < 0) return "the traffic window lists no reply after the request";
  const std::wstring verdict = ListCell(list, rx, column(TrafficColumn::kVerdictColumn));
  if (verdict.find(L"[CRC 正确] 功能码 03") != 0) return "the reply's verdict is not [CRC 正确]";
  if (ListCell(list, tx, column(TrafficColumn::kLineColumn)) != L"9600 N,8,1") return "the request shows no line";
  return nullptr;
}

bool FinderIdle(HWND finder) {
  return IsWindowEnabled(GetDlgItem(finder, kFinderScan)) && !IsWindowEnabled(GetDlgItem(finder, kFinderCancel));
}

// Runs a scan of from..to and returns the results once it ended.
std::wstring Scan(HWND finder, const wchar_t* from, const wchar_t* to, const std::function<void()>& whileRunning) {
  SetText(GetDlgItem(finder, kFinderFrom), from);
  SetText(GetDlgItem(finder, kFinderTo), to);
  Click(finder, kFinderScan);
  if (WaitFor([&] { return !FinderIdle(finder); }, 5) && whileRunning) whileRunning();
  if (!WaitFor([&] { return FinderIdle(finder); }, 60)) return L"(still running)";
  return TextOf(GetDlgItem(finder, kFinderResults));
}

// Ctrl+F opens the finder; a scan of 1-20 names each simulated module; the
// close box during a longer scan cancels it and leaves the dialog open.
const char* FinderFault(HWND main, int modules) {
  ShortcutInMain(main, 'F');
  HWND finder = nullptr;
  if (!WaitFor([&] { return (finder = TopWindow(Wide(kFinderTitle).c_str())) != nullptr; }, 10))
    return "Ctrl+F opened no finder";
  const std::wstring found = Scan(finder, L"1", L"20", {});
  for (int station = 1; station <= modules; ++station) {
    const std::wstring line = std::to_wstring(station) + L"\t第 0 号寄存器 = ";
    if (found.rfind(line, 0) != 0 && found.find(L"\n" + line) == std::wstring::npos)
      return "the scan missed a simulated module";
  }
  if (found.find(L"\n" + std::to_wstring(modules + 1) + L"\t") != std::wstring::npos)
    return "the scan found a module where there is none";
  const std::wstring summary = L"已探测 20 个，" + std::to_wstring(modules) + L" 个应答。";
  if (found.find(summary) == std::wstring::npos) return "the scan's summary is wrong";

  const std::wstring cancelled =
      Scan(finder, L"1", L"247", [&] { PostMessageW(finder, WM_CLOSE, 0, 0); });
  if (!IsWindow(finder)) return "the finder closed while a scan ran";
  if (cancelled.find(L"已取消") == std::wstring::npos) return "closing during a scan did not cancel it";
  Click(finder, kFinderClose);
  if (!WaitFor([&] { return !IsWindow(finder); }, 10)) return "the finder's close button did not close it";
  return nullptr;
}

int Fail(const char* what) {
  std::fprintf(stderr, "window_probe: %s\n", what);
  if (HWND box = TopWindow(L"提示"))
    std::fprintf(stderr, "window_probe: box 提示: %s\n", Utf8(TextOf(GetDlgItem(box, 0xFFFF))).c_str());
  return 1;
}

BOOL CALLBACK CollectEdit(HWND child, LPARAM found) {
  wchar_t cls[32] = L"";
  GetClassNameW(child, cls, 32);
  if (_wcsicmp(cls, L"Edit") != 0 || !IsWindowVisible(child)) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

// The save dialog's file name field: edt1 in the classic templates, else the
// first visible edit.
HWND FileNameField(HWND dialog) {
  if (HWND field = GetDlgItem(dialog, 0x480)) return field;
  HWND found = nullptr;
  EnumChildWindows(dialog, CollectEdit, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool Checked(HWND box) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_BLOCK, 5000, &state);
  return state == BST_CHECKED;
}

bool TextStartsWith(HWND window, const std::wstring& start) {
  const std::wstring text = TextOf(window);
  return text.compare(0, start.size(), start) == 0;
}

// The polls the status strip counts: "监视中：轮询 12 次（…".
long PollsShown(HWND status) {
  const std::wstring text = TextOf(status);
  const size_t at = text.find(L"轮询 ");
  return at == std::wstring::npos ? -1 : std::wcstol(text.c_str() + at + 3, nullptr, 10);
}

// Opens `port` by the port dialog and reads with `button` at station 1: the
// pane then holds a report.
const char* OpenAndRead(HWND main, const std::wstring& port, int button) {
  Click(main, kOpenPort);
  HWND portDialog = nullptr;
  if (!WaitFor([&] { return (portDialog = TopWindow(L"请输入串口号")) != nullptr; }, 10)) return "no port dialog";
  SendMessageW(GetDlgItem(portDialog, kPortEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(port.c_str()));
  Click(portDialog, IDOK);
  if (!WaitFor([&] { return TextOf(GetDlgItem(main, kOpenPort)) == L"关闭串口"; }, 10)) return "the port did not open";
  SetText(GetDlgItem(main, kStation), L"1");
  HWND read = GetDlgItem(main, button);
  Click(main, button);
  if (!WaitFor([&] { return !IsWindowEnabled(read); }, 10)) return "the read did not start";
  if (!WaitFor([&] { return IsWindowEnabled(read); }, 30)) return "the read did not end";
  if (TopWindow(L"提示")) return "the read ended on a box";
  return nullptr;
}

// Monitoring with the CSV log on for `polls` polls, then off again.
const char* MonitorFault(HWND main, const std::wstring& csv, int polls, int linger) {
  HWND monitorSwitch = GetDlgItem(main, kMonitorSwitch);
  HWND status = GetDlgItem(main, kMonitorStatus);
  HWND command = GetDlgItem(main, kOpenPort);
  if (!monitorSwitch || !status) return "no 监视 switch or status strip";
  if (TextOf(monitorSwitch) != L"监视") return "the switch is not 监视";
  PostMessageW(monitorSwitch, BM_CLICK, 0, 0);
  HWND trend = nullptr;
  if (!WaitFor([&] { return (trend = TopWindow(L"监视趋势")) != nullptr; }, 10)) return "no trend window";
  if (!WaitFor([&] { return PollsShown(status) >= 1 && IsWindowVisible(status); }, 10)) return "the status strip counts no poll";
  if (!Checked(monitorSwitch) || IsWindowEnabled(command)) return "monitoring left the switch off or the commands live";
  if (!TextStartsWith(status, L"监视中：")) return "the status strip does not say 监视中";

  HWND span = GetDlgItem(trend, kTrendSpan);
  SendMessageW(span, CB_SETCURSEL, kOneMinuteChoice, 0);
  PostMessageW(trend, WM_COMMAND, MAKEWPARAM(kTrendSpan, CBN_SELCHANGE), reinterpret_cast<LPARAM>(span));
  HWND interval = GetDlgItem(trend, kTrendInterval);
  SendMessageW(interval, CB_SETCURSEL, k200MsChoice, 0);
  PostMessageW(trend, WM_COMMAND, MAKEWPARAM(kTrendInterval, CBN_SELCHANGE), reinterpret_cast<LPARAM>(interval));
  HWND logSwitch = GetDlgItem(trend, kTrendLogSwitch);
  PostMessageW(logSwitch, BM_CLICK, 0, 0);
  HWND save = nullptr;
  if (!WaitFor([&] { return (save = TopWindow(L"记录到CSV文件")) != nullptr; }, 20)) return "no save dialog for the log";
  HWND name = nullptr;
  if (!WaitFor([&] { return (name = FileNameField(save)) != nullptr; }, 10)) return "no file name field in the save dialog";
  SetText(name, csv.c_str());
  PostMessageW(save, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(save, IDOK)));
  if (!WaitFor([&] { return !IsWindow(save); }, 10)) return "the save dialog did not close";
  if (!WaitFor([&] { return Checked(logSwitch); }, 10)) return "the log switch is off after the save dialog";
  const long logged = PollsShown(status);
  if (!WaitFor([&] { return PollsShown(status) >= logged + polls + 1; }, 60)) return "monitoring stopped short";
  std::printf("polling\n");
  std::fflush(stdout);
  std::this_thread::sleep_for(std::chrono::seconds(linger));

  PostMessageW(monitorSwitch, BM_CLICK, 0, 0);
  if (!WaitFor([&] { return TextStartsWith(status, L"监视已停止："); }, 20)) return "the switch did not stop monitoring";
  if (!WaitFor([&] { return IsWindowEnabled(command); }, 10)) return "the commands stayed grey after monitoring";
  if (Checked(monitorSwitch) || Checked(logSwitch) || IsWindowEnabled(GetDlgItem(trend, kTrendStop)))
    return "the switch, the log switch or Stop still say monitoring";
  if (TopWindow(L"提示")) return "monitoring ended on a box";
  const std::string shown = Utf8(TextOf(status)) + "\n";
  std::fwrite(shown.data(), 1, shown.size(), stdout);
  std::fflush(stdout);
  return nullptr;
}

int Monitor(HWND main, const std::wstring& port, int button, const std::wstring& csv, int polls, int linger) {
  if (const char* fault = OpenAndRead(main, port, button)) return Fail(fault);
  if (const char* fault = MonitorFault(main, csv, polls, linger)) return Fail(fault);
  PostMessageW(main, WM_CLOSE, 0, 0);
  if (!WaitFor([&] { return !IsWindow(main); }, 10)) return Fail("the close box did not close the window");
  return 0;
}

HWND ShownBusView() {
  HWND bus = FindWindowW(L"DolvaneBusViewWindow", nullptr);
  return bus && IsWindowVisible(bus) ? bus : nullptr;
}

int ListRows(HWND list) {
  DWORD_PTR rows = 0;
  SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_BLOCK, 5000, &rows);
  return static_cast<int>(rows);
}

std::wstring BusCell(HWND list, int row, BusColumn column) { return ListCell(list, row, static_cast<int>(column)); }

bool EveryRowSays(HWND list, int rows, const std::wstring& status) {
  if (ListRows(list) != rows) return false;
  for (int row = 0; row < rows; ++row)
    if (BusCell(list, row, BusColumn::kStatus) != status) return false;
  return true;
}

// 打开… and the path typed into its dialog's file name field.
const char* OpenBusFile(HWND bus, const std::wstring& path) {
  Click(bus, kBusOpen);
  HWND dialog = nullptr;
  if (!WaitFor([&] { return (dialog = TopWindow(Wide(kBusOpenTitle).c_str())) != nullptr; }, 20))
    return "打开… opened no file dialog";
  HWND name = nullptr;
  if (!WaitFor([&] { return (name = FileNameField(dialog)) != nullptr; }, 10)) return "no file name field in the open dialog";
  SetText(name, path.c_str());
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  if (!WaitFor([&] { return !IsWindow(dialog); }, 10)) return "the open dialog did not close";
  return nullptr;
}

// A double-click on the first row opens its module's report in a window of its own.
const char* BusReportFault(HWND list) {
  RECT header{};
  GetWindowRect(FindWindowExW(list, nullptr, WC_HEADERW, nullptr), &header);
  const LPARAM at = MAKELPARAM(20, header.bottom - header.top + 6);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  HWND report = nullptr;
  if (!WaitFor([&] { return (report = FindWindowW(kBusReportClass, nullptr)) && IsWindowVisible(report); }, 10))
    return "a double-click on a row opened no report";
  const std::wstring text = TextOf(GetDlgItem(report, kBusReport));
  if (text.rfind(L"站号 1", 0) != 0 || text.find(L"最后一次正常读数") == std::wstring::npos)
    return "the row's report is not its module's last good reading";
  PostMessageW(report, WM_CLOSE, 0, 0);
  if (!WaitFor([&] { return !IsWindow(report); }, 10)) return "the report window did not close";
  return nullptr;
}

// Ctrl+B, the bus file, polling until every row says 正常 (the main window's
// commands grey meanwhile), the rows printed, Stop; the age column goes on
// counting after it.
const char* BusFileFault(HWND main, const std::wstring& path, int modules, int linger) {
  ShortcutInMain(main, 'B');
  HWND bus = nullptr;
  if (!WaitFor([&] { return (bus = ShownBusView()) != nullptr; }, 10)) return "Ctrl+B opened no bus view";
  if (const char* fault = OpenBusFile(bus, path)) return fault;
  HWND list = GetDlgItem(bus, kBusList);
  if (!WaitFor([&] { return ListRows(list) == modules; }, 10)) return "the bus view does not list the file's modules";
  HWND start = GetDlgItem(bus, kBusStart);
  HWND command = GetDlgItem(main, kOpenPort);
  Click(bus, kBusStart);
  if (!WaitFor([&] { return TextOf(start) == Wide(kBusStopText); }, 10)) return "开始轮询 did not start polling";
  if (IsWindowEnabled(command)) return "the main window's commands stay live while the bus polls";
  if (!WaitFor([&] { return EveryRowSays(list, modules, L"正常"); }, 60)) return "not every row came to say 正常";
  std::string rows;
  for (int row = 0; row < modules; ++row) {
    for (BusColumn column : {BusColumn::kStation, BusColumn::kName, BusColumn::kModel, BusColumn::kStatus})
      rows += Utf8(BusCell(list, row, column)) + "\t";
    rows += Utf8(BusCell(list, row, BusColumn::kOutside)) + "\n";
  }
  std::fwrite(rows.data(), 1, rows.size(), stdout);
  std::fflush(stdout);
  std::this_thread::sleep_for(std::chrono::seconds(linger));
  if (const char* fault = BusReportFault(list)) return fault;

  Click(bus, kBusStart);
  if (!WaitFor([&] { return TextOf(start) == Wide(kBusStartText); }, 20)) return "停止轮询 did not stop polling";
  if (!WaitFor([&] { return IsWindowEnabled(command); }, 10)) return "the commands stayed grey after polling";
  if (TopWindow(L"提示")) return "polling ended on a box";
  if (TextOf(GetDlgItem(bus, kBusStatus)).find(L"个周期") == std::wstring::npos) return "the status line counts no cycle";
  const std::wstring age = BusCell(list, 0, BusColumn::kAge);
  if (!WaitFor([&] { return BusCell(list, 0, BusColumn::kAge) != age; }, 5)) return "the age column stands still";
  PostMessageW(bus, WM_CLOSE, 0, 0);
  if (!WaitFor([&] { return !ShownBusView(); }, 10)) return "the close box did not hide the bus view";
  return nullptr;
}

// The finder's 生成总线… after a scan: a model asked for where several fit
// (the first station gets the second one offered), then the bus view with a
// row per station, not yet saved; closed while polling, it stops.
const char* BusFromScanFault(HWND main, int modules) {
  ShortcutInMain(main, 'F');
  HWND finder = nullptr;
  if (!WaitFor([&] { return (finder = TopWindow(Wide(kFinderTitle).c_str())) != nullptr; }, 10))
    return "Ctrl+F opened no finder";
  if (IsWindowEnabled(GetDlgItem(finder, kFinderBus))) return "生成总线… is live before a scan";
  const std::wstring last = std::to_wstring(modules);
  if (Scan(finder, L"1", last.c_str(), {}).find(L"已探测") == std::wstring::npos) return "the scan did not end";
  if (!IsWindowEnabled(GetDlgItem(finder, kFinderBus))) return "生成总线… stays grey after a scan that found modules";
  Click(finder, kFinderBus);
  std::wstring picked;
  int asked = 0;
  HWND bus = nullptr;
  WaitFor(
      [&] {
        if (HWND pick = TopWindow(Wide(kBusPickModelTitle).c_str())) {
          HWND combo = FindWindowExW(pick, nullptr, WC_COMBOBOXW, nullptr);
          if (asked++ == 0) {
            SendMessageW(combo, CB_SETCURSEL, 1, 0);
            picked = TextOf(combo);
          }
          PostMessageW(pick, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
          WaitFor([&] { return !IsWindow(pick); }, 5);
        }
        return !IsWindow(finder) && (bus = ShownBusView()) != nullptr;
      },
      30);
  if (!bus) return "生成总线… opened no bus view";
  if (asked == 0) return "no model was asked for where several fit";
  HWND list = GetDlgItem(bus, kBusList);
  if (ListRows(list) != modules) return "the scanned bus has not a row per module";
  for (int row = 0; row < modules; ++row)
    if (BusCell(list, row, BusColumn::kStation) != std::to_wstring(row + 1)) return "the scanned bus's stations are wrong";
  if (picked.empty() || BusCell(list, 0, BusColumn::kModel) != picked) return "the model picked is not the row's";
  if (TextOf(GetDlgItem(bus, kBusStatus)).rfind(L"（未保存）", 0) != 0) return "the scanned bus does not say it is unsaved";
  // Closing the view while it polls ends the polling.
  HWND command = GetDlgItem(main, kOpenPort);
  Click(bus, kBusStart);
  if (!WaitFor([&] { return !IsWindowEnabled(command); }, 10)) return "the scanned bus does not poll";
  PostMessageW(bus, WM_CLOSE, 0, 0);
  if (!WaitFor([&] { return !ShownBusView() && IsWindowEnabled(command); }, 20))
    return "closing the bus view left it polling";
  return nullptr;
}

int BusView(HWND main, const std::wstring& port, int button, const std::wstring& path, int modules, int linger) {
  if (const char* fault = OpenAndRead(main, port, button)) return Fail(fault);
  if (const char* fault = BusFileFault(main, path, modules, linger)) return Fail(fault);
  if (const char* fault = BusFromScanFault(main, modules)) return Fail(fault);
  PostMessageW(main, WM_CLOSE, 0, 0);
  if (!WaitFor([&] { return !IsWindow(main); }, 10)) return Fail("the close box did not close the window");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Fail("usage: window_probe PORT BUTTON-ID [LINGER-SECONDS] [--monitor CSV-PATH POLLS]");
  _setmode(_fileno(stdout), _O_BINARY);
  const std::wstring port(argv[1], argv[1] + strlen(argv[1]));
  const int button = std::atoi(argv[2]);
  const int linger = argc > 3 ? std::atoi(argv[3]) : 0;
  const int modules = argc > 4 ? std::atoi(argv[4]) : 0;

  HWND main = nullptr;
  if (!WaitFor([&] { return (main = TopWindow(L"Dolvane采集模块调试工具")) != nullptr; }, 60))
    return Fail("no main window");
  if (argc > 6 && std::strcmp(argv[4], "--bus") == 0) {
    const std::wstring path = Wide(argv[5]);
    return BusView(main, port, button, path, std::atoi(argv[6]), linger);
  }
  if (argc > 6 && std::strcmp(argv[4], "--monitor") == 0) {
    const std::string csv = argv[5];
    return Monitor(main, port, button, std::wstring(csv.begin(), csv.end()), std::atoi(argv[6]), linger);
  }
  if (const char* fault = TemplateFault(main)) return Fail(fault);
  HWND pane = GetDlgItem(main, kOutputPane);
  const std::wstring welcome = TextOf(pane);
  if (welcome.find(L"感谢使用我司产品") != 0) return Fail("no welcome text in the pane");

  // Escape and Enter reach the dialog's keyboard handling as from a user.
  for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
    PostMessageW(GetDlgItem(main, kStation), WM_KEYDOWN, key, 0);
    PostMessageW(GetDlgItem(main, kStation), WM_KEYUP, key, 0);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  if (!IsWindow(main)) return Fail("Escape or Enter closed the window");

  PostMessageW(main, WM_SYSCOMMAND, kAboutCommand, 0);
  HWND about = nullptr;
  if (!WaitFor([&] { return (about = TopWindow(L"关于Dolvane电参数采集")) != nullptr; }, 10))
    return Fail("the system menu's About item opened no About box");
  Click(about, IDOK);
  if (!WaitFor([&] { return !IsWindow(about); }, 10)) return Fail("the About box did not close");

  Click(main, kOpenPort);
  HWND portDialog = nullptr;
  if (!WaitFor([&] { return (portDialog = TopWindow(L"请输入串口号")) != nullptr; }, 10))
    return Fail("no port dialog");
  HWND portEdit = GetDlgItem(portDialog, kPortEdit);
  // The entry starts with a listed port or empty: never with a number of its own.
  if (TextOf(portEdit) == L"1") return Fail("the port dialog started with port 1");
  if (port != L"-") {
    SetText(portEdit, port.c_str());
  } else if (TextOf(portEdit).empty()) {
    return Fail("the port dialog started with no port");
  }
  Click(portDialog, IDOK);
  if (!WaitFor([&] { return TextOf(GetDlgItem(main, kOpenPort)) == L"关闭串口"; }, 10))
    return Fail("the port did not open");

  if (const char* fault = SilentReadFault(main, button)) return Fail(fault);
  HWND traffic = nullptr;
  if (modules > 0 && !(traffic = OpenTrafficWindow(main))) return Fail("Ctrl+M opened no traffic window");
  SetText(GetDlgItem(main, kStation), L"1");
  const std::wstring before = TextOf(pane);
  Click(main, button);
  // The report is complete once the pane has changed and then stays as it is;
  // the read empties the pane before its exchange.
  std::wstring report;
  const bool settled = WaitFor(
      [&] {
        const std::wstring now = TextOf(pane);
        const bool same = !now.empty() && now != before && now == report;
        report = now;
        if (!same) std::this_thread::sleep_for(std::chrono::milliseconds(700));
        return same;
      },
      30);
  if (!settled) return Fail("the pane did not settle on a report");
  if (TopWindow(L"提示")) return Fail("the read ended on a box");
  if (traffic) {
    if (const char* fault = TrafficFault(traffic)) return Fail(fault);
    if (const char* fault = FinderFault(main, modules)) return Fail(fault);
    if (const char* fault = AboutKeyFault(main)) return Fail(fault);
    if (const char* fault = PaneMenuFault(main)) return Fail(fault);
    SetForegroundWindow(traffic);  // in front for a screenshot
  }
  const std::string text = Utf8(report);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);

  std::this_thread::sleep_for(std::chrono::seconds(linger));
  PostMessageW(main, WM_CLOSE, 0, 0);
  if (!WaitFor([&] { return !IsWindow(main); }, 10)) return Fail("the close box did not close the window");
  return 0;
}
