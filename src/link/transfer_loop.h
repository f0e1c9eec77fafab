#pragma once
// The read and write loops every back end runs: the time-outs of PortTimeouts,
// the idle call while waiting, and an early end once the bytes form a complete
// frame. A back end supplies only the wait for its device and the one call
// that moves bytes (poll + read, select + recv, ReadFile with a driver limit).
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "link/serial_port.h"

// The longest a transfer waits on its device before calling the idle callback.
inline constexpr std::chrono::milliseconds kIdleSlice{15};

// Called about every kIdleSlice while a transfer waits.
using IdleCall = std::function<void()>;
// The clock the time-outs are judged by; empty: std::chrono::steady_clock. A
// test sets its own to decide exactly when a deadline passes.
using TransferClock = std::function<std::chrono::steady_clock::time_point()>;

// What one wait on the device found: `count` bytes moved (0: none within the
// wait), or `ok` false when the device or the connection failed.
struct TransferStep {
  bool ok = true;
  size_t count = 0;
};
// Waits at most `wait` for the device to give or take bytes, then moves up to
// `room` of them. A wait of 0 only looks.
using ReadSome = std::function<TransferStep(uint8_t* into, size_t room, std::chrono::milliseconds wait)>;
using WriteSome = std::function<TransferStep(const uint8_t* from, size_t room, std::chrono::milliseconds wait)>;

IoResult ReadWithDeadline(uint8_t* bytes, size_t count, const PortTimeouts& timeouts,
                          const SerialPort::CompleteTest& complete, const IdleCall& idle,
                          const ReadSome& readSome, const TransferClock& clock = {});
IoResult WriteWithDeadline(const uint8_t* bytes, size_t count, const PortTimeouts& timeouts,
                           const IdleCall& idle, const WriteSome& writeSome,
                           const TransferClock& clock = {});
// Reads and drops bytes until none has come for quietMs, for at most limitMs.
std::vector<uint8_t> DiscardUntilQuiet(int quietMs, int limitMs, const ReadSome& readSome);
