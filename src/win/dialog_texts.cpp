#include "win/dialog_texts.h"

#include <string>

#include "console/texts.h"
#include "win/utf16.h"

namespace {

void TranslateText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  const std::string utf8 = Utf8(text);
  if (const char* english = EnglishOf("layout", utf8.c_str())) SetWindowTextW(window, Utf16(english).c_str());
}

BOOL CALLBACK TranslateChild(HWND child, LPARAM) {
  TranslateText(child);
  return TRUE;
}

}  // namespace

void TranslateDialogTexts(HWND dialog) {
  if (CurrentLanguage() == Language::kChinese) return;
  TranslateText(dialog);
  EnumChildWindows(dialog, TranslateChild, 0);
}
