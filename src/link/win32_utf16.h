#pragma once
// Text is UTF-8 everywhere but at the Win32 calls, which take UTF-16: the one
// pair of conversions every Windows file uses.
#include <string>

std::wstring Utf16(const std::string& utf8);
std::string Utf8(const std::wstring& utf16);
// A NUL-terminated wide string (an argument, a registry value).
inline std::string Utf8(const wchar_t* utf16) { return utf16 ? Utf8(std::wstring(utf16)) : std::string(); }
