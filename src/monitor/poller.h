#pragma once
// Continuous polling of one target: a model's block, or a register block, at one
// station. Each poll is the same exchange a button runs (RunExchange, its
// time-outs and checks), through a QuietConsole, so a failed poll is counted and
// polling goes on. A port failure ends polling with the box the button would
// show, on the window's console.
//
// A front drives it from its own loop:
//   - a window builds the target from the last model read
//     (PollTarget::Model(entry.reader)) or from the read tool's block as the
//     form model reads it; a timer then calls pollOnce() when nextDue() comes
//     (0 ms apart for back-to-back polling); the window shows last().report
//     and counters() and rate(), plots last().quantities (columns() names them
//     before the first poll), writes last() to a CsvLog while logging is on,
//     and calls stop() from its Stop button (it takes effect when the exchange
//     under way ends);
//   - a terminal or a benchmark calls RunPolls() below.
// pollOnce() blocks for one exchange; the port's idle callback keeps a window
// painted meanwhile, as it does for a button.
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "modbus/exchange.h"
#include "monitor/quiet_console.h"
#include "readers/reader.h"


// What is polled: a model's block, decoded by its reader, or `count` registers
// from `start`, each an unsigned word keyed "r<address>".
struct PollTarget {
  const ReaderModel* model = nullptr;
  uint16_t start = 0;
  uint16_t count = 0;

  static PollTarget Model(const ReaderModel& reader);
  static PollTarget Registers(uint16_t start, uint16_t count);
};


// A quantity's column in a log or plot.
struct QuantityColumn {
  std::string key;
  std::string label;
  std::string unit;
  std::string heading() const;  // "label (unit)", or the label alone
};

// The target's quantities, known before any poll: for a model, every line its
// newest firmware prints (older modules leave the columns of lines they lack empty).
std::vector<QuantityColumn> ColumnsOf(const PollTarget& target);

enum class PollStatus { kOk, kTimeout, kShort, kCrc, kMismatch, kException, kRefused, kIo };
inline constexpr size_t kPollStatusCount = 8;
// "ok", "timeout", "short", "crc", "mismatch", "exception", "refused", "io".
const char* PollStatusName(PollStatus status);

struct PollResult {
  using Clock = std::chrono::steady_clock;
  PollStatus status = PollStatus::kOk;
  int exceptionCode = 0;  // the module's code, with kException
  int station = 0;
  Clock::time_point at;                           // when the poll ended: rates, plots
  std::chrono::system_clock::time_point wallClock;  // the same instant for logs
  std::vector<Quantity> quantities;  // ok polls only
  std::string report;  // ok: the pane text a button shows; failed: the box it would show
};
// The status as a log writes it: the name, and "exception 0x04" with its code.
std::string StatusText(const PollResult& result);

struct PollCounters {
  uint64_t polls = 0;
  std::array<uint64_t, kPollStatusCount> byStatus{};
  uint64_t of(PollStatus status) const { return byStatus[static_cast<size_t>(status)]; }
  uint64_t failures() const { return polls - of(PollStatus::kOk); }
};
// "5 polls: 5 ok, 0 timeout, ... 0 io; 9.8 polls/s"
std::string SummaryLine(const PollCounters& counters, double pollsPerSecond);

struct PollOptions {
  std::chrono::milliseconds interval{1000};  // start to start; 0: back to back
  // The station to poll, as the form model read it (a refusal ends polling
  // with its box, as a button would refuse it).
  StationInput station = StationInput::Of(1);
};

class Poller {
 public:
  using Clock = PollResult::Clock;

  Poller(OperationContext& ctx, PollTarget target, PollOptions options = {});
  Poller(const Poller&) = delete;
  Poller& operator=(const Poller&) = delete;

  // Runs one poll now and records it in last() and counters(). False once
  // polling has ended: stop() was called (before or during this poll), or the
  // port failed or the station was refused (stopBox() then says why; that
  // poll, if it reached the port, counts as `io`).
  bool pollOnce();
  void stop() { stopped_ = true; }
  bool running() const { return !stopped_; }
  // The box that ended polling, already shown on the window's console; empty
  // when it was stopped or still runs.
  const std::string& stopBox() const { return stopBox_; }

  // When the next poll is due: the last poll's start plus the interval.
  Clock::time_point nextDue() const { return nextDue_; }
  const PollResult& last() const { return last_; }
  const PollCounters& counters() const { return counters_; }
  // Polls per second from the first poll's start to the last poll's end.
  double rate() const;
  const PollTarget& target() const { return target_; }
  const std::vector<QuantityColumn>& columns() const { return columns_; }

 private:
  ExchangeError exchange(PollResult& result);
  void end(const std::string& box);

  Console& window_;
  QuietConsole quiet_;
  OperationContext ctx_;
  PollTarget target_;
  PollOptions options_;
  std::vector<QuantityColumn> columns_;
  std::atomic<bool> stopped_{false};
  std::string stopBox_;
  PollResult last_;
  PollCounters counters_;
  Clock::time_point firstStart_{};
  Clock::time_point nextDue_{};
};

// Polls until `count` polls are done (0: no limit), polling ends, or *stop
// turns true (a signal handler may set it: the current exchange finishes
// first). Waits between polls in short slices, so a stop is seen at once.
// `each` gets every poll's result.
void RunPolls(Poller& poller, uint64_t count, const std::atomic<bool>* stop,
              const std::function<void(const PollResult&)>& each);
