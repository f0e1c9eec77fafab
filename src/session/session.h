#pragma once
// One worker thread owns Operations and the port. A front submits a job from
// its own thread; the job runs on the worker with a RelayConsole, so its pane
// text, progress and boxes come back to the front's SessionView through the
// FrontChannel, in order, and `done` after them. Every call below is made on
// the front's thread; the session is destroyed there too.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "link/serial_port.h"
#include "operations/operations.h"
#include "session/cancel_flag.h"
#include "session/front_channel.h"
#include "session/relay_console.h"
#include "session/session_view.h"

// What a front starts: a handler with its typed request, bound at the click.
using SessionJob = std::function<void(Operations&)>;

class Session {
 public:
  // The front, the view and whatever they hold outlive the session.
  Session(FrontChannel& front, SessionView& view, std::unique_ptr<SerialPort> port);
  // Raises cancel, dismisses a box the worker waits on, and joins the worker
  // once the job ends; it never waits for the front to run what was posted,
  // and none of that reaches the view any more.
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // For the front's set-up only, before the first submit (InitLinkDefaults);
  // from then on only jobs touch Operations, on the worker.
  Operations& operationsForSetUp() { return ops_; }

  // Runs `job` on the worker with the cancel flag cleared; `done` runs on the
  // front after everything the job posted. False, and nothing runs, while an
  // earlier job is busy: one job at a time, as the window takes one click.
  bool submit(SessionJob job, std::function<void()> done = {});
  // From submit until its `done` has run on the front, so a front that sees
  // the session idle has every result of the job already shown.
  bool busy() const { return busy_; }

  // Cancel, Stop: raises the flag the job reads between exchanges; a pause on
  // the worker ends at once. The next submit clears it.
  void requestCancel() { cancel_.raise(); }
  // For a job to read (DiscoveryControl::cancelRequested, the monitor's stop);
  // it lives as long as the session.
  const CancelFlag& cancelFlag() const { return cancel_; }

 private:
  void work();

  CancelFlag cancel_;
  RelayConsole relay_;
  Operations ops_;
  bool busy_ = false;  // the front's view; written on the front's thread only

  std::mutex mutex_;
  std::condition_variable wake_;
  SessionJob job_;             // guarded by mutex_: submitted, not yet started
  std::function<void()> done_; // guarded by mutex_
  bool stopping_ = false;      // guarded by mutex_
  std::thread worker_;         // last: starts once everything above exists
};

// The CLI's way to run a job: at once, on the caller's thread, with the
// Operations it built over its own Console. No relay and no worker: a terminal
// blocks on a prompt anyway, and its Ctrl+C sets its own stop flag.
inline void RunNow(Operations& ops, const SessionJob& job) { job(ops); }
