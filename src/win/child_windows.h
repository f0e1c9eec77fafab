#pragma once
// What the tool windows (通讯监视, 查找模块) build themselves from: a window
// class of their own, child controls placed in pixels, a font at a point size.
#include <windows.h>

#include <string>

// Registers `className` once, with `proc` and room for a this pointer.
void RegisterToolWindowClass(const wchar_t* className, WNDPROC proc);
// The object CreateWindowExW was given, kept with the window on WM_NCCREATE.
template <class T>
T* WindowObject(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return self;
  }
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The dialog face at `points`; the caller deletes it.
HFONT NewDialogFont(HWND window, int points);
// The output pane's face, for text laid out in columns; the caller deletes it.
HFONT NewPaneFont(HWND window);
HWND NewChild(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, int id,
              HFONT font, DWORD exStyle = 0);
void Place(HWND parent, int id, int x, int y, int width, int height);
// A label's or a button's width for its text in `font`, with `padding` each side.
int TextWidth(HWND window, HFONT font, const std::wstring& text, int padding = 0);
// The height of a line of text in `font`.
int FontHeight(HWND window, HFONT font);
// Puts UTF-16 text on the clipboard; "\n" becomes "\r\n" as Windows' text has it.
void CopyToClipboard(HWND owner, const std::string& utf8);
// A file dialog's kind of file and its question.
struct FileQuestion {
  std::string title;
  std::string filterName;  // "CSV 文件 (*.csv)"
  std::string pattern;     // "*.csv"
  std::string extension;   // added to a name given without one
  bool saving = true;
  bool confirmOverwrite = true;
};
// The path chosen, starting at `initial`; empty: cancelled.
std::string AskFileName(HWND owner, const std::string& initial, const FileQuestion& question);
// Asks for a CSV log file: a save dialog that never asks before overwriting,
// since a log is only appended to. Empty: cancelled.
std::string ChooseLogFile(HWND owner, const std::string& last);
