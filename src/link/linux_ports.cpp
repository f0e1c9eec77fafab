// Port names and enumeration on Linux: port n is /dev/ttyS(n-1), a path is used as given.
#include <dirent.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

#include "link/ports.h"

std::string DeviceOfPortNumber(int32_t number) { return "/dev/ttyS" + std::to_string(number - 1); }

bool IsDevicePath(const std::string& text) { return !text.empty() && text[0] == '/'; }

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
