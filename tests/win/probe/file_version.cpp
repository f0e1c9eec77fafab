// Prints the version a program carries in its file properties:
//   file_version.exe PATH  ->  "FileVersion ProductVersion" and the numeric
// FILEVERSION, e.g. "2.8.0 2.8.0 2.8.0.0". Status 1 when it carries none.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text && *text; ++text) out += static_cast<char>(*text < 128 ? *text : '?');
  return out;
}

std::string StringValue(const std::vector<BYTE>& info, const wchar_t* name) {
  wchar_t path[128];
  swprintf(path, 128, L"\\StringFileInfo\\080404B0\\%ls", name);
  wchar_t* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), path, reinterpret_cast<void**>(&value), &length)) return "-";
  return Narrow(value);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(argv[1], &ignored);
  if (size == 0) return 1;
  std::vector<BYTE> info(size);
  if (!GetFileVersionInfoW(argv[1], 0, size, info.data())) return 1;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) return 1;
  std::printf("%s %s %u.%u.%u.%u\n", StringValue(info, L"FileVersion").c_str(),
              StringValue(info, L"ProductVersion").c_str(), unsigned{HIWORD(fixed->dwFileVersionMS)},
              unsigned{LOWORD(fixed->dwFileVersionMS)}, unsigned{HIWORD(fixed->dwFileVersionLS)},
              unsigned{LOWORD(fixed->dwFileVersionLS)});
  return 0;
}
