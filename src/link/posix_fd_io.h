#pragma once
// The read and write loops of the POSIX back ends, over a non-blocking descriptor
// (a terminal device or a connected socket): the time-outs of PortTimeouts, the
// idle call while waiting, and an early end once the bytes form a complete frame.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "link/serial_port.h"

enum class FdKind { kTerminal, kSocket };

// Called about every 15 ms while a transfer waits.
using IdleCall = std::function<void()>;
// The clock the time-outs are judged by; empty: std::chrono::steady_clock. A
// test sets its own to decide exactly when a deadline passes.
using TransferClock = std::function<std::chrono::steady_clock::time_point()>;

IoResult PosixFdWrite(int fd, FdKind kind, const uint8_t* bytes, size_t count,
                      const PortTimeouts& timeouts, const IdleCall& idle, const TransferClock& clock = {});
IoResult PosixFdRead(int fd, uint8_t* bytes, size_t count, const PortTimeouts& timeouts,
                     const SerialPort::CompleteTest& complete, const IdleCall& idle,
                     const TransferClock& clock = {});
// Reads and drops bytes until none has come for quietMs, for at most limitMs.
std::vector<uint8_t> PosixFdDiscardUntilQuiet(int fd, int quietMs, int limitMs);

// Makes a new descriptor non-blocking and closed on exec (what Linux's
// SOCK_NONBLOCK | SOCK_CLOEXEC and accept4 do in one call, but portable);
// -1, with the descriptor closed, when it cannot. -1 in gives -1 out, errno kept.
int NonBlockingCloseOnExec(int fd);
