#pragma once
// The one place every frame passes on its way to and from the wire: a
// SerialPort that forwards to the real one and records each write and read.
// It knows bytes, not Modbus; modbus/frame_verdict.h judges the frames.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "link/serial_port.h"

enum class TrafficDirection { kTx, kRx };

// How a transfer ended.
enum class TrafficEnd {
  kComplete,  // all bytes, or a read the caller's completeness test ended early
  kTimeOut,   // fewer bytes than expected within the time-outs (maybe none)
  kFailed,    // the port failed (device gone, I/O error)
};

struct TrafficRecord {
  TrafficDirection direction = TrafficDirection::kTx;
  // Microseconds since the first record of this tap: when the transfer began
  // and when it ended.
  int64_t beginUs = 0;
  int64_t endUs = 0;
  // Wall clock of the first record; a record's wall time is this plus its µs.
  std::chrono::system_clock::time_point firstWall;
  std::vector<uint8_t> bytes;  // what was written or read, as it was
  // A read: the last request written before it, which a reply must answer.
  std::vector<uint8_t> request;
  // Bytes dropped while the line settled after a failed reply, not a reply.
  bool discarded = false;
  size_t expected = 0;         // bytes the caller wrote or asked for
  int timeoutMs = 0;           // the total limit of the transfer; 0 for none
  TrafficEnd end = TrafficEnd::kComplete;
  // The line as last set through the tap (0 baud: not set yet); a window may
  // show it, since discovery changes it between frames.
  int baudRate = 0;
  Parity parity = Parity::kNone;
  int stopBits = 1;
  // The connection frames as Modbus TCP (MBAP), not RTU.
  bool modbusTcp = false;

  // When the frame is shown: a request as it starts, a reply as it ends.
  int64_t atUs() const { return direction == TrafficDirection::kTx ? beginUs : endUs; }
  std::chrono::system_clock::time_point wallTime() const {
    return firstWall + std::chrono::microseconds(atUs());
  }
};

// Records in order, shared between the exchange's thread and a window that
// drains them in its event loop. A burst beyond the limit drops the oldest.
class TrafficQueue {
 public:
  explicit TrafficQueue(size_t limit = 100000) : limit_(limit) {}
  void push(TrafficRecord record);
  std::vector<TrafficRecord> drain();
  size_t dropped() const;

 private:
  mutable std::mutex mu_;
  std::deque<TrafficRecord> records_;
  size_t limit_;
  size_t dropped_ = 0;
};

class TrafficTap : public SerialPort {
 public:
  // Runs on the thread of the exchange, after the transfer, so it must be
  // quick: a window pushes into a TrafficQueue and shows it later.
  using Listener = std::function<void(const TrafficRecord&)>;
  using Clock = std::chrono::steady_clock;

  explicit TrafficTap(std::unique_ptr<SerialPort> inner);

  // Adds a listener; every record from now on reaches it. Returns its id.
  int addListener(Listener listener);
  void removeListener(int id);
  // The next record starts the time base again.
  void restartClock();

  SerialPort& inner() { return *inner_; }

  OpenError open(const std::string& device) override;
  bool setQueueSizes(size_t input, size_t output) override { return inner_->setQueueSizes(input, output); }
  bool setTimeouts(const PortTimeouts& timeouts) override;
  bool setLine(int baudRate, Parity parity, int stopBits) override;
  bool purge() override { return inner_->purge(); }
  void clearErrors() override { inner_->clearErrors(); }
  IoResult write(const uint8_t* bytes, size_t count) override;
  IoResult read(uint8_t* bytes, size_t count, const CompleteTest& complete = {}) override;
  std::vector<uint8_t> discardUntilQuiet(int quietMs, int limitMs) override;
  void close() override { inner_->close(); }
  bool isOpen() const override { return inner_->isOpen(); }
  bool carriesParity() const override { return inner_->carriesParity(); }

 private:
  int64_t microsSinceFirst(Clock::time_point t);
  void publish(TrafficRecord record);

  std::unique_ptr<SerialPort> inner_;
  PortTimeouts timeouts_;
  int baudRate_ = 0;
  Parity parity_ = Parity::kNone;
  int stopBits_ = 1;
  bool modbusTcp_ = false;  // of the last open
  std::vector<uint8_t> lastRequest_;  // on the exchange's thread only
  std::mutex mu_;  // guards the listeners and the time base
  std::vector<std::pair<int, Listener>> listeners_;
  int nextId_ = 1;
  std::optional<Clock::time_point> first_;
  std::chrono::system_clock::time_point firstWall_;
};
