#pragma once
// The window's text conversions: UTF-16 at each Win32 call.
#include <string>

#include "link/win32_utf16.h"

// An edit control breaks lines only at "\r\n"; a report may hold a bare "\n".
std::wstring EditControlText(const std::string& utf8);
