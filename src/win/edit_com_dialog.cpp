#include "win/edit_com_dialog.h"

#include <vector>

#include "link/link.h"
#include "link/ports.h"
#include "win/dialog_texts.h"
#include "win/resource.h"
#include "win/utf16.h"
#include "console/texts.h"

namespace {

struct EditComState {
  std::vector<PortChoice> choices;  // by list position
  std::string entry;
};

std::string DialogText(HWND dialog, int id) {
  wchar_t text[256] = L"";
  GetDlgItemTextW(dialog, id, text, 256);
  return Utf8(text);
}

void FillPortList(HWND dialog, const EditComState& state) {
  for (const PortChoice& choice : state.choices)
    SendDlgItemMessageW(dialog, IDC_PORT_LIST, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(Utf16(PortChoiceText(choice)).c_str()));
}

void PickListed(HWND dialog, const EditComState& state) {
  const auto at = SendDlgItemMessageW(dialog, IDC_PORT_LIST, LB_GETCURSEL, 0, 0);
  if (at >= 0 && static_cast<size_t>(at) < state.choices.size())
    SetDlgItemTextW(dialog, IDC_PORT_EDIT, Utf16(state.choices[static_cast<size_t>(at)].device).c_str());
}

void Confirm(HWND dialog, EditComState& state) {
  state.entry = DialogText(dialog, IDC_PORT_EDIT);
  if (!ParsePortEntry(state.entry)) {
    MessageBoxW(dialog, Utf16(kBadPortNumber).c_str(), Utf16(Tr("win", "提示")).c_str(), MB_OK);
    return;  // the dialog stays open for another try
  }
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK EditComProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<EditComState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      state = reinterpret_cast<EditComState*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      TranslateDialogTexts(dialog);
      FillPortList(dialog, *state);
      HWND edit = GetDlgItem(dialog, IDC_PORT_EDIT);
      SetWindowTextW(edit, state->choices.empty() ? L"" : Utf16(state->choices.front().device).c_str());
      SendMessageW(edit, EM_SETSEL, 0, -1);
      SetFocus(edit);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          Confirm(dialog, *state);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        case IDC_PORT_LIST:
          if (HIWORD(wParam) == LBN_SELCHANGE) PickListed(dialog, *state);
          if (HIWORD(wParam) == LBN_DBLCLK) {
            PickListed(dialog, *state);
            Confirm(dialog, *state);
          }
          return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

std::optional<std::string> RunEditComDialog(HWND owner, const std::vector<PortChoice>& offered) {
  EditComState state;
  state.choices = PortDialogChoices(offered);
  const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_EDIT_COM),
                                         owner, EditComProc, reinterpret_cast<LPARAM>(&state));
  if (result != IDOK) return std::nullopt;
  return state.entry;
}
