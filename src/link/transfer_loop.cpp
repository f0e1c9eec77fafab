#include "link/transfer_loop.h"

#include <algorithm>

#include "link/transfer_deadline.h"

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds since the start of a transfer, the time base of TransferDeadline.
class Elapsed {
 public:
  explicit Elapsed(const TransferClock& clock) : clock_(clock), start_(now()) {}
  TransferDeadline::Ms operator()() const {
    return std::chrono::duration_cast<TransferDeadline::Ms>(now() - start_);
  }

 private:
  Clock::time_point now() const { return clock_ ? clock_() : Clock::now(); }
  const TransferClock& clock_;
  Clock::time_point start_;
};

// How long one wait may last: the time left, but at most one idle slice.
std::chrono::milliseconds SliceWait(const TransferDeadline& deadline, const Elapsed& since) {
  const auto left = deadline.left(since());
  if (!left) return kIdleSlice;
  return std::min<std::chrono::milliseconds>(*left, kIdleSlice);
}

void Call(const IdleCall& idle) {
  if (idle) idle();
}

}  // namespace

IoResult ReadWithDeadline(uint8_t* bytes, size_t count, const PortTimeouts& timeouts,
                          const SerialPort::CompleteTest& complete, const IdleCall& idle,
                          const ReadSome& readSome, const TransferClock& clock) {
  IoResult result{true, 0};
  const Elapsed since(clock);
  TransferDeadline deadline = TransferDeadline::forRead(timeouts, count);
  while (result.count < count) {
    // Look at the device before judging the deadline: bytes that came while the
    // idle callback ran late belong to this read (a past deadline waits 0 ms).
    const TransferStep step = readSome(bytes + result.count, count - result.count, SliceWait(deadline, since));
    // A vanished device or a closed connection: a failure, not a time-out.
    if (!step.ok) return {false, result.count};
    if (step.count > 0) {
      result.count += step.count;
      deadline.bytesArrived(since());
      if (complete && complete(bytes, result.count)) break;
      continue;
    }
    if (deadline.expired(since())) break;
    Call(idle);
  }
  return result;
}

IoResult WriteWithDeadline(const uint8_t* bytes, size_t count, const PortTimeouts& timeouts,
                           const IdleCall& idle, const WriteSome& writeSome, const TransferClock& clock) {
  IoResult result{true, 0};
  const Elapsed since(clock);
  const TransferDeadline deadline = TransferDeadline::forWrite(timeouts, count);
  while (result.count < count) {
    const TransferStep step = writeSome(bytes + result.count, count - result.count, SliceWait(deadline, since));
    if (!step.ok) return {false, result.count};
    if (step.count > 0) {
      result.count += step.count;
      continue;
    }
    if (deadline.expired(since())) break;
    Call(idle);
  }
  return result;
}

std::vector<uint8_t> DiscardUntilQuiet(int quietMs, int limitMs, const ReadSome& readSome) {
  std::vector<uint8_t> dropped;
  const auto start = Clock::now();
  uint8_t chunk[256];
  while (Clock::now() - start < std::chrono::milliseconds(limitMs)) {
    const TransferStep step = readSome(chunk, sizeof chunk, std::chrono::milliseconds(quietMs));
    if (!step.ok || step.count == 0) break;  // quiet long enough; a failure shows at the next transfer
    dropped.insert(dropped.end(), chunk, chunk + step.count);
  }
  return dropped;
}
