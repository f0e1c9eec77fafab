#pragma once
// Polling every module of a bus file in turn: each poll is the exchange the
// module's model button runs, through one Poller per module (its time-outs,
// checks and counters). A failing module is counted and polling goes on with
// the next; a port failure ends polling with the box a button would show, on
// the window's console.
//
// A front drives it one exchange at a time, as it drives a Poller:
//   - a window submits pollOnce() to its session as a job when nextDue() comes
//     (at once within a cycle; a cycle's interval after the cycle's start at
//     its end), one at a time; on the job's done it reads what follows,
//     then shows lastIndex()'s row of modules(): status, last good reading,
//     counters, quantities, stale and outside(); stop() from its Stop button;
//   - a terminal or a benchmark calls RunBusPolls() below.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "bus/bus_file.h"
#include "monitor/poller.h"

// One module as the last polls left it.
struct BusModuleState {
  using Clock = PollResult::Clock;
  BusModule module;
  bool polled = false;  // at least once
  PollStatus status = PollStatus::kOk;  // of its last poll
  std::string statusText;               // "ok", "timeout", "exception 0x04", ...
  int exceptionCode = 0;                // the module's code, with kException
  std::optional<Clock::time_point> lastGood;                    // its last ok poll
  std::optional<std::chrono::system_clock::time_point> lastGoodWallClock;
  std::vector<Quantity> quantities;  // of its last ok poll
  std::set<std::string> outside;     // keys of those quantities outside their limits
  PollCounters counters;
  uint64_t failuresSinceGood = 0;  // its polls since the last ok one (all of them, before one)
  // The reading shown is no longer current: two cycles have passed since it was
  // taken (its last two polls failed).
  bool stale() const { return lastGood && failuresSinceGood >= 2; }
};

struct BusPollOptions {
  std::chrono::milliseconds interval{0};  // cycle start to cycle start; 0: back to back
};

class BusPoller {
 public:
  using Clock = PollResult::Clock;

  // Polls on ctx's port; `bus` is copied. A bus without modules polls nothing.
  BusPoller(OperationContext& ctx, const BusFile& bus, BusPollOptions options = {});
  ~BusPoller();
  BusPoller(const BusPoller&) = delete;
  BusPoller& operator=(const BusPoller&) = delete;

  // Polls the next module and records it; false once polling has ended (stop(),
  // or the port failed: stopBox() says why, already shown on the console).
  bool pollOnce();
  void stop();
  bool running() const;
  const std::string& stopBox() const;

  // The module the last poll went to, and that poll; lastCounted() is false when
  // the last pollOnce() sent nothing (polling had ended, the port was not open).
  size_t lastIndex() const { return lastIndex_; }
  bool lastCounted() const { return lastCounted_; }
  const PollResult& last() const;
  // The last poll ended a cycle (it went to the last module).
  bool cycleEnded() const { return cycleEnded_; }
  uint64_t cycles() const { return cycles_; }  // cycles completed
  Clock::time_point nextDue() const { return nextDue_; }

  const BusFile& bus() const { return bus_; }
  const std::vector<BusModuleState>& modules() const { return states_; }
  // The log's and a table's columns for one module: its model's quantities.
  const std::vector<QuantityColumn>& columnsOf(size_t module) const;
  // Cycles per second from the first cycle's start to the last cycle's end.
  double cycleRate() const;

 private:
  void record(size_t index, const PollResult& result);

  BusFile bus_;
  BusPollOptions options_;
  std::vector<std::unique_ptr<Poller>> pollers_;
  std::vector<BusModuleState> states_;
  size_t next_ = 0;
  size_t lastIndex_ = 0;
  bool lastCounted_ = false;
  bool cycleEnded_ = false;
  uint64_t cycles_ = 0;
  Clock::time_point firstStart_{};
  Clock::time_point cycleStart_{};
  Clock::time_point lastCycleEnd_{};
  Clock::time_point nextDue_{};
  std::atomic<bool> stopped_{false};
  std::string stopBox_;
};

// Polls until `cycles` cycles are done (0: no limit), polling ends, or *stop
// turns true (the exchange under way finishes first). `each` gets every poll
// with its module's index; `cycleEnd` is called after each whole cycle.
void RunBusPolls(BusPoller& poller, uint64_t cycles, const std::atomic<bool>* stop,
                 const std::function<void(size_t module, const PollResult&)>& each,
                 const std::function<void()>& cycleEnd = {});
