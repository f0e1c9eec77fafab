#include "link/transfer_deadline.h"

#include <algorithm>
#include <cstdint>

namespace {

std::optional<TransferDeadline::Ms> TotalLimit(int multiplier, int constant, size_t count) {
  if (multiplier == 0 && constant == 0) return std::nullopt;
  // 64 bits: a large multiplier times a large count must not wrap into a short wait.
  const int64_t ms = static_cast<int64_t>(std::max(multiplier, 0)) * static_cast<int64_t>(count) +
                     std::max(constant, 0);
  return TransferDeadline::Ms(ms);
}

}  // namespace

TransferDeadline TransferDeadline::forRead(const PortTimeouts& t, size_t count) {
  return TransferDeadline(readTotal(t, count), Ms(std::max(t.readInterval, 0)));
}

std::optional<TransferDeadline::Ms> TransferDeadline::readTotal(const PortTimeouts& t, size_t count) {
  return TotalLimit(t.readMultiplier, t.readConstant, count);
}

TransferDeadline TransferDeadline::forWrite(const PortTimeouts& t, size_t count) {
  return TransferDeadline(TotalLimit(t.writeMultiplier, t.writeConstant, count), Ms(0));
}

void TransferDeadline::bytesArrived(Ms now) {
  if (interval_.count() > 0) intervalEnd_ = now + interval_;
}

std::optional<TransferDeadline::Ms> TransferDeadline::left(Ms now) const {
  std::optional<Ms> end = total_;
  if (intervalEnd_) end = end ? std::min(*end, *intervalEnd_) : *intervalEnd_;
  if (!end) return std::nullopt;
  return std::max(*end - now, Ms(0));
}

bool TransferDeadline::expired(Ms now) const {
  const auto remaining = left(now);
  return remaining && remaining->count() == 0;
}
