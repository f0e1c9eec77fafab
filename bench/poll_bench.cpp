// Polling "4SX/Y" back to back (interval 0) over the simulated bus with paced
// replies, at 9600 and 115200 baud, against the wire limit of one exchange:
// the 8-byte request, a turnaround of 3.5 characters and the 85-byte reply, 10
// bits a character, and beside a bare request/reply loop on the same bus (what
// the simulated wire itself allows). Then the CPU the monitor takes while
// polling once a second.
// When `mbpoll` is installed, its rate on the same simulated bus is printed
// beside ours (its poll period cannot go under 10 ms).
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "cli/terminal_console.h"
#include "link/posix_serial_port.h"
#include "models/model_registry.h"
#include "monitor/poller.h"
#include "operations/operations.h"
#include "sim/sim_bus.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kRequestChars = 8;
constexpr double kTurnaroundChars = 3.5;
constexpr double kReplyChars = 5 + 2 * 40;

double WireLimit(int baud) { return baud / (10.0 * (kRequestChars + kTurnaroundChars + kReplyChars)); }

int BaudIndex(int baud) {
  for (int i = 0; i < 8; ++i)
    if (kBaudRates[i] == baud) return i;
  return 3;
}

std::unique_ptr<SimBus> PacedBus(int baud) {
  auto bus = std::make_unique<SimBus>();
  bus->addModule({.station = 1, .model = &FindModel("4SXY")->sim, .baudRate = baud});
  bus->setPaced(true);
  bus->setLiveValues(true);
  bus->start();
  return bus;
}

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

struct Run {
  double pollsPerSecond = 0;
  double cpuShare = 0;  // of one core, the polling thread alone
  uint64_t failures = 0;
};

Run Poll(int baud, std::chrono::milliseconds interval, uint64_t polls) {
  auto bus = PacedBus(baud);
  std::ostringstream out, err;
  std::istringstream in;
  TerminalConsole console(out, err, in, false);
  console.port = bus->devicePath();
  Operations ops(console, std::make_unique<PosixSerialPort>());
  ops.InitLinkDefaults();
  ops.OnCbnSelchangeBaudRate(BaudIndex(baud));
  ops.OnBnClickedOpenPort();
  Poller poller(ops.context(), PollTarget::Model(FindModel("4SXY")->reader), {interval, StationInput::Of(1)});
  const double cpuBefore = ThreadCpuSeconds();
  const auto start = Clock::now();
  RunPolls(poller, polls, nullptr, [](const PollResult&) {});
  const std::chrono::duration<double> wall = Clock::now() - start;
  return {poller.rate(), (ThreadCpuSeconds() - cpuBefore) / wall.count(), poller.counters().failures()};
}

// The same request and reply with nothing around them: what the simulated bus
// itself allows, to tell the monitor's own cost from the bus's.
double BareExchangesPerSecond(int baud, int exchanges) {
  auto bus = PacedBus(baud);
  PosixSerialPort port;
  if (port.open(bus->devicePath()) != OpenError::kNone) return 0;
  port.setTimeouts(TimeoutsFor(baud));
  port.setLine(baud, Parity::kNone, 1);
  TxFrame tx;
  BuildReadRequest(tx, Framing::kRtu, 1, 0, 40);
  uint8_t reply[85];
  const auto start = Clock::now();
  for (int i = 0; i < exchanges; ++i) {
    port.write(tx.bytes, tx.length);
    if (port.read(reply, sizeof reply).count != sizeof reply) return 0;
  }
  const std::chrono::duration<double> elapsed = Clock::now() - start;
  return exchanges / elapsed.count();
}

bool HaveMbpoll() { return std::system("command -v mbpoll >/dev/null 2>&1") == 0; }

// mbpoll at its shortest period for `seconds`; polls per second from its output.
double MbpollRate(int baud, int seconds) {
  auto bus = PacedBus(baud);
  int fds[2];
  if (pipe(fds) != 0) return 0;
  const std::string rate = std::to_string(baud);
  const pid_t child = fork();
  if (child == 0) {
    dup2(fds[1], 1);
    close(fds[0]);
    execlp("mbpoll", "mbpoll", "-m", "rtu", "-a", "1", "-r", "0", "-0", "-c", "40", "-t", "4", "-b",
           rate.c_str(), "-P", "none", "-l", "10", "-o", "1", bus->devicePath().c_str(), nullptr);
    _exit(127);
  }
  close(fds[1]);
  std::thread stopper([child, seconds] {
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    kill(child, SIGINT);
  });
  std::string output;
  char buffer[4096];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) output.append(buffer, static_cast<size_t>(n));
  stopper.join();
  waitpid(child, nullptr, 0);
  close(fds[0]);
  size_t polls = 0;
  for (size_t at = output.find("-- Polling slave"); at != std::string::npos; at = output.find("-- Polling slave", at + 1))
    ++polls;
  return static_cast<double>(polls) / seconds;
}

}  // namespace

int main() {
  // The simulated wire paces each reply byte with a sleep; the default 50 us of
  // timer slack would stretch every character at 115200 baud. Threads started
  // from here (the bus's) inherit the finer slack.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  for (int baud : {9600, 115200}) {
    const Run run = Poll(baud, std::chrono::milliseconds(0), baud == 9600 ? 50 : 300);
    std::printf("4SX/Y back to back at %6d baud: %6.1f polls/s, wire limit %6.1f polls/s (%.3f of it), %llu failed\n",
                baud, run.pollsPerSecond, WireLimit(baud), run.pollsPerSecond / WireLimit(baud),
                static_cast<unsigned long long>(run.failures));
    std::printf("  bare request/reply loop on the same bus:   %6.1f polls/s\n",
                BareExchangesPerSecond(baud, baud == 9600 ? 30 : 300));
    if (HaveMbpoll()) std::printf("  mbpoll on the same bus (10 ms period):  %6.1f polls/s\n", MbpollRate(baud, 5));
  }
  if (!HaveMbpoll()) std::printf("mbpoll is not installed: no comparison\n");
  const Run idle = Poll(9600, std::chrono::milliseconds(1000), 10);
  std::printf("polling once a second: %.3f %% of one core (the polling thread)\n", 100 * idle.cpuShare);
  return 0;
}
