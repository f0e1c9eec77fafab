#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class Parity { kNone, kEven, kOdd };

// Time-outs with the meaning of the Windows serial interface, in milliseconds:
// a read of N bytes ends after readMultiplier * N + readConstant, or when
// readInterval passes between two bytes after the first; a write likewise.
// A term of 0 sets no limit: interval 0 has no interval limit, multiplier and
// constant both 0 no total limit (link/transfer_deadline.h does the arithmetic).
struct PortTimeouts {
  int readInterval = 0;
  int readMultiplier = 0;
  int readConstant = 0;
  int writeMultiplier = 0;
  int writeConstant = 0;
};

// Why an open failed, in the terms the user can act on.
enum class OpenError {
  kNone,        // opened
  kNotFound,    // no such device
  kPermission,  // the user may not open it
  kBusy,        // another program holds it
  kRefused,     // a serial server's host answered, but nothing listens on that port
  kNoHost,      // the host name is unknown, or no route leads to the host
  kTimedOut,    // the host gave no answer within the connect time
  kOther,
};

struct IoResult {
  bool ok = false;   // false: the call itself failed (device gone, I/O error)
  size_t count = 0;  // bytes transferred before the end
};

// The operations the link needs from a serial device. The POSIX back end is
// one implementation; tests may feed an exchange raw bytes through another.
class SerialPort {
 public:
  using IdleCallback = std::function<void()>;
  // Lets a read end early once the bytes so far form a complete frame.
  using CompleteTest = std::function<bool(const uint8_t* bytes, size_t count)>;

  virtual ~SerialPort() = default;
  // Opens the device exclusively; kNone when open, else why not.
  virtual OpenError open(const std::string& device) = 0;
  virtual bool setQueueSizes(size_t input, size_t output) = 0;
  virtual bool setTimeouts(const PortTimeouts& timeouts) = 0;
  virtual bool setLine(int baudRate, Parity parity, int stopBits) = 0;
  virtual bool purge() = 0;
  virtual void clearErrors() = 0;
  virtual IoResult write(const uint8_t* bytes, size_t count) = 0;
  virtual IoResult read(uint8_t* bytes, size_t count, const CompleteTest& complete = {}) = 0;
  // Reads and drops bytes until none has come for quietMs, for at most limitMs;
  // the bytes dropped. A port whose stale bytes all go with purge() (nothing
  // can arrive late) needs nothing more.
  virtual std::vector<uint8_t> discardUntilQuiet(int /*quietMs*/, int /*limitMs*/) { return {}; }
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  // False where the line cannot carry parity (a pseudo-terminal drops it), so
  // that settings differing only in parity cannot be told apart on it.
  virtual bool carriesParity() const { return true; }

  // Called about every 15 ms while a read or write waits.
  void setIdleCallback(IdleCallback callback) { idle_ = std::move(callback); }

 protected:
  void callIdle() const {
    if (idle_) idle_();
  }

 private:
  IdleCallback idle_;
};
