#pragma once
// Cancel and Stop for the job that runs: raised by the front, read by the job
// between exchanges and by every wait on the worker, so that a raise ends a
// pause at once rather than when it would have ended.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

class CancelFlag {
 public:
  void raise();
  void clear();
  bool raised() const { return raised_.load(); }
  // Waits `duration`, or less once the flag is raised; true when raised.
  bool waitFor(std::chrono::milliseconds duration) const;

 private:
  std::atomic<bool> raised_{false};
  // Only so that a raise cannot slip between a waiter's check and its sleep.
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
};
