// Port names and enumeration on Windows: port n is COMn (\\.\COMn from 10 on,
// the only form CreateFile takes for those), a COM or \\ name is used as given.
#include <windows.h>
#include <devguid.h>
#include <setupapi.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>

#include "link/ports.h"
#include "link/win32_serial_port.h"

std::string DeviceOfPortNumber(int32_t number) {
  const std::string com = "COM" + std::to_string(number);
  return number >= 10 ? "\\\\.\\" + com : com;
}

bool IsDevicePath(const std::string& text) {
  if (text.rfind("\\\\", 0) == 0) return true;
  if (text.size() < 4) return false;
  for (size_t i = 0; i < 3; ++i)
    if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i]) return false;
  return std::isdigit(static_cast<unsigned char>(text[3])) != 0;
}

std::unique_ptr<SerialPort> NewPlatformSerialPort() { return std::make_unique<Win32SerialPort>(); }

namespace {

std::string Narrow(const wchar_t* wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string text(static_cast<size_t>(n - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), n, nullptr, nullptr);
  return text;
}

int ComNumber(const std::string& name) { return IsDevicePath(name) ? std::atoi(name.c_str() + 3) : 0; }

}  // namespace

// The ports the serial drivers registered, COM1 before COM10.
std::vector<std::string> ListSerialPorts() {
  std::vector<std::string> ports;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return ports;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    wchar_t data[256];
    DWORD nameLength = 256;
    DWORD dataBytes = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    const LONG status = RegEnumValueW(key, i, name, &nameLength, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data), &dataBytes);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS || type != REG_SZ) continue;
    data[dataBytes / sizeof(wchar_t)] = L'\0';
    ports.push_back(Narrow(data));
  }
  RegCloseKey(key);
  std::sort(ports.begin(), ports.end(),
            [](const std::string& a, const std::string& b) { return ComNumber(a) < ComNumber(b); });
  return ports;
}

// The names the device manager shows ("USB Serial Port (COM3)"), by port name.
std::map<std::string, std::string> SerialPortFriendlyNames() {
  std::map<std::string, std::string> names;
  HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) return names;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    wchar_t friendly[256] = L"";
    wchar_t port[64] = L"";
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_FRIENDLYNAME, nullptr,
                                           reinterpret_cast<BYTE*>(friendly), sizeof friendly - 2,
                                           nullptr))
      continue;
    HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) continue;
    DWORD bytes = sizeof port - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(port), &bytes) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
      port[bytes / sizeof(wchar_t)] = L'\0';
      names[Narrow(port)] = Narrow(friendly);
    }
    RegCloseKey(key);
  }
  SetupDiDestroyDeviceInfoList(set);
  return names;
}
