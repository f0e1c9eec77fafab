#include "link/link.h"

#include "console/console.h"
#include "console/text.h"
#include "link/ports.h"
#include "link/tcp_address.h"
#include "console/texts.h"

const LineFormat& LineFormatAt(int index) {
  return kLineFormats[(index >= 0 && index < 4) ? index : 0];
}

int BitsPerCharacter(const LineFormat& format) {
  return 1 + 8 + (format.parity == Parity::kNone ? 0 : 1) + format.stopBits;
}

int WireMs(size_t bytes, int baudRate, const LineFormat& format) {
  const int64_t bits = static_cast<int64_t>(bytes) * BitsPerCharacter(format);
  return static_cast<int>((bits * 1000 + baudRate - 1) / baudRate);
}

int QuietMs(int baudRate, const LineFormat& format) {
  const int64_t bits = 7 * int64_t{BitsPerCharacter(format)};  // 3.5 characters, doubled
  return static_cast<int>((bits * 1000 + 2 * int64_t{baudRate} - 1) / (2 * int64_t{baudRate}));
}

int BroadcastPauseMs(size_t bytes, int baudRate, const LineFormat& format) {
  return WireMs(bytes, baudRate, format) + kBroadcastTurnaroundMs;
}

int LinkBaudRate(const LinkState& link) { return link.baudRate > 0 ? link.baudRate : 9600; }

PortTimeouts TimeoutsFor(int baudRate) {
  const int c = 4800000 / baudRate + 100;
  const int m = 9600 / baudRate + 4;
  return PortTimeouts{c, m, c, m, c};
}

std::optional<PortEntry> ParsePortEntry(const std::string& text) {
  if (const std::string name = Trimmed(text); !name.empty()) {
    if (IsTcpPortName(name)) {
      if (!ParseTcpPortName(name)) return std::nullopt;
      return PortEntry{0, name};
    }
    if (IsDevicePath(name)) return PortEntry{0, name};
  }
  const int32_t number = ParseDecimal(text);
  if (number < 1 || number > 255) return std::nullopt;
  return PortEntry{number, DeviceOfPortNumber(number)};
}

const char* OpenFailureReason(OpenError error) {
  switch (error) {
    case OpenError::kNone: return "";
    case OpenError::kNotFound: return Tr("link", "设备不存在。");
    case OpenError::kPermission:
      return Tr("link", "没有权限：请把当前用户加入 dialout 组（sudo usermod -aG dialout $USER），重新登录后再试。");
    case OpenError::kBusy: return Tr("link", "串口已被其他程序占用。");
    case OpenError::kRefused: return Tr("link", "连接被拒绝：请检查端口号，以及服务器是否在运行。");
    case OpenError::kNoHost: return Tr("link", "找不到服务器：请检查地址及网络连接。");
    case OpenError::kTimedOut: return Tr("link", "连接超时（3秒）：请检查地址及网络连接。");
    case OpenError::kOther: break;
  }
  return Tr("link", "设备无法打开，请检查设备及其驱动。");
}

bool ConsoleSetsTheLine(const LinkState& link) { return !IsTcpPortName(link.portName); }

int OpenPort(LinkState& link, SerialPort& port, Console& console) {
  const std::string name =
      link.portName.empty() ? DeviceOfPortNumber(link.portNumber) : link.portName;
  const OpenError error = port.open(name);
  if (error != OpenError::kNone) {
    link.portHandle = nullptr;
    console.showInfo(name + Tr("link", "打开失败！\r\n") + OpenFailureReason(error));
    return -1;
  }
  link.portHandle = &port;
  link.isOpen = 1;
  console.portStateChanged(true);
  // Results are not examined: a port that refuses a setting still counts as open.
  port.setQueueSizes(1024, 1024);
  ApplyLinkSettings(link, port);
  port.purge();
  return 0;
}

void ApplyLinkSettings(LinkState& link, SerialPort& port) {
  port.setTimeouts(TimeoutsFor(LinkBaudRate(link)));
  const LineFormat& format = LineFormatAt(link.lineFormat);
  port.setLine(link.baudRate, format.parity, format.stopBits);
  link.baudRateInUse = link.baudRate;
  link.lineFormatInUse = link.lineFormat;
}

void ClosePort(LinkState& link, Console& console) {
  if (link.portHandle) {
    link.portHandle->purge();
    link.portHandle->close();
  }
  link.portHandle = nullptr;
  link.isOpen = 0;
  link.settleBeforeNextRequest = false;
  console.portStateChanged(false);
}
