#include <windows.h>

#include <system_error>

#include "bus/atomic_file.h"

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  const std::wstring target = PathOfUtf8(path).wstring();
  const std::wstring temp = target + L".tmp-" + std::to_wstring(::GetCurrentProcessId());
  auto fail = [&](DWORD code) {
    *error = "cannot write " + path + ": " + std::system_category().message(static_cast<int>(code));
    return false;
  };
  const HANDLE file = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return fail(::GetLastError());
  bool written = true;
  while (written && !bytes.empty()) {
    DWORD n = 0;
    written = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n > 0;
    bytes.remove_prefix(n);
  }
  written = written && ::FlushFileBuffers(file);
  DWORD code = written ? 0 : ::GetLastError();
  ::CloseHandle(file);
  if (written && !::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    code = ::GetLastError();
    written = false;
  }
  if (!written) {
    ::DeleteFileW(temp.c_str());
    return fail(code);
  }
  return true;
}
