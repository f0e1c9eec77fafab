#pragma once
#include <chrono>
#include <functional>
#include <string>

#include "link/serial_port.h"
#include "link/tcp_open.h"

// A serial server in transparent mode, reached over TCP: the RTU frames travel
// as they are, with the same time-outs as on a serial line. The line settings
// belong to the server's serial side, so setLine has nothing to do here.
class PosixTcpPort : public SerialPort {
 public:
  static constexpr std::chrono::milliseconds kConnectTimeout = kTcpConnectTimeout;
  using Resolver = TcpResolver;

  // The limit covers the name look-up and the connect together.
  explicit PosixTcpPort(std::chrono::milliseconds connectTimeout = kConnectTimeout, Resolver resolver = {});
  ~PosixTcpPort() override;
  PosixTcpPort(const PosixTcpPort&) = delete;
  PosixTcpPort& operator=(const PosixTcpPort&) = delete;

  // `name` is "tcp:HOST:PORT" (link/tcp_address.h).
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
  bool isOpen() const override { return fd_ >= 0; }

 private:
  OpenError connectTo(const addrinfo& address, std::chrono::steady_clock::time_point giveUpAt);

  std::chrono::milliseconds connectTimeout_;
  Resolver resolver_;
  int fd_ = -1;
  PortTimeouts timeouts_;
};
