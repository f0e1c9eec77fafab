#pragma once
// Replacing a file so that a crash or a pulled plug never leaves half of it: the
// bytes go to a temporary file beside it, are flushed to the disk, and the
// temporary file is then renamed over the old one. Platform code:
// posix_atomic_file.cpp, win32_atomic_file.cpp.
#include <string>
#include <string_view>

#include "console/utf8_path.h"

// False with *error set ("cannot write PATH: reason"); the old file is then untouched.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* error);
