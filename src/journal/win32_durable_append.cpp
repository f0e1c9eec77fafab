#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "console/utf8_path.h"
#include "journal/durable_append.h"

namespace {

bool Fail(const std::string& path, DWORD code, std::string* error) {
  *error = "cannot write " + path + ": " + std::system_category().message(static_cast<int>(code));
  return false;
}

// An environment variable as UTF-8; empty when unset.
std::string Utf8Variable(const wchar_t* name) {
  const wchar_t* value = ::_wgetenv(name);
  if (!value || !*value) return "";
  const std::u8string utf8 = std::filesystem::path(value).u8string();
  return std::string(utf8.begin(), utf8.end());
}

}  // namespace

bool AppendLineDurably(const std::string& path, std::string_view line, std::string* error) {
  const std::filesystem::path file = PathOfUtf8(path);
  std::error_code ec;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  if (ec) return Fail(path, static_cast<DWORD>(ec.value()), error);
  // FILE_APPEND_DATA alone: every write goes to the end, whoever else appends.
  const HANDLE handle = ::CreateFileW(file.wstring().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return Fail(path, ::GetLastError(), error);
  DWORD written = 0;
  const bool ok = ::WriteFile(handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
                  written == line.size() && ::FlushFileBuffers(handle);
  const DWORD code = ok ? 0 : ::GetLastError();
  ::CloseHandle(handle);
  return ok || Fail(path, code ? code : ERROR_DISK_FULL, error);
}

std::string DefaultJournalPath() {
  if (std::string named = Utf8Variable(L"DOLVANE_JOURNAL"); !named.empty()) return named;
  const std::string appData = Utf8Variable(L"APPDATA");
  return appData.empty() ? std::string() : appData + "\\Dolvane\\journal.jsonl";
}
