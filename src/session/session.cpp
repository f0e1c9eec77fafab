#include "session/session.h"

#include <utility>

Session::Session(FrontChannel& front, SessionView& view, std::unique_ptr<SerialPort> port)
    : relay_(front, view, cancel_), ops_(relay_, std::move(port)), worker_([this] { work(); }) {}

Session::~Session() {
  // The worker is woken from wherever it waits: a pause, an unanswered box,
  // or the idle wait for a job. A queued job that has not started is dropped.
  cancel_.raise();
  relay_.close();
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  worker_.join();
}

bool Session::submit(SessionJob job, std::function<void()> done) {
  if (busy_ || !job) return false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    // Cleared here, not when the worker starts, so that a cancel asked right
    // after submit still reaches this job.
    cancel_.clear();
    job_ = std::move(job);
    done_ = std::move(done);
  }
  busy_ = true;
  wake_.notify_all();
  return true;
}

void Session::work() {
  for (;;) {
    SessionJob job;
    std::function<void()> done;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || job_; });
      if (stopping_) return;
      job = std::move(job_);
      job_ = nullptr;
      done = std::move(done_);
      done_ = nullptr;
    }
    job(ops_);
    // Posted last, so it runs after everything the job posted; busy ends
    // before `done`, which may submit the next job (the monitor's next poll).
    relay_.postToFront([this, done = std::move(done)] {
      busy_ = false;
      if (done) done();
    });
  }
}
