/* The About box's template: texts, and rectangles in dialog units as x, y,
   width, height. Read by the Qt dialog and by the Win32 resource script, so
   plain macros only (windres reads no C++). */
#pragma once
/* TrMark marks a text for the catalogue (console/texts.h), which its reader
   translates; to windres it is the text itself. */
#ifndef TrMark
#define TrMark(context, source) source
#endif

#define ABOUT_DIALOG_TITLE TrMark("layout", "关于Dolvane电参数采集")
#define ABOUT_DIALOG_FONT_POINTS 9
#define ABOUT_DIALOG_WIDTH 170
#define ABOUT_DIALOG_HEIGHT 62
#define ABOUT_DIALOG_ICON_RECT 14, 14, 20, 20
/* The product line is the box's own text; the build's version goes on the notice line. */
#define ABOUT_DIALOG_PRODUCT TrMark("layout", "Dolvane电参数采集V1.0")
#define ABOUT_DIALOG_PRODUCT_RECT 42, 14, 114, 8
#define ABOUT_DIALOG_NOTICE_PREFIX TrMark("layout", "版本 ")
#define ABOUT_DIALOG_NOTICE_SUFFIX "  (C) Dolvane"
#define ABOUT_DIALOG_NOTICE_RECT 42, 26, 114, 8
#define ABOUT_DIALOG_OK_RECT 113, 41, 50, 14
