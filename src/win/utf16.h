#pragma once
// Text is UTF-8 everywhere but at the Win32 calls, which take UTF-16.
#include <string>

std::wstring Utf16(const std::string& utf8);
std::string Utf8(const std::wstring& utf16);
// An edit control breaks lines only at "\r\n"; a report may hold a bare "\n".
std::wstring EditControlText(const std::string& utf8);
