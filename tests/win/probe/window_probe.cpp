// Drives a running dolvane-console.exe through window messages, as a user would
// through the mouse: opens a port by the port dialog, presses a model button,
// and prints the pane's text (UTF-8) to stdout. It also checks that Escape and
// Enter leave the window open and that the system menu's About item opens the
// About box. Exit status 0 when every step held.
//   window_probe.exe PORT BUTTON-ID [LINGER-SECONDS]
// PORT "-" takes the entry the port dialog starts with (the simulated bus).
// With --monitor it opens the port and reads with the button, then monitors:
// the 监视 switch on, the trend window's interval at 200 ms and its CSV log on
// through the save dialog (typed as a user would), POLLS polls logged, the
// switch off (the trend's span at its last minute); it prints the status strip
// (UTF-8) and lingers while polling.
//   window_probe.exe PORT BUTTON-ID LINGER-SECONDS --monitor CSV-PATH POLLS
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>

#include "layout/main_window_controls.h"

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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Fail("usage: window_probe PORT BUTTON-ID [LINGER-SECONDS] [--monitor CSV-PATH POLLS]");
  _setmode(_fileno(stdout), _O_BINARY);
  const std::wstring port(argv[1], argv[1] + strlen(argv[1]));
  const int button = std::atoi(argv[2]);
  const int linger = argc > 3 ? std::atoi(argv[3]) : 0;

  HWND main = nullptr;
  if (!WaitFor([&] { return (main = TopWindow(L"Dolvane采集模块调试工具")) != nullptr; }, 60))
    return Fail("no main window");
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
  const std::string text = Utf8(report);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);

  std::this_thread::sleep_for(std::chrono::seconds(linger));
  PostMessageW(main, WM_CLOSE, 0, 0);
  if (!WaitFor([&] { return !IsWindow(main); }, 10)) return Fail("the close box did not close the window");
  return 0;
}
