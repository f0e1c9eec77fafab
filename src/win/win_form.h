#pragma once
// The Win32 dialog's form as the form model reads it, by control id.
#include <windows.h>

#include "layout/form_model.h"

class WinForm : public FormView {
 public:
  explicit WinForm(HWND dialog) : dialog_(dialog) {}
  std::string fieldText(int controlId) const override;
  int comboSelection(int controlId) const override;

 private:
  HWND dialog_;
};
