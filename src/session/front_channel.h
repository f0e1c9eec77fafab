#pragma once
// How the session hands work to a front's thread: the Qt window queues a call
// on its own object, the Win32 window posts itself a message.
#include <functional>

class FrontChannel {
 public:
  virtual ~FrontChannel() = default;
  // Runs `task` on the front's thread, later, in posting order. Callable from
  // any thread and never waits for the front: the worker posts while the
  // front may be blocked on the worker (shutting the session down).
  virtual void post(std::function<void()> task) = 0;
};
