#include "link/link.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

#include "console/console.h"
#include "console/control_ids.h"
#include "console/text.h"

const LineFormat& LineFormatAt(int index) {
  return kLineFormats[(index >= 0 && index < 4) ? index : 0];
}

PortTimeouts TimeoutsFor(int baudRate) {
  const int c = 4800000 / baudRate + 100;
  const int m = 9600 / baudRate + 4;
  return PortTimeouts{c, m, c, m, c};
}

std::optional<PortEntry> ParsePortEntry(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first != std::string::npos && text[first] == '/') {
    const size_t last = text.find_last_not_of(" \t");
    return PortEntry{0, text.substr(first, last - first + 1)};
  }
  const int32_t number = ParseDecimal(text);
  if (number < 1 || number > 255) return std::nullopt;
  return PortEntry{number, DeviceOfPortNumber(number)};
}

std::string DeviceOfPortNumber(int32_t number) { return "/dev/ttyS" + std::to_string(number - 1); }

namespace {

std::vector<std::string> EntriesOf(const std::string& dir, const std::string& prefix) {
  std::vector<std::string> found;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name != "." && name != ".." && name.rfind(prefix, 0) == 0) found.push_back(dir + "/" + name);
    }
    ::closedir(d);
  }
  std::sort(found.begin(), found.end());
  return found;
}

// Most /dev/ttyS* nodes exist without hardware behind them; a real UART reports a type.
bool UartAnswers(const std::string& device) {
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  serial_struct info{};
  const bool present = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
  ::close(fd);
  return present;
}

}  // namespace

std::vector<std::string> ListSerialPorts() {
  std::vector<std::string> ports;
  for (const char* prefix : {"ttyUSB", "ttyACM"}) {
    for (auto& p : EntriesOf("/dev", prefix)) ports.push_back(p);
  }
  for (auto& p : EntriesOf("/dev/serial/by-id", "")) ports.push_back(p);
  for (auto& p : EntriesOf("/dev", "ttyS")) {
    if (UartAnswers(p)) ports.push_back(p);
  }
  return ports;
}

int OpenPort(LinkState& link, SerialPort& port, Console& console) {
  const std::string name =
      link.portName.empty() ? DeviceOfPortNumber(link.portNumber) : link.portName;
  if (!port.open(name)) {
    link.portHandle = nullptr;
    console.showInfo(name + "打开失败！");
    return -1;
  }
  link.portHandle = &port;
  link.isOpen = 1;
  console.setButtonCaption(ids::kOpenPort, "关闭串口");
  // Results are not examined: a port that refuses a setting still counts as open.
  port.setQueueSizes(1024, 1024);
  port.setTimeouts(TimeoutsFor(link.baudRate > 0 ? link.baudRate : 9600));
  const LineFormat& format = LineFormatAt(link.lineFormat);
  port.setLine(link.baudRate, format.parity, format.stopBits);
  port.purge();
  return 0;
}

void ClosePort(LinkState& link, Console& console) {
  if (link.portHandle) {
    link.portHandle->purge();
    link.portHandle->close();
  }
  link.portHandle = nullptr;
  link.isOpen = 0;
  console.setButtonCaption(ids::kOpenPort, "打开串口");
}
