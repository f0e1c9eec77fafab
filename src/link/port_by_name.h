#pragma once
#include <memory>
#include <string>

#include "link/serial_port.h"

// The port the fronts hold: at each open it takes the serial back end, or the
// TCP one for a "tcp:HOST:PORT" name, and passes every call to the one it took.
// So the operations keep one port object whichever way the modules are reached.
class PortByName : public SerialPort {
 public:
  PortByName(std::unique_ptr<SerialPort> serial, std::unique_ptr<SerialPort> tcp);
  // A back end that this one name opens (the in-process simulated bus).
  void addNamed(std::string name, std::unique_ptr<SerialPort> port);

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
  bool carriesParity() const override;

 private:
  std::unique_ptr<SerialPort> serial_;
  std::unique_ptr<SerialPort> tcp_;
  std::string namedName_;
  std::unique_ptr<SerialPort> named_;
  SerialPort* active_;  // the back end of the last open
};

// The platform's serial port and its TCP port behind one PortByName.
std::unique_ptr<SerialPort> NewPortByName();
