#include "session/cancel_flag.h"

void CancelFlag::raise() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    raised_ = true;
  }
  changed_.notify_all();
}

void CancelFlag::clear() {
  const std::lock_guard<std::mutex> lock(mutex_);
  raised_ = false;
}

bool CancelFlag::waitFor(std::chrono::milliseconds duration) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, duration, [this] { return raised_.load(); });
}
