#pragma once
// A front's thread for tests: tasks posted from any thread queue up until the
// test thread runs them, so a test decides when the front "pumps" and can
// stop pumping altogether.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "session/front_channel.h"

class ManualFrontChannel : public FrontChannel {
 public:
  using Clock = std::chrono::steady_clock;

  void post(std::function<void()> task) override {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      tasks_.push_back(std::move(task));
    }
    posted_.notify_all();
  }

  // Runs posted tasks, waiting for more, until `until` holds; false if it
  // still does not after `limit` (a hang fails instead of blocking the suite).
  bool runUntil(const std::function<bool()>& until, std::chrono::milliseconds limit = kPatience) {
    const auto giveUpAt = Clock::now() + limit;
    while (!until()) {
      std::function<void()> task;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!posted_.wait_until(lock, giveUpAt, [this] { return !tasks_.empty(); })) return until();
        task = std::move(tasks_.front());
        tasks_.pop_front();
      }
      task();
    }
    return true;
  }

  // Runs what is queued now, and what those tasks post.
  void runPending() {
    for (;;) {
      std::function<void()> task;
      {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (tasks_.empty()) return;
        task = std::move(tasks_.front());
        tasks_.pop_front();
      }
      task();
    }
  }

  // Waits, without running anything, until at least `count` tasks are queued.
  bool waitForQueued(size_t count, std::chrono::milliseconds limit = kPatience) {
    std::unique_lock<std::mutex> lock(mutex_);
    return posted_.wait_for(lock, limit, [&] { return tasks_.size() >= count; });
  }

  size_t queued() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return tasks_.size();
  }

  // Generous: long enough for a loaded machine, short enough that a hang fails.
  static constexpr std::chrono::milliseconds kPatience{5000};

 private:
  mutable std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> tasks_;
};
