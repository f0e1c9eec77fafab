#include "win/pick_model_dialog.h"

#include "busview/bus_view_core.h"
#include "models/model_registry.h"
#include "win/dialog_texts.h"
#include "win/resource.h"
#include "win/utf16.h"

namespace {

struct PickState {
  int station = 0;
  const std::vector<const ModelEntry*>* models = nullptr;
  int picked = 0;
};

INT_PTR CALLBACK PickModelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<PickState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      state = reinterpret_cast<PickState*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      TranslateDialogTexts(dialog);
      SetWindowTextW(dialog, Utf16(kBusPickModelTitle).c_str());
      SetDlgItemTextW(dialog, IDC_PICK_MODEL_PROMPT, Utf16(PickModelPrompt(state->station)).c_str());
      for (const ModelEntry* model : *state->models)
        SendDlgItemMessageW(dialog, IDC_PICK_MODEL_COMBO, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(Utf16(model->cliName).c_str()));
      SendDlgItemMessageW(dialog, IDC_PICK_MODEL_COMBO, CB_SETCURSEL, 0, 0);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        const LRESULT at = SendDlgItemMessageW(dialog, IDC_PICK_MODEL_COMBO, CB_GETCURSEL, 0, 0);
        if (at >= 0) state->picked = static_cast<int>(at);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

const ModelEntry* RunPickModelDialog(HWND owner, int station, const std::vector<const ModelEntry*>& models) {
  if (models.empty()) return nullptr;
  PickState state{station, &models, 0};
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PICK_MODEL), owner, PickModelProc,
                  reinterpret_cast<LPARAM>(&state));
  return models[static_cast<size_t>(state.picked)];
}
