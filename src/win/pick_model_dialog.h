#pragma once
// Which model a scanned station is, where several fit what it answered
// (template IDD_PICK_MODEL): a list of them, the first one picked.
#include <windows.h>

#include <vector>

struct ModelEntry;

// The model chosen; Cancel keeps the first.
const ModelEntry* RunPickModelDialog(HWND owner, int station, const std::vector<const ModelEntry*>& models);
