#pragma once
// Where a simulated bus meets the console: the master side of a pseudo-terminal
// (posix_sim_pty.cpp) or a TCP listener with one client at a time
// (posix_sim_tcp.cpp). The bus (posix_sim_bus.cpp) frames, paces and faults the
// same way over either.
#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "link/tcp_address.h"
#include "sim/sim_modules.h"

class SimEndpoint {
 public:
  virtual ~SimEndpoint() = default;
  // What the console opens: the slave device, or the "tcp:HOST:PORT" or
  // "mbtcp:HOST:PORT" name.
  virtual const std::string& name() const = 0;
  // The console's requests come with the MBAP header (Modbus TCP), not as RTU.
  virtual bool modbusTcp() const { return false; }
  // The descriptor carrying the console's bytes, waiting up to `waitMs` for a
  // console to come; -1 while there is none.
  virtual int stream(int waitMs) = 0;
  // The console has gone (end of file, hang-up): wait for the next one.
  virtual void hangUp() = 0;
  // The console's line as the modules can tell it.
  virtual SimLine line() const = 0;
  // As read(2) on the stream.
  virtual ssize_t receive(uint8_t* bytes, size_t count) = 0;
  // As write(2) on the stream; a peer that has gone is an error, never a signal.
  virtual ssize_t send(const uint8_t* bytes, size_t count) = 0;
  // The vanish fault: the device disappears and nothing is served any more.
  virtual void vanish() = 0;

  // What the endpoint did on its own that the user should hear of (a client
  // closed for idling); called on the serving thread.
  std::function<void(const std::string&)> notice;
};

// Both throw std::runtime_error when the endpoint cannot be made.
std::unique_ptr<SimEndpoint> NewPtyEndpoint();
// Listens on `address` (port 0: one the system picks, shown in name()); a
// client that sends nothing for `idleTimeout` (0: no limit) is closed.
// `modbusTcp`: a Modbus TCP server rather than a serial server.
std::unique_ptr<SimEndpoint> NewTcpEndpoint(const TcpAddress& address, std::chrono::milliseconds idleTimeout,
                                            bool modbusTcp = false);
