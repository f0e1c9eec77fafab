#include "win/utf16.h"

std::wstring EditControlText(const std::string& utf8) {
  const std::wstring wide = Utf16(utf8);
  std::wstring shown;
  shown.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == L'\n' && (i == 0 || wide[i - 1] != L'\r')) shown += L'\r';
    shown += wide[i];
  }
  return shown;
}
