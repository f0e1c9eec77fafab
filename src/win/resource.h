#pragma once
// Resource ids of the Win32 window (shared by dolvane.rc and the sources).
#define IDC_STATIC (-1)
#define IDD_ABOUT 100
#define IDS_ABOUT 101
#define IDI_APP 128
#define IDD_EDIT_COM 129
#define IDC_PORT_EDIT 1005
#define IDC_PORT_LIST 1100
#define IDC_SCAN_PROGRESS 1101
#define IDC_ABOUT_NOTICE 1102
// The About item of the system menu: system commands keep the low four bits free.
#define IDM_ABOUT 0x0010
