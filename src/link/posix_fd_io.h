#pragma once
// The read and write loops of the POSIX back ends, over a non-blocking descriptor
// (a terminal device or a connected socket): the time-outs of PortTimeouts, the
// idle call while waiting, and an early end once the bytes form a complete frame.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "link/serial_port.h"

enum class FdKind { kTerminal, kSocket };

// Called about every 15 ms while a transfer waits.
using IdleCall = std::function<void()>;

IoResult PosixFdWrite(int fd, FdKind kind, const uint8_t* bytes, size_t count,
                      const PortTimeouts& timeouts, const IdleCall& idle);
// Reads and drops bytes until none has come for quietMs, for at most limitMs.
std::vector<uint8_t> PosixFdDiscardUntilQuiet(int fd, int quietMs, int limitMs);
IoResult PosixFdRead(int fd, uint8_t* bytes, size_t count, const PortTimeouts& timeouts,
                     const SerialPort::CompleteTest& complete, const IdleCall& idle);
