#pragma once
// The POSIX back ends' side of the transfer loops (link/transfer_loop.h), over
// a non-blocking descriptor: a terminal device or a connected socket.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/serial_port.h"
#include "link/transfer_loop.h"

enum class FdKind { kTerminal, kSocket };

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
