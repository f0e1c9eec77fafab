#pragma once
// The resource dialogs (About, the port dialog, the model choice) hold their
// Chinese texts in dolvane.rc; in English they are swapped as the dialog opens.
#include <windows.h>

// The dialog's caption and its controls' texts from the catalogue's layout
// context; a text it lacks (a port name, a number) stays.
void TranslateDialogTexts(HWND dialog);
