#include "link/loopback_serial_port.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "link/transfer_deadline.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kIdleSlice = std::chrono::milliseconds(15);

}  // namespace

OpenError LoopbackSerialPort::open(const std::string& device) {
  if (device != device_) return OpenError::kNotFound;
  pending_.clear();
  open_ = true;
  return OpenError::kNone;
}

bool LoopbackSerialPort::setQueueSizes(size_t, size_t) { return open_; }

bool LoopbackSerialPort::setTimeouts(const PortTimeouts& timeouts) {
  timeouts_ = timeouts;
  return open_;
}

bool LoopbackSerialPort::setLine(int baudRate, Parity parity, int stopBits) {
  line_ = {baudRate, parity, stopBits};
  return open_;
}

bool LoopbackSerialPort::purge() {
  pending_.clear();
  return open_;
}

IoResult LoopbackSerialPort::write(const uint8_t* bytes, size_t count) {
  if (!open_) return {false, 0};
  const std::vector<uint8_t> reply = farEnd_(bytes, count, line_);
  pending_.insert(pending_.end(), reply.begin(), reply.end());
  return {true, count};
}

IoResult LoopbackSerialPort::read(uint8_t* bytes, size_t count, const CompleteTest& complete) {
  if (!open_) return {false, 0};
  const auto start = Clock::now();
  TransferDeadline deadline = TransferDeadline::forRead(timeouts_, count);
  const size_t taken = std::min(count, pending_.size());
  std::copy(pending_.begin(), pending_.begin() + static_cast<long>(taken), bytes);
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(taken));
  if (taken > 0) deadline.bytesArrived(TransferDeadline::Ms(0));
  if (taken == count || (taken > 0 && complete && complete(bytes, taken))) return {true, taken};
  // Nothing more comes before the next write: the read ends at its time-out.
  const auto since = [&] {
    return std::chrono::duration_cast<TransferDeadline::Ms>(Clock::now() - start);
  };
  // Without any limit a real line would wait for ever; nothing can come here.
  while (const auto left = deadline.left(since())) {
    if (left->count() == 0) break;
    std::this_thread::sleep_for(std::min<Clock::duration>(*left, kIdleSlice));
    callIdle();
  }
  return {true, taken};
}

void LoopbackSerialPort::close() {
  open_ = false;
  pending_.clear();
}
