#include "cli/stop_signals.h"

#include <csignal>
#include <ostream>
#include <string>

#include "cli/platform.h"

namespace {

std::atomic<bool> gStopRequested{false};
std::atomic<int> gStopSignal{0};
std::atomic<bool> gEndAtOnce{false};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "set from a signal handler");

extern "C" void OnStopSignal(int signal) {
  if (gEndAtOnce.load() || gStopRequested.load()) EndOnSignal(signal);
  gStopSignal = signal;
  gStopRequested = true;
}

}  // namespace

void InstallStopSignals() { CatchStopSignals(OnStopSignal); }

const std::atomic<bool>& StopRequested() { return gStopRequested; }

int StopSignal() { return gStopSignal; }

bool EndAtOnceOnSignal() {
  gEndAtOnce = true;
  return gStopRequested;
}

int InterruptedExit(std::ostream& err) {
  const int signal = gStopSignal;
  err << "dolvane-cli: interrupted by "
      << (signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "signal " + std::to_string(signal))
      << "; the port is closed\n";
  return 128 + signal;
}
