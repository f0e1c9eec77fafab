#include "win/tool_menu.h"

#include <commctrl.h>
#include <windowsx.h>

#include "layout/main_window_texts.h"
#include "win/resource.h"
#include "win/utf16.h"
#include "console/texts.h"

namespace {

// The edit control's own entries, as its menu names them.
constexpr TrText kPaneCopyItem = TrNoop("win", "复制(&C)\tCtrl+C");
constexpr TrText kPaneSelectAllItem = TrNoop("win", "全选\tCtrl+A");

struct ToolItem {
  int id;
  const char* text;
  const wchar_t* key;
};
const ToolItem kToolItems[] = {
    {IDM_TRAFFIC, kTrafficItem, L"\tCtrl+M"},
    {IDM_FINDER, kDiscoveryItem, L"\tCtrl+F"},
    {IDM_BUSVIEW, kBusViewItem, L"\tCtrl+B"},
    {IDM_ABOUT, kAboutItem, L"\tF1"},
};

LRESULT CALLBACK PaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_CONTEXTMENU) return SendMessageW(GetParent(pane), WM_CONTEXTMENU, wParam, lParam);
  return DefSubclassProc(pane, message, wParam, lParam);
}

POINT MenuPoint(HWND target, LPARAM at) {
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (point.x != -1 || point.y != -1) return point;
  RECT rect{};  // from the keyboard: at the control's corner
  GetWindowRect(target, &rect);
  return {rect.left + 4, rect.top + 4};
}

}  // namespace

HACCEL NewToolAccelerators() {
  ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'M', IDM_TRAFFIC},
                  {FCONTROL | FVIRTKEY, 'F', IDM_FINDER},
                  {FCONTROL | FVIRTKEY, 'B', IDM_BUSVIEW},
                  {FVIRTKEY, VK_F1, IDM_ABOUT}};
  return CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
}

bool IsToolCommand(int id) {
  for (const ToolItem& item : kToolItems)
    if (item.id == id) return true;
  return false;
}

void SendPaneContextMenuToParent(HWND pane) { SetWindowSubclass(pane, PaneProc, 1, 0); }

int TrackToolMenu(HWND owner, HWND target, HWND pane, LPARAM at) {
  HMENU menu = CreatePopupMenu();
  const bool onPane = target == pane;
  if (onPane) {
    DWORD start = 0, end = 0;
    SendMessageW(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    AppendMenuW(menu, MF_STRING | (start == end ? MF_GRAYED : 0), IDM_PANE_COPY, Utf16(kPaneCopyItem).c_str());
    AppendMenuW(menu, MF_STRING, IDM_PANE_SELECT_ALL, Utf16(kPaneSelectAllItem).c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  }
  for (const ToolItem& item : kToolItems)
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.id), (Utf16(item.text) + item.key).c_str());
  const POINT point = MenuPoint(target, at);
  const int chosen = static_cast<int>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, owner, nullptr));
  DestroyMenu(menu);
  switch (chosen) {
    case IDM_PANE_COPY: SendMessageW(pane, WM_COPY, 0, 0); return 0;
    case IDM_PANE_SELECT_ALL: SendMessageW(pane, EM_SETSEL, 0, -1); return 0;
  }
  return chosen;
}
