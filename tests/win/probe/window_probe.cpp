// Drives a running dolvane-console.exe through window messages, as a user would
// through the mouse: opens a port by the port dialog, presses a model button,
// and prints the pane's text (UTF-8) to stdout. It also checks that Escape and
// Enter leave the window open and that the system menu's About item opens the
// About box. Exit status 0 when every step held.
//   window_probe.exe PORT BUTTON-ID [LINGER-SECONDS]
// PORT "-" takes the entry the port dialog starts with (the simulated bus).
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <chrono>
#include <cstdio>
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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Fail("usage: window_probe PORT BUTTON-ID [LINGER-SECONDS]");
  _setmode(_fileno(stdout), _O_BINARY);
  const std::wstring port(argv[1], argv[1] + strlen(argv[1]));
  const int button = std::atoi(argv[2]);
  const int linger = argc > 3 ? std::atoi(argv[3]) : 0;

  HWND main = nullptr;
  if (!WaitFor([&] { return (main = TopWindow(L"Dolvane采集模块调试工具")) != nullptr; }, 60))
    return Fail("no main window");
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
