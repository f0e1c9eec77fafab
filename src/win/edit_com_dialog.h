#pragma once
// The port dialog (template IDD_EDIT_COM): a port number or name, with the
// machine's ports listed beside it.
#include <windows.h>

#include <optional>
#include <string>

// The entry the user confirmed (a valid port entry), or nothing on Cancel.
std::optional<std::string> RunEditComDialog(HWND owner);
