#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/ports.h"
#include "link/serial_port.h"
#include "console/texts.h"

class Console;

inline constexpr int kBaudRates[8] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

struct LineFormat {
  const char* text;
  Parity parity;
  int stopBits;
};
inline constexpr LineFormat kLineFormats[4] = {
    {"N,8,1", Parity::kNone, 1},
    {"E,8,1", Parity::kEven, 1},
    {"O,8,1", Parity::kOdd, 1},
    {"N,8,2", Parity::kNone, 2},
};

// The process-wide serial connection record.
struct LinkState {
  SerialPort* portHandle = nullptr;  // the open port; null while closed
  int32_t isOpen = 0;
  int32_t baudRate = 0;
  int32_t lineFormat = 0;
  int32_t portNumber = 0;
  std::string portName;  // device path that the next OpenPort opens
  // The line the open port was last set to. baudRate and lineFormat above are
  // the next opening's: a change of the combo boxes waits for it.
  int32_t baudRateInUse = 0;
  int32_t lineFormatInUse = 0;
  // The last reply went wrong and its tail may still come: the next request
  // waits for a quiet line first.
  bool settleBeforeNextRequest = false;
};

// The line format for an index; an index outside the table is configured like 0.
const LineFormat& LineFormatAt(int index);
// Start bit, eight data bits, parity bit if any, stop bits: 10 or 11.
int BitsPerCharacter(const LineFormat& format);
// Milliseconds that `bytes` characters take on the line, rounded up.
int WireMs(size_t bytes, int baudRate, const LineFormat& format);
// 3.5 character times, rounded up: the silence that ends a frame.
int QuietMs(int baudRate, const LineFormat& format);
// What a broadcast of `bytes` is given before anything else is sent: its wire
// time and the modules' turnaround (they store what a broadcast sets).
inline constexpr int kBroadcastTurnaroundMs = 200;
int BroadcastPauseMs(size_t bytes, int baudRate, const LineFormat& format);

// The link's baud rate, 9600 before one is set.
int LinkBaudRate(const LinkState& link);

struct PortTimeouts;
// C = 4800000 / baud + 100 and M = 9600 / baud + 4, as the time-out table shows.
PortTimeouts TimeoutsFor(int baudRate);

// What the port dialog accepts: a device path or a well-formed "tcp:HOST:PORT"
// as it is, or a port number 1-255 read by the decimal rule and named by the
// platform's rule (link/ports.h).
struct PortEntry {
  int32_t number = 0;  // 0 for a path
  std::string device;
};
std::optional<PortEntry> ParsePortEntry(const std::string& text);
inline constexpr TrText kBadPortNumber = TrNoop("link", "非法的端口号！");

// The second line of the open failure box: why, and what the user can do.
const char* OpenFailureReason(OpenError error);

// False over a serial server ("tcp:" names), whose line is set on the server:
// no baud rate or format the console sets reaches the modules.
bool ConsoleSetsTheLine(const LinkState& link);

// Opens and configures link.portName on port; 0 when open, -1 after its box
// (the name followed by "打开失败！", then the reason on a second line).
int OpenPort(LinkState& link, SerialPort& port, Console& console);
// Sets the port's time-outs and line from link's baud rate and format, as
// OpenPort does, and records them as the line in use; what a borrowed port is
// given back with.
void ApplyLinkSettings(LinkState& link, SerialPort& port);
// Purges, closes and marks closed; the console hears that the port closed.
void ClosePort(LinkState& link, Console& console);
