#pragma once
// The main window's context menu and shortcuts: the tools (通讯监视 Ctrl+M,
// 查找模块 Ctrl+F, 总线视图 Ctrl+B) and the About item (F1), as the Qt window offers them; on
// the output pane its copy entries come first.
#include <windows.h>

// Ctrl+M, Ctrl+F, Ctrl+B and F1 as WM_COMMANDs IDM_TRAFFIC, IDM_FINDER, IDM_BUSVIEW and IDM_ABOUT.
HACCEL NewToolAccelerators();
bool IsToolCommand(int id);
// The pane's own menu would hide the tools: its right-click goes to its parent.
void SendPaneContextMenuToParent(HWND pane);
// Opens the menu for a WM_CONTEXTMENU on `target` at `at` (screen, or -1,-1
// from the keyboard), runs the pane's entries itself, and returns a tool's
// id, or 0.
int TrackToolMenu(HWND owner, HWND target, HWND pane, LPARAM at);
