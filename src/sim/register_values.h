#pragma once
// Fixed register words for simulated modules, read from a small text file.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

// No line of a values file is longer than this (a whole line is a few dozen bytes).
inline constexpr size_t kMaxValuesLine = 1024;

// Loads "register=value" lines (decimal or 0x hex), '#' starts a comment. Throws
// std::runtime_error naming the file (and line) for a file that is not a readable
// regular file, a line longer than kMaxValuesLine, or a line of another form.
std::map<uint16_t, uint16_t> LoadRegisterValues(const std::string& path);
