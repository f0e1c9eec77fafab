#pragma once
#include "link/posix_fd_io.h"
#include "link/serial_port.h"

// termios back end. A Windows back end would be a sibling of this file.
class PosixSerialPort : public SerialPort {
 public:
  PosixSerialPort() = default;
  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  OpenError open(const std::string& device) override;
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
  bool carriesParity() const override;

  // The clock the time-outs are judged by (tests); empty: the steady clock.
  void setClock(TransferClock clock) { clock_ = std::move(clock); }

 private:
  int fd_ = -1;
  PortTimeouts timeouts_;
  TransferClock clock_;
};
