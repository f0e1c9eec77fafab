#include "win/child_windows.h"

#include <commdlg.h>

#include "monitor/monitor_texts.h"
#include "win/utf16.h"
#include "console/texts.h"

void RegisterToolWindowClass(const wchar_t* className, WNDPROC proc) {
  WNDCLASSEXW known{};
  known.cbSize = sizeof known;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &known)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className;
  RegisterClassExW(&wc);
}

namespace {

constexpr int kPaneFontPoints = 10;

HFONT NewFont(HWND window, int points, const wchar_t* face) {
  HDC screen = GetDC(window);
  const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(window, screen);
  return CreateFontW(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
}

}  // namespace

HFONT NewDialogFont(HWND window, int points) { return NewFont(window, points, L"MS Shell Dlg"); }

HFONT NewPaneFont(HWND window) { return NewFont(window, kPaneFontPoints, L"宋体"); }

HWND NewChild(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, int id, HFONT font,
              DWORD exStyle) {
  HWND child = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

void Place(HWND parent, int id, int x, int y, int width, int height) {
  MoveWindow(GetDlgItem(parent, id), x, y, width, height, TRUE);
}

int TextWidth(HWND window, HFONT font, const std::wstring& text, int padding) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size.cx + 2 * padding;
}

void CopyToClipboard(HWND owner, const std::string& utf8) {
  const std::wstring text = EditControlText(utf8);
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

int FontHeight(HWND window, HFONT font) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return metrics.tmHeight;
}

std::string AskFileName(HWND owner, const std::string& initial, const FileQuestion& question) {
  std::wstring file = Utf16(initial);
  file.resize(4 * MAX_PATH, L'\0');
  // "CSV 文件 (*.csv)\0*.csv\0\0"
  std::wstring filter = Utf16(question.filterName);
  filter += L'\0';
  filter += Utf16(question.pattern);
  filter += L'\0';
  const std::wstring title = Utf16(question.title);
  const std::wstring extension = Utf16(question.extension);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = extension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (question.saving && question.confirmOverwrite) dialog.Flags |= OFN_OVERWRITEPROMPT;
  if (!question.saving) dialog.Flags |= OFN_FILEMUSTEXIST;
  if (!(question.saving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return {};
  return Utf8(file.c_str());
}

std::string ChooseLogFile(HWND owner, const std::string& last) {
  // A file holding this log is appended to, any other refused: nothing to confirm.
  return AskFileName(owner, last,
                     {kLogDialogTitle, std::string(kLogDialogFilterName) + " (" + kLogDialogPattern + ")",
                      kLogDialogPattern, kLogDialogSuffix, true, false});
}
