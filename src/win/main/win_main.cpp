// dolvane-console.exe: the Win32 dialog window. With --simulate it talks to a
// bus of simulated modules inside the process, one of each model, for trying
// the console without hardware; --lang en|zh overrides the user's display
// language.
#include <windows.h>
// after windows.h, which they build on
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "console/system_language.h"
#include "models/in_process_bus.h"
#include "win/main_dialog.h"
#include "win/utf16.h"

namespace {

constexpr int kExitUsage = 2;
constexpr const wchar_t* kUsage = L"usage: dolvane-console.exe [--simulate] [--lang en|zh]";

// Sets *simulate for --simulate and the language for --lang; false for any
// other argument.
bool ParseArguments(bool* simulate) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  bool ok = args != nullptr;
  for (int i = 1; ok && i < count; ++i) {
    const std::wstring arg = args[i];
    if (arg == L"--simulate") {
      *simulate = true;
    } else if (arg == L"--lang" && i + 1 < count && LanguageNamed(Utf8(args[i + 1]))) {
      SetLanguage(*LanguageNamed(Utf8(args[++i])));
    } else {
      ok = false;
    }
  }
  LocalFree(args);
  return ok;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  SetLanguage(SystemLanguage());  // --lang overrides it
  bool simulate = false;
  if (!ParseArguments(&simulate)) {
    // A window program has no console to print on.
    MessageBoxW(nullptr, kUsage, L"dolvane-console", MB_OK | MB_ICONERROR);
    return kExitUsage;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  std::unique_ptr<InProcessBus> bus;  // lives as long as the window
  if (simulate) bus = std::make_unique<InProcessBus>();
  MainDialog window(bus.get());
  window.run(instance);
  return 0;
}
