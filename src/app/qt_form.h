#pragma once
// The window's form as the form model reads it: edits and combo boxes found
// by their control id. Read on the window's thread only.
#include "layout/form_model.h"

class QWidget;

class QtForm : public FormView {
 public:
  explicit QtForm(const QWidget& window) : window_(window) {}
  std::string fieldText(int controlId) const override;
  int comboSelection(int controlId) const override;

 private:
  const QWidget& window_;
};
