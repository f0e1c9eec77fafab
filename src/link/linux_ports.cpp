// Port names and enumeration on Linux: port n is /dev/ttyS(n-1), a path is used as given.
// The list comes from sysfs alone; no device is opened.
#include "link/linux_ports.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <system_error>
#include <tuple>

#include "link/posix_serial_port.h"

namespace fs = std::filesystem;

std::string DeviceOfPortNumber(int32_t number) { return "/dev/ttyS" + std::to_string(number - 1); }

bool IsDevicePath(const std::string& text) { return !text.empty() && text[0] == '/'; }

std::unique_ptr<SerialPort> NewPlatformSerialPort() { return std::make_unique<PosixSerialPort>(); }

namespace {

// The first line of a sysfs attribute, trimmed; empty when absent.
std::string Attribute(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  const size_t last = line.find_last_not_of(" \t\r\n");
  return last == std::string::npos ? std::string() : line.substr(0, last + 1);
}

std::string DriverOf(const fs::path& device) {
  std::error_code ec;
  const fs::path target = fs::read_symlink(device / "driver", ec);
  return ec ? std::string() : target.filename().string();
}

// serial_core reports the UART it found; 0 means none answered at that address.
const char* UartName(int type) {
  static const char* const kNames[] = {"",      "8250",  "16450",   "16550",    "16550A",
                                       "Cirrus", "16650", "16650V2", "16750",    "Startech",
                                       "16C950", "16654", "16850",   "RSA"};
  return (type > 0 && type < static_cast<int>(std::size(kNames))) ? kNames[type] : "";
}

// A ttyS node exists for every legacy address; most have no UART behind them.
bool IsPhantomUart(const fs::path& ttyDir, const fs::path& device) {
  const std::string type = Attribute(ttyDir / "type");
  if (!type.empty()) return std::atoi(type.c_str()) == 0;
  return DriverOf(device) == "serial8250";  // no type to tell: the legacy placeholder
}

uint16_t HexId(const std::string& text) {
  return static_cast<uint16_t>(std::strtoul(text.c_str(), nullptr, 16));
}

// Fills the USB details from the nearest USB device above the tty's device:
// the interface for ttyACM, the interface's parent for a usb-serial ttyUSB.
bool DescribeUsb(const fs::path& device, SerialPortInfo& info) {
  fs::path below;  // the interface, one step under the USB device
  fs::path dir = device;
  for (int up = 0; up < 3; ++up) {
    if (fs::exists(dir / "idVendor")) {
      info.vid = HexId(Attribute(dir / "idVendor"));
      info.pid = HexId(Attribute(dir / "idProduct"));
      info.manufacturer = Attribute(dir / "manufacturer");
      info.description = Attribute(dir / "product");
      if (info.description.empty() && !below.empty()) info.description = Attribute(below / "interface");
      return true;
    }
    below = dir;
    dir = dir.parent_path();
  }
  return false;
}

// tty name -> its /dev/serial/by-id link, which names the adapter and survives replugging.
std::map<std::string, std::string> StableNames(const fs::path& devRoot) {
  std::map<std::string, std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(devRoot / "serial" / "by-id", ec)) {
    const fs::path target = fs::read_symlink(entry.path(), ec);
    if (ec) continue;
    const std::string link = entry.path().string();
    auto [it, added] = names.try_emplace(target.filename().string(), link);
    if (!added && link < it->second) it->second = link;
  }
  return names;
}

// ttyS2 before ttyS10; USB adapters, the usual choice, first.
bool ListedBefore(const SerialPortInfo& a, const SerialPortInfo& b) {
  auto key = [](const SerialPortInfo& p) {
    const size_t digits = p.device.find_last_not_of("0123456789") + 1;
    const long number = digits < p.device.size() ? std::atol(p.device.c_str() + digits) : -1;
    return std::make_tuple(p.vid == 0 && p.pid == 0, p.device.substr(0, digits), number, p.device);
  };
  return key(a) < key(b);
}

}  // namespace

std::vector<SerialPortInfo> ListSerialPortsIn(const std::string& sysRoot, const std::string& devRoot) {
  std::vector<SerialPortInfo> ports;
  const auto stableNames = StableNames(devRoot);
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(fs::path(sysRoot) / "class" / "tty", ec)) {
    const std::string name = entry.path().filename().string();
    const fs::path ttyDir = entry.path();
    std::error_code linkError;
    const fs::path device = fs::canonical(ttyDir / "device", linkError);
    if (linkError) continue;  // virtual terminals, pseudo-terminals: no hardware
    if (IsPhantomUart(ttyDir, device)) continue;
    const fs::path node = fs::path(devRoot) / name;
    if (!fs::exists(node, linkError)) continue;  // sysfs of a host whose /dev we do not see

    SerialPortInfo info;
    info.device = node.string();
    if (!DescribeUsb(device, info)) info.description = UartName(std::atoi(Attribute(ttyDir / "type").c_str()));
    if (auto it = stableNames.find(name); it != stableNames.end()) info.stableName = it->second;
    ports.push_back(std::move(info));
  }
  std::sort(ports.begin(), ports.end(), ListedBefore);
  return ports;
}

std::vector<SerialPortInfo> ListSerialPorts() { return ListSerialPortsIn("/sys", "/dev"); }
