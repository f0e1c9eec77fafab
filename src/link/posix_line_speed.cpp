#include "link/posix_line_speed.h"

namespace {

struct SpeedCode {
  int baudRate;
  speed_t speed;
};

constexpr SpeedCode kSpeedCodes[] = {{1200, B1200},   {2400, B2400},   {4800, B4800},   {9600, B9600},
                                     {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}};

}  // namespace

speed_t SpeedOf(int baudRate) {
  for (const SpeedCode& code : kSpeedCodes)
    if (code.baudRate == baudRate) return code.speed;
  return B9600;
}

std::optional<int> BaudRateOf(speed_t speed) {
  for (const SpeedCode& code : kSpeedCodes)
    if (code.speed == speed) return code.baudRate;
  return std::nullopt;
}
