#include "link/traffic_tap.h"

#include <algorithm>

#include "link/tcp_address.h"

void TrafficQueue::push(TrafficRecord record) {
  std::lock_guard lock(mu_);
  if (records_.size() >= limit_) {
    records_.pop_front();
    ++dropped_;
  }
  records_.push_back(std::move(record));
}

std::vector<TrafficRecord> TrafficQueue::drain() {
  std::lock_guard lock(mu_);
  std::vector<TrafficRecord> out(std::make_move_iterator(records_.begin()),
                                 std::make_move_iterator(records_.end()));
  records_.clear();
  return out;
}

size_t TrafficQueue::dropped() const {
  std::lock_guard lock(mu_);
  return dropped_;
}

TrafficTap::TrafficTap(std::unique_ptr<SerialPort> inner) : inner_(std::move(inner)) {
  // The front sets its idle callback on the tap; the wait happens in the port below.
  inner_->setIdleCallback([this] { callIdle(); });
}

int TrafficTap::addListener(Listener listener) {
  std::lock_guard lock(mu_);
  listeners_.emplace_back(nextId_, std::move(listener));
  return nextId_++;
}

void TrafficTap::removeListener(int id) {
  std::lock_guard lock(mu_);
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void TrafficTap::restartClock() {
  std::lock_guard lock(mu_);
  first_.reset();
}

OpenError TrafficTap::open(const std::string& device) {
  {
    std::lock_guard lock(mu_);
    modbusTcp_ = IsModbusTcpPortName(device);
  }
  return inner_->open(device);
}

bool TrafficTap::setTimeouts(const PortTimeouts& timeouts) {
  timeouts_ = timeouts;
  return inner_->setTimeouts(timeouts);
}

bool TrafficTap::setLine(int baudRate, Parity parity, int stopBits) {
  baudRate_ = baudRate;
  parity_ = parity;
  stopBits_ = stopBits;
  return inner_->setLine(baudRate, parity, stopBits);
}

int64_t TrafficTap::microsSinceFirst(Clock::time_point t) {
  std::lock_guard lock(mu_);
  if (!first_) {
    first_ = t;
    firstWall_ = std::chrono::system_clock::now() -
                 std::chrono::duration_cast<std::chrono::system_clock::duration>(Clock::now() - t);
  }
  return std::chrono::duration_cast<std::chrono::microseconds>(t - *first_).count();
}

void TrafficTap::publish(TrafficRecord record) {
  std::vector<Listener> listeners;
  {
    std::lock_guard lock(mu_);
    record.firstWall = firstWall_;
    record.baudRate = baudRate_;
    record.parity = parity_;
    record.stopBits = stopBits_;
    record.modbusTcp = modbusTcp_;
    for (const auto& entry : listeners_) listeners.push_back(entry.second);
  }
  // Outside the lock: a listener may add or remove listeners.
  for (const Listener& listener : listeners) listener(record);
}

namespace {

int TotalLimitMs(int multiplier, int constant, size_t count) {
  return multiplier * static_cast<int>(count) + constant;
}

TrafficEnd EndOf(const IoResult& result, size_t expected, bool whole) {
  if (!result.ok) return TrafficEnd::kFailed;
  if (result.count == expected || whole) return TrafficEnd::kComplete;
  return TrafficEnd::kTimeOut;
}

}  // namespace

IoResult TrafficTap::write(const uint8_t* bytes, size_t count) {
  const auto begin = Clock::now();
  const IoResult result = inner_->write(bytes, count);
  const auto end = Clock::now();
  TrafficRecord record;
  record.direction = TrafficDirection::kTx;
  record.beginUs = microsSinceFirst(begin);
  record.endUs = microsSinceFirst(end);
  record.bytes.assign(bytes, bytes + std::min(result.count, count));
  record.expected = count;
  record.timeoutMs = TotalLimitMs(timeouts_.writeMultiplier, timeouts_.writeConstant, count);
  record.end = EndOf(result, count, false);
  lastRequest_ = record.bytes;
  publish(std::move(record));
  return result;
}

IoResult TrafficTap::read(uint8_t* bytes, size_t count, const CompleteTest& complete) {
  const auto begin = Clock::now();
  const IoResult result = inner_->read(bytes, count, complete);
  const auto end = Clock::now();
  const size_t got = std::min(result.count, count);
  // Fewer bytes that the caller's test calls a whole frame ended the read, not a time-out.
  const bool whole = got > 0 && complete && complete(bytes, got);
  TrafficRecord record;
  record.direction = TrafficDirection::kRx;
  record.beginUs = microsSinceFirst(begin);
  record.endUs = microsSinceFirst(end);
  record.bytes.assign(bytes, bytes + got);
  record.expected = count;
  record.timeoutMs = TotalLimitMs(timeouts_.readMultiplier, timeouts_.readConstant, count);
  record.end = EndOf(result, count, whole);
  record.request = lastRequest_;
  publish(std::move(record));
  return result;
}

std::vector<uint8_t> TrafficTap::discardUntilQuiet(int quietMs, int limitMs) {
  const auto begin = Clock::now();
  std::vector<uint8_t> dropped = inner_->discardUntilQuiet(quietMs, limitMs);
  if (dropped.empty()) return dropped;  // a quiet line leaves nothing to show
  const auto end = Clock::now();
  TrafficRecord record;
  record.direction = TrafficDirection::kRx;
  record.beginUs = microsSinceFirst(begin);
  record.endUs = microsSinceFirst(end);
  record.bytes = dropped;
  record.expected = dropped.size();
  record.discarded = true;
  publish(std::move(record));
  return dropped;
}
