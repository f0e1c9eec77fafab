#pragma once
// The main window's dialog template, built in memory from the shared control
// table (layout/), so that no control is described a second time in a .rc file.
#include <string>
#include <vector>

#include <windows.h>

// DWORD-aligned storage for DialogBoxIndirectParamW.
struct DialogTemplate {
  std::vector<DWORD> storage;
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(storage.data()); }
};

DialogTemplate BuildMainWindowTemplate(const std::string& title);

// Widens the static labels whose text the dialog's font draws wider than their
// template width (centred ones on both sides), so that none is cut short: a
// label only knows its font's real widths once the dialog is made.
void FitLabelsToText(HWND dialog);
