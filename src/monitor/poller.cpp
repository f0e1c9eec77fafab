#include "monitor/poller.h"

#include <algorithm>
#include <thread>

#include "console/text.h"
#include "modbus/register_tools.h"

PollTarget PollTarget::Model(const ReaderModel& reader) { return {&reader, reader.start, reader.count}; }

PollTarget PollTarget::Registers(uint16_t start, uint16_t count) { return {nullptr, start, count}; }

std::string QuantityColumn::heading() const { return unit.empty() ? label : label + " (" + unit + ")"; }

namespace {

std::string RegisterKey(int address) { return "r" + std::to_string(address); }

std::vector<Quantity> RegisterQuantities(const RxFrame& rx, uint16_t start, uint16_t count) {
  std::vector<Quantity> quantities;
  quantities.reserve(count);
  for (int k = 0; k < count; ++k) {
    const std::string key = RegisterKey(start + k);
    quantities.push_back({key, key, "", static_cast<double>(Word(rx, k))});
  }
  return quantities;
}

PollStatus StatusOf(ExchangeError error) {
  switch (error) {
    case ExchangeError::kNone: return PollStatus::kOk;
    case ExchangeError::kNoReply: return PollStatus::kTimeout;
    case ExchangeError::kShortReply: return PollStatus::kShort;
    case ExchangeError::kBadCrc: return PollStatus::kCrc;
    case ExchangeError::kMismatch: return PollStatus::kMismatch;
    case ExchangeError::kException: return PollStatus::kException;
    default: return PollStatus::kIo;
  }
}

// Failures after which polling cannot go on: the port, or the station itself.
bool EndsPolling(ExchangeError error) {
  return error == ExchangeError::kPortNotOpen || error == ExchangeError::kWriteFailed ||
         error == ExchangeError::kReadFailed || error == ExchangeError::kBadStation ||
         error == ExchangeError::kRequestRefused;
}

// A failure that reached no port is not a poll.
bool ReachedThePort(ExchangeError error) {
  return error != ExchangeError::kPortNotOpen && error != ExchangeError::kBadStation &&
         error != ExchangeError::kRequestRefused;
}

}  // namespace

std::vector<QuantityColumn> ColumnsOf(const PollTarget& target) {
  std::vector<QuantityColumn> columns;
  if (!target.model) {
    for (int k = 0; k < target.count; ++k) columns.push_back({RegisterKey(target.start + k), RegisterKey(target.start + k), ""});
    return columns;
  }
  // A block from the newest firmware the readers accept shows every line.
  std::vector<uint8_t> block(2 * size_t{target.model->count}, 0);
  block[0] = 9999 >> 8;
  block[1] = 9999 & 0xFF;
  std::string ignored;
  for (Quantity& q : target.model->decodeInto(ignored, RegisterWords{block.data()}))
    columns.push_back({std::move(q.key), std::move(q.label), std::move(q.unit)});
  return columns;
}

const char* PollStatusName(PollStatus status) {
  static const char* const kNames[kPollStatusCount] = {"ok",       "timeout",   "short",   "crc",
                                                       "mismatch", "exception", "refused", "io"};
  return kNames[static_cast<size_t>(status)];
}

std::string StatusText(const PollResult& result) {
  std::string text = PollStatusName(result.status);
  if (result.status == PollStatus::kException) appendf(text, " 0x%02X", result.exceptionCode);
  return text;
}

std::string SummaryLine(const PollCounters& counters, double pollsPerSecond) {
  std::string line;
  appendf(line, "%llu polls:", static_cast<unsigned long long>(counters.polls));
  for (size_t s = 0; s < kPollStatusCount; ++s)
    appendf(line, "%s %llu %s", s ? "," : "", static_cast<unsigned long long>(counters.byStatus[s]),
            PollStatusName(static_cast<PollStatus>(s)));
  appendf(line, "; %.1f polls/s", pollsPerSecond);
  return line;
}

Poller::Poller(OperationContext& ctx, PollTarget target, PollOptions options)
    : window_(ctx.console),
      quiet_(ctx.console),
      ctx_(ctx.withConsole(quiet_)),
      target_(target),
      options_(options),
      columns_(ColumnsOf(target)) {}

ExchangeError Poller::exchange(PollResult& result) {
  ExchangeError error = ExchangeError::kNone;
  if (target_.model) {
    ReadOutcome outcome = ReadModel(ctx_, *target_.model, options_.station);
    error = outcome.error;
    result.station = outcome.station;
    if (outcome.refused) {
      result.status = PollStatus::kRefused;
      result.report = msg::kUnsupportedModel.text();
      return error;
    }
    result.report = std::move(outcome.report);
    result.quantities = std::move(outcome.quantities);
  } else {
    ExchangeParams params;
    params.replyPduLength = ReadReplyPduLength(target_.count);
    params.request = [this](int to, Framing framing) {
      BuildReadRequest(ctx_.tx, framing, static_cast<uint8_t>(to), target_.start, target_.count);
      return true;
    };
    ExchangeResult exchanged = RunExchange(ctx_, options_.station, params);
    error = exchanged.error;
    result.station = exchanged.station;
    if (exchanged.ok()) {
      result.report = std::move(exchanged.report);
      result.quantities = RegisterQuantities(ctx_.rx, target_.start, target_.count);
    }
  }
  result.status = StatusOf(error);
  if (error == ExchangeError::kException) result.exceptionCode = PduOf(ctx_.rx)[1];
  if (error != ExchangeError::kNone)
    result.report = quiet_.boxes().empty() ? std::string() : quiet_.boxes().back();
  return error;
}

void Poller::end(const std::string& box) {
  stopped_ = true;
  stopBox_ = box;
  if (!box.empty()) window_.showInfo(box);
}

bool Poller::pollOnce() {
  if (stopped_) return false;
  const Clock::time_point start = Clock::now();
  if (counters_.polls == 0) firstStart_ = start;
  nextDue_ = start + options_.interval;
  quiet_.clearBoxes();

  PollResult result;
  const ExchangeError error = exchange(result);
  if (!ReachedThePort(error)) {  // not a poll: nothing went out
    end(result.report);
    return false;
  }
  result.at = Clock::now();
  result.wallClock = std::chrono::system_clock::now();
  ++counters_.polls;
  ++counters_.byStatus[static_cast<size_t>(result.status)];
  last_ = std::move(result);
  if (EndsPolling(error)) end(last_.report);
  return !stopped_;
}

double Poller::rate() const {
  if (counters_.polls == 0) return 0;
  const std::chrono::duration<double> elapsed = last_.at - firstStart_;
  return elapsed.count() > 0 ? static_cast<double>(counters_.polls) / elapsed.count() : 0;
}

void RunPolls(Poller& poller, uint64_t count, const std::atomic<bool>* stop,
              const std::function<void(const PollResult&)>& each) {
  constexpr auto kSlice = std::chrono::milliseconds(50);
  auto stopped = [&] { return stop && stop->load(); };
  for (uint64_t done = 0; count == 0 || done < count; ++done) {
    if (stopped()) return;
    const uint64_t before = poller.counters().polls;
    const bool goesOn = poller.pollOnce();
    if (poller.counters().polls > before) each(poller.last());
    if (!goesOn || (count && done + 1 >= count)) return;
    while (!stopped()) {
      const auto now = Poller::Clock::now();
      if (now >= poller.nextDue()) break;
      std::this_thread::sleep_for(std::min<Poller::Clock::duration>(poller.nextDue() - now, kSlice));
    }
  }
}
