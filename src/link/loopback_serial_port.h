#pragma once
// An in-memory serial line to a far end in the same process (a simulated bus
// where no pseudo-terminal exists): each write goes to the far end at once, and
// what it answers is what the following reads return.
#include <functional>
#include <string>
#include <vector>

#include "link/serial_port.h"

struct LoopbackLine {
  int baudRate = 9600;
  Parity parity = Parity::kNone;
  int stopBits = 1;
};

class LoopbackSerialPort : public SerialPort {
 public:
  // The bytes just written, and the line they went out on -> the bytes sent back.
  using FarEnd =
      std::function<std::vector<uint8_t>(const uint8_t* bytes, size_t count, const LoopbackLine& line)>;

  // Opens only by `device`, the name the far end goes by.
  LoopbackSerialPort(std::string device, FarEnd farEnd)
      : device_(std::move(device)), farEnd_(std::move(farEnd)) {}

  OpenError open(const std::string& device) override;
  bool setQueueSizes(size_t input, size_t output) override;
  bool setTimeouts(const PortTimeouts& timeouts) override;
  bool setLine(int baudRate, Parity parity, int stopBits) override;
  bool purge() override;
  void clearErrors() override {}
  IoResult write(const uint8_t* bytes, size_t count) override;
  // Hands over what the far end sent; short of `count`, waits out the time-out
  // as a real line would, calling the idle callback meanwhile.
  IoResult read(uint8_t* bytes, size_t count, const CompleteTest& complete = {}) override;
  void close() override;
  bool isOpen() const override { return open_; }

 private:
  std::string device_;
  FarEnd farEnd_;
  bool open_ = false;
  PortTimeouts timeouts_;
  LoopbackLine line_;
  std::vector<uint8_t> pending_;  // sent by the far end, not read yet
};
