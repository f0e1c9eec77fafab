/* The port dialog's template: texts, and rectangles in dialog units as x, y,
   width, height. Read by the Qt dialog and by the Win32 resource script, so
   plain macros only (windres reads no C++). */
#pragma once
/* TrMark marks a text for the catalogue (console/texts.h), which its reader
   translates; to windres it is the text itself. */
#ifndef TrMark
#define TrMark(context, source) source
#endif

#define PORT_DIALOG_TITLE TrMark("layout", "请输入串口号")
#define PORT_DIALOG_FONT_POINTS 8
/* The buttons of the resource dialogs (the Qt ones take the same words). */
#define DIALOG_OK_TEXT TrMark("layout", "确定")
#define DIALOG_CANCEL_TEXT TrMark("layout", "取消")
/* Taller than the classic 84 units to hold the list of the machine's ports. */
#define PORT_DIALOG_WIDTH 212
#define PORT_DIALOG_HEIGHT 138
#define PORT_DIALOG_EDIT_RECT 40, 12, 127, 14
#define PORT_DIALOG_LIST_LABEL_RECT 7, 32, 198, 8
#define PORT_DIALOG_LIST_RECT 7, 42, 198, 66
#define PORT_DIALOG_OK_RECT 39, 116, 50, 14
#define PORT_DIALOG_CANCEL_RECT 118, 116, 50, 14
/* A port is a device path on Linux, a device name (COM7) on Windows. */
#ifdef _WIN32
#define PORT_DIALOG_LIST_LABEL TrMark("layout", "本机串口（单击选用，亦可输入端口号或设备名）：")
#else
#define PORT_DIALOG_LIST_LABEL TrMark("layout", "本机串口（单击选用，亦可输入端口号或设备路径）：")
#endif
