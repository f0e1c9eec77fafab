#include "win/win_form.h"

#include "win/utf16.h"

std::string WinForm::fieldText(int controlId) const {
  HWND edit = GetDlgItem(dialog_, controlId);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  return Utf8(text);
}

int WinForm::comboSelection(int controlId) const {
  return static_cast<int>(SendDlgItemMessageW(dialog_, controlId, CB_GETCURSEL, 0, 0));
}
