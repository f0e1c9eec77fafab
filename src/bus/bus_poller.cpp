#include "bus/bus_poller.h"

#include <algorithm>
#include <thread>

#include "models/model_registry.h"

BusPoller::BusPoller(OperationContext& ctx, const BusFile& bus, BusPollOptions options)
    : bus_(bus), options_(options) {
  for (const BusModule& module : bus_.modules) {
    // Each module's own Poller, back to back: the bus keeps the cycle's pace.
    pollers_.push_back(std::make_unique<Poller>(ctx, PollTarget::Model(module.model->reader),
                                                PollOptions{std::chrono::milliseconds(0),
                                                            StationInput::Of(module.station)}));
    BusModuleState state;
    state.module = module;
    states_.push_back(std::move(state));
  }
}

BusPoller::~BusPoller() = default;

void BusPoller::stop() { stopped_ = true; }

bool BusPoller::running() const { return !stopped_ && !pollers_.empty(); }

const std::string& BusPoller::stopBox() const { return stopBox_; }

const PollResult& BusPoller::last() const {
  static const PollResult kNone;
  return pollers_.empty() ? kNone : pollers_[lastIndex_]->last();
}

const std::vector<QuantityColumn>& BusPoller::columnsOf(size_t module) const { return pollers_[module]->columns(); }

bool BusPoller::pollOnce() {
  lastCounted_ = cycleEnded_ = false;
  if (!running()) return false;
  const Clock::time_point start = Clock::now();
  if (next_ == 0) {
    cycleStart_ = start;
    if (cycles_ == 0) firstStart_ = start;
  }
  Poller& poller = *pollers_[next_];
  const uint64_t before = poller.counters().polls;
  const bool goesOn = poller.pollOnce();
  lastIndex_ = next_;
  lastCounted_ = poller.counters().polls > before;
  if (lastCounted_) record(next_, poller.last());
  if (!goesOn) {  // the port failed, or was never open: the box is shown
    stopped_ = true;
    stopBox_ = poller.stopBox();
    return false;
  }
  next_ = (next_ + 1) % pollers_.size();
  if (next_ == 0) {
    ++cycles_;
    cycleEnded_ = true;
    lastCycleEnd_ = Clock::now();
    nextDue_ = cycleStart_ + options_.interval;
  } else {
    nextDue_ = start;
  }
  return !stopped_;
}

void BusPoller::record(size_t index, const PollResult& result) {
  BusModuleState& state = states_[index];
  state.polled = true;
  state.status = result.status;
  state.statusText = StatusText(result);
  state.exceptionCode = result.exceptionCode;
  state.counters = pollers_[index]->counters();
  if (result.status != PollStatus::kOk) {
    ++state.failuresSinceGood;
    return;
  }
  state.failuresSinceGood = 0;
  state.lastGood = result.at;
  state.lastGoodWallClock = result.wallClock;
  state.quantities = result.quantities;
  state.outside.clear();
  for (const Quantity& q : state.quantities) {
    const auto limits = state.module.limits.find(q.key);
    if (limits != state.module.limits.end() && limits->second.outside(q.value)) state.outside.insert(q.key);
  }
}

double BusPoller::cycleRate() const {
  if (cycles_ == 0) return 0;
  const std::chrono::duration<double> elapsed = lastCycleEnd_ - firstStart_;
  return elapsed.count() > 0 ? static_cast<double>(cycles_) / elapsed.count() : 0;
}

void RunBusPolls(BusPoller& poller, uint64_t cycles, const std::atomic<bool>* stop,
                 const std::function<void(size_t module, const PollResult&)>& each,
                 const std::function<void()>& cycleEnd) {
  constexpr auto kSlice = std::chrono::milliseconds(50);
  auto stopped = [&] { return stop && stop->load(); };
  while (!stopped()) {
    const bool goesOn = poller.pollOnce();
    if (poller.lastCounted()) each(poller.lastIndex(), poller.last());
    if (poller.cycleEnded()) {
      if (cycleEnd) cycleEnd();
      if (cycles && poller.cycles() >= cycles) return;
    }
    if (!goesOn) return;
    while (!stopped()) {
      const auto now = BusPoller::Clock::now();
      if (now >= poller.nextDue()) break;
      std::this_thread::sleep_for(std::min<BusPoller::Clock::duration>(poller.nextDue() - now, kSlice));
    }
  }
}
