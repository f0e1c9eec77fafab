#pragma once
// The port dialog (template IDD_EDIT_COM): a port number or name, with the
// machine's ports listed beside it.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "link/ports.h"

// The entry the user confirmed (a valid port entry), or nothing on Cancel.
// `offered` comes first in the list, then the ports found; the edit starts
// with the first device listed, or empty: never a port that is not there.
std::optional<std::string> RunEditComDialog(HWND owner, const std::vector<PortChoice>& offered);
