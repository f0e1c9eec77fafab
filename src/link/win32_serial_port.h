#pragma once
#include <chrono>
#include <optional>
#include <string>

#include "link/serial_port.h"
#include "link/transfer_loop.h"

// Win32 back end, the sibling of PosixSerialPort: the platform's own serial calls.
class Win32SerialPort : public SerialPort {
 public:
  Win32SerialPort() = default;
  ~Win32SerialPort() override;
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;

  // "COMn", "\\.\COMn" or any other device name CreateFile accepts.
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
  bool isOpen() const override { return handle_ != nullptr; }

 private:
  // Waits in the driver up to `wait` for bytes, and takes them until a gap
  // between bytes or `room`; a wait of 0 takes what the driver holds.
  TransferStep readSome(uint8_t* into, size_t room, std::chrono::milliseconds wait);
  bool setDriverTimeouts(std::chrono::milliseconds readWait);

  void* handle_ = nullptr;  // HANDLE; null while closed (never INVALID_HANDLE_VALUE)
  PortTimeouts timeouts_;
  std::optional<std::chrono::milliseconds> readWait_;  // the driver's read limit now set
  // A gap between bytes that ends the driver's read: two characters at the
  // line's rate, which no frame has inside it, so a frame comes in one call.
  unsigned gapMs_ = 2;
};

// The name CreateFile needs: "\\.\" before a bare "COMn", since COM10 and up
// are reachable only through the device namespace.
std::string Win32DeviceName(const std::string& port);
