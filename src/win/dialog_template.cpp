#include "win/dialog_template.h"

#include <commctrl.h>

#include "layout/main_window_controls.h"
#include "win/child_windows.h"
#include "win/resource.h"
#include "win/utf16.h"

namespace {

// Predefined window classes of a template, by atom.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kComboBoxClass = 0x0085;

// Writes the DLGTEMPLATEEX layout: words, strings, and DWORD alignment of items.
class TemplateWriter {
 public:
  void word(WORD w) { words_.push_back(w); }
  void dword(DWORD d) {
    word(LOWORD(d));
    word(HIWORD(d));
  }
  void text(const std::wstring& s) {
    for (wchar_t c : s) word(static_cast<WORD>(c));
    word(0);
  }
  void alignToDword() {
    if (words_.size() % 2) word(0);
  }

  DialogTemplate finish() {
    alignToDword();
    DialogTemplate t;
    t.storage.resize(words_.size() / 2);
    memcpy(t.storage.data(), words_.data(), words_.size() * sizeof(WORD));
    return t;
  }

 private:
  std::vector<WORD> words_;
};

struct ItemClass {
  DWORD style;
  DWORD exStyle;
  WORD atom;               // 0: a class given by name
  const wchar_t* className;
};

ItemClass ClassOf(ControlKind kind) {
  constexpr DWORD child = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case ControlKind::kButton:
      return {child | WS_TABSTOP | BS_PUSHBUTTON, 0, kButtonClass, nullptr};
    case ControlKind::kHiddenButton:  // its operation is not for the user
      return {WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0, kButtonClass, nullptr};
    case ControlKind::kPane:
      return {child | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                  ES_AUTOVSCROLL | ES_AUTOHSCROLL,
              WS_EX_CLIENTEDGE, kEditClass, nullptr};
    case ControlKind::kDigitEdit:
      return {child | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kEditClass, nullptr};
    case ControlKind::kCombo:
      return {child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, kComboBoxClass, nullptr};
    case ControlKind::kLabel:
      return {child | SS_LEFT | SS_NOPREFIX, 0, kStaticClass, nullptr};
    case ControlKind::kCentredLabel:
      return {child | SS_CENTER | SS_NOPREFIX, 0, kStaticClass, nullptr};
    case ControlKind::kGroupBox:
      return {child | BS_GROUPBOX, 0, kButtonClass, nullptr};
  }
  return {child, 0, kStaticClass, nullptr};
}

void WriteItem(TemplateWriter& w, const ItemClass& item, int id, const DluRect& r,
               const std::wstring& text) {
  w.alignToDword();
  w.dword(0);  // help id
  w.dword(item.exStyle);
  w.dword(item.style);
  w.word(static_cast<WORD>(r.x));
  w.word(static_cast<WORD>(r.y));
  w.word(static_cast<WORD>(r.width));
  w.word(static_cast<WORD>(r.height));
  w.dword(static_cast<DWORD>(id == 0 ? IDC_STATIC : id));
  if (item.atom) {
    w.word(0xFFFF);
    w.word(item.atom);
  } else {
    w.text(item.className);
  }
  w.text(text);
  w.word(0);  // no creation data
}

}  // namespace

DialogTemplate BuildMainWindowTemplate(const std::string& title) {
  const std::vector<ControlDef>& controls = MainWindowControls();
  TemplateWriter w;
  w.word(1);       // version
  w.word(0xFFFF);  // extended template
  w.dword(0);      // help id
  w.dword(WS_EX_APPWINDOW);  // shown in the task bar
  // Caption and system menu; no sizing frame, no minimise or maximise box.
  w.dword(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  w.word(static_cast<WORD>(controls.size() + 1));  // the table and the scan's progress bar
  w.word(0);
  w.word(0);
  w.word(kMainWindowWidthDlu);
  w.word(kMainWindowHeightDlu);
  w.word(0);  // no menu
  w.word(0);  // the dialog class
  w.text(Utf16(title));
  w.word(kMainWindowFontPoints);
  w.word(FW_NORMAL);
  w.word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // italic, character set
  w.text(L"MS Shell Dlg");

  for (const ControlDef& def : controls) {
    DluRect rect = def.rect;
    if (def.kind == ControlKind::kCombo) rect.height = kComboListHeightDlu;
    WriteItem(w, ClassOf(def.kind), def.id, rect, Utf16(CaptionOf(def)));
  }
  WriteItem(w, {WS_CHILD, 0, 0, PROGRESS_CLASSW}, IDC_SCAN_PROGRESS, kProgressBarRect, L"");
  return w.finish();
}

namespace {

bool IsTextLabel(HWND control) {
  wchar_t className[16] = L"";
  GetClassNameW(control, className, 16);
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  const LONG_PTR kind = style & SS_TYPEMASK;
  return lstrcmpiW(className, L"Static") == 0 && (kind == SS_LEFT || kind == SS_CENTER);
}

std::wstring TextOf(HWND control) {
  wchar_t text[128] = L"";
  const int length = GetWindowTextW(control, text, 128);
  return std::wstring(text, static_cast<size_t>(length));
}

void FitLabel(HWND dialog, HWND label, HFONT font) {
  RECT rect;
  GetWindowRect(label, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  const int missing = TextWidth(label, font, TextOf(label)) - (rect.right - rect.left);
  if (missing <= 0) return;
  const bool centred = (GetWindowLongPtrW(label, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER;
  const int left = centred ? rect.left - (missing + 1) / 2 : rect.left;
  SetWindowPos(label, nullptr, left, rect.top, rect.right - rect.left + missing, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void FitLabelsToText(HWND dialog) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsTextLabel(child)) FitLabel(dialog, child, font);
}
