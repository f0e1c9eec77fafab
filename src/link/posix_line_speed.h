#pragma once
// The termios speed codes of the console's baud rates, one table both ways:
// the serial port sets them, the simulator's pseudo-terminal reads them back.
#include <termios.h>

#include <optional>

// The code for a baud rate of kBaudRates; B9600 for any other.
speed_t SpeedOf(int baudRate);
// The baud rate a code stands for; nothing for one outside kBaudRates.
std::optional<int> BaudRateOf(speed_t speed);
