#pragma once
#include <chrono>
#include <cstdint>
#include <string>

#include "link/serial_port.h"
#include "link/tcp_open.h"

// The sibling of PosixTcpPort over Winsock: a serial server in transparent
// mode or a Modbus TCP server, with the same time-outs as on a serial line.
// Only the socket calls are its own; the name, the look-up within the connect
// limit and the reasons are link/tcp_open.h's.
class Win32TcpPort : public SerialPort {
 public:
  explicit Win32TcpPort(std::chrono::milliseconds connectTimeout = kTcpConnectTimeout, TcpResolver resolver = {});
  ~Win32TcpPort() override;
  Win32TcpPort(const Win32TcpPort&) = delete;
  Win32TcpPort& operator=(const Win32TcpPort&) = delete;

  OpenError open(const std::string& name) override;
  bool setQueueSizes(size_t input, size_t output) override;
  bool setTimeouts(const PortTimeouts& timeouts) override;
  bool setLine(int baudRate, Parity parity, int stopBits) override;
  bool purge() override;
  void clearErrors() override;
  IoResult write(const uint8_t* bytes, size_t count) override;
  IoResult read(uint8_t* bytes, size_t count, const CompleteTest& complete = {}) override;
  std::vector<uint8_t> discardUntilQuiet(int quietMs, int limitMs) override;
  void close() override;
  bool isOpen() const override;

 private:
  OpenError connectTo(const addrinfo& address, std::chrono::steady_clock::time_point giveUpAt);

  std::chrono::milliseconds connectTimeout_;
  TcpResolver resolver_;
  uintptr_t socket_;  // SOCKET; INVALID_SOCKET while closed
  PortTimeouts timeouts_;
};
