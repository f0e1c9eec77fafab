#pragma once
#include <filesystem>
#include <string>

// A UTF-8 path as the file system takes it (UTF-16 on Windows).
inline std::filesystem::path PathOfUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
