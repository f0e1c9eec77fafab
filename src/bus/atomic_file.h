#pragma once
// Replacing a file so that a crash or a pulled plug never leaves half of it: the
// bytes go to a temporary file beside it, are flushed to the disk, and the
// temporary file is then renamed over the old one. Platform code:
// posix_atomic_file.cpp, win32_atomic_file.cpp.
#include <filesystem>
#include <string>
#include <string_view>

// False with *error set ("cannot write PATH: reason"); the old file is then untouched.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* error);

// A UTF-8 path as the file system takes it (UTF-16 on Windows).
inline std::filesystem::path PathOfUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
