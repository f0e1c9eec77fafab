// dolvane-console.exe: the Win32 dialog window.
#include <windows.h>
#include <commctrl.h>

#include "win/main_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  MainDialog window;
  window.run(instance);
  return 0;
}
