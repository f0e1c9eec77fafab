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
#include "link/win32_utf16.h"

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

int ComNumber(const std::string& name) { return IsDevicePath(name) ? std::atoi(name.c_str() + 3) : 0; }

}  // namespace

namespace {

std::wstring RegistryText(HKEY key, const wchar_t* name) {
  wchar_t text[256];
  DWORD bytes = sizeof text - sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) !=
          ERROR_SUCCESS ||
      type != REG_SZ)
    return {};
  text[bytes / sizeof(wchar_t)] = L'\0';
  return text;
}

std::string DeviceProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
  wchar_t text[512] = L"";
  if (!SetupDiGetDeviceRegistryPropertyW(set, &device, property, nullptr,
                                         reinterpret_cast<BYTE*>(text), sizeof text - 2, nullptr))
    return {};
  return Utf8(text);  // the first string of a multi-string property
}

// "USB\VID_067B&PID_2303\..." -> the two ids; 0 where absent.
uint16_t HardwareId(const std::string& hardwareId, const char* tag) {
  const size_t at = hardwareId.find(tag);
  return at == std::string::npos
             ? 0
             : static_cast<uint16_t>(std::strtoul(hardwareId.c_str() + at + 4, nullptr, 16));
}

// What the device manager says of each present port, by port name.
std::map<std::string, SerialPortInfo> DescribedPorts() {
  std::map<std::string, SerialPortInfo> ports;
  HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) return ports;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) continue;
    const std::string name = Utf8(RegistryText(key, L"PortName").c_str());
    RegCloseKey(key);
    if (name.empty()) continue;
    SerialPortInfo info;
    info.device = name;
    info.description = DeviceProperty(set, device, SPDRP_FRIENDLYNAME);
    info.manufacturer = DeviceProperty(set, device, SPDRP_MFG);
    const std::string hardwareId = DeviceProperty(set, device, SPDRP_HARDWAREID);
    info.vid = HardwareId(hardwareId, "VID_");
    info.pid = HardwareId(hardwareId, "PID_");
    ports[name] = info;
  }
  SetupDiDestroyDeviceInfoList(set);
  return ports;
}

}  // namespace

// The ports the serial drivers registered, COM1 before COM10, with what the
// device manager tells of them.
std::vector<SerialPortInfo> ListSerialPorts() {
  std::vector<SerialPortInfo> ports;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return ports;
  const std::map<std::string, SerialPortInfo> described = DescribedPorts();
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256;
    const LONG status = RegEnumValueW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;
    const std::string port = Utf8(RegistryText(key, name).c_str());
    if (port.empty()) continue;
    const auto found = described.find(port);
    SerialPortInfo info;
    info.device = port;
    ports.push_back(found != described.end() ? found->second : info);
  }
  RegCloseKey(key);
  std::sort(ports.begin(), ports.end(), [](const SerialPortInfo& a, const SerialPortInfo& b) {
    return ComNumber(a.device) < ComNumber(b.device);
  });
  return ports;
}
