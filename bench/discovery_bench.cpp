// Times a station scan 1..247 on the simulated bus at 9600 N,8,1, replies
// paced at the wire speed, three modules present, and sets it beside the
// bound a scan must stay within (1.2 x (247 x (request + time-out) + three
// replies)) and beside the time a scanner with a fixed 1000 ms time-out takes.
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>

#include "cli/terminal_console.h"
#include "discovery/discovery.h"
#include "link/posix_serial_port.h"
#include "models/model_registry.h"
#include "operations/operations.h"
#include "sim/sim_bus.h"

namespace {

using Clock = std::chrono::steady_clock;

double WireMs(int bytes, int baud, int bitsPerCharacter) {
  return bytes * bitsPerCharacter * 1000.0 / baud;
}

}  // namespace

int main(int argc, char** argv) {
  const int turnaround = argc > 1 ? std::atoi(argv[1]) : kDefaultTurnaroundMs;
  SimBus bus;
  for (int station : {3, 17, 200}) bus.addModule({.station = station, .model = &FindModel("4SXY")->sim});
  bus.setPaced(true);
  bus.start();

  std::ostringstream out, err;
  std::istringstream in;
  TerminalConsole console(out, err, in, false);
  console.port = bus.devicePath();
  Operations ops(console, std::make_unique<PosixSerialPort>());
  ops.InitLinkDefaults();
  ops.OnBnClickedOpenPort();

  DiscoveryControl control;
  control.turnaroundMs = turnaround;
  const auto start = Clock::now();
  const StationScan scan = ScanStations(ops.context(), 1, 247, control);
  const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;

  const int baud = 9600;
  const double request = WireMs(8, baud, 10);
  const double timeout = ProbeTimeouts(baud, kLineFormats[0], turnaround).readConstant;
  const double reply = WireMs(7, baud, 10);
  const double budget = 247 * (request + timeout) + 3 * reply;
  const double fixed = 247 * (request + 1000) + 3 * reply;
  std::printf("station scan 1..247 at 9600 N,8,1, request and reply paced, modules turning round in"
              " 3.5 characters, margin %d ms: %zu of 3 modules found\n",
              turnaround, scan.found.size());
  std::printf("  measured:                  %8.0f ms (%.1f ms a probe)\n", elapsed.count(), elapsed.count() / 247);
  std::printf("  247 x (%.1f + %.0f) + 3 x %.1f: %8.0f ms; x 1.2 = %.0f ms: %s\n", request, timeout, reply,
              budget, 1.2 * budget, elapsed.count() <= 1.2 * budget ? "within" : "OVER");
  std::printf("  fixed 1000 ms time-out:    %8.0f ms (computed, %.1f x this scan)\n", fixed,
              fixed / elapsed.count());
  return scan.found.size() == 3 ? 0 : 1;
}
