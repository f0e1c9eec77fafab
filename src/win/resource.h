#pragma once
// Resource ids of the Win32 window (shared by dolvane.rc and the sources).
#define IDC_STATIC (-1)
#define IDD_ABOUT 100
#define IDS_ABOUT 101
#define IDI_APP 128
#define IDD_EDIT_COM 129
#define IDD_PICK_MODEL 130
#define IDC_PORT_EDIT 1005
#define IDC_PORT_LIST 1100
#define IDC_SCAN_PROGRESS 1101
#define IDC_ABOUT_NOTICE 1102
// The About item of the system menu: system commands keep the low four bits free.
#define IDM_ABOUT 0x0010
// The tools on the context menu and their shortcuts (WM_COMMAND ids).
#define IDM_TRAFFIC 0x0020
#define IDM_FINDER 0x0030
#define IDM_BUSVIEW 0x0060
#define IDM_PANE_COPY 0x0040
#define IDM_PANE_SELECT_ALL 0x0050
// The 通讯监视 window.
#define IDC_TRAFFIC_PAUSE 1200
#define IDC_TRAFFIC_CLEAR 1201
#define IDC_TRAFFIC_COPY 1202
#define IDC_TRAFFIC_SAVE 1203
#define IDC_TRAFFIC_STATUS 1204
#define IDC_TRAFFIC_LIST 1205
#define IDC_TRAFFIC_DETAIL 1206
// The 查找模块 dialog.
#define IDC_FINDER_FROM 1210
#define IDC_FINDER_TO 1211
#define IDC_FINDER_TURNAROUND 1212
#define IDC_FINDER_STATION 1213
#define IDC_FINDER_SCAN 1214
#define IDC_FINDER_DETECT 1215
#define IDC_FINDER_CANCEL 1216
#define IDC_FINDER_CLOSE 1217
#define IDC_FINDER_PROGRESS 1218
#define IDC_FINDER_RESULTS 1219
#define IDC_FINDER_SCAN_GROUP 1220
#define IDC_FINDER_DETECT_GROUP 1221
#define IDC_FINDER_FROM_LABEL 1222
#define IDC_FINDER_TO_LABEL 1223
#define IDC_FINDER_TURNAROUND_LABEL 1224
#define IDC_FINDER_SUFFIX_LABEL 1225
#define IDC_FINDER_STATION_LABEL 1226
#define IDC_FINDER_BUS 1227
/* An up-down control beside each number field: the field's id + 20. */
#define IDC_FINDER_SPIN_OFFSET 20
// The 总线视图 window.
#define IDC_BUS_OPEN 1300
#define IDC_BUS_SAVE 1301
#define IDC_BUS_START 1302
#define IDC_BUS_INTERVAL_LABEL 1303
#define IDC_BUS_INTERVAL 1304
#define IDC_BUS_INTERVAL_SPIN 1305
#define IDC_BUS_INTERVAL_SUFFIX 1306
#define IDC_BUS_LOG 1307
#define IDC_BUS_LIST 1308
#define IDC_BUS_STATUS 1309
#define IDC_BUS_REPORT 1310
#define IDC_BUS_REPORT_BUTTON 1311
// The model picked for a scanned station that several models fit.
#define IDC_PICK_MODEL_PROMPT 1320
#define IDC_PICK_MODEL_COMBO 1321
