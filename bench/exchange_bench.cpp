// Times the "4SX/Y" exchange end to end on the simulated bus (real termios back
// end on a pseudo-terminal, or the TCP back end over loopback; simulated module),
// unpaced and at the wire speed, and the CRC over a largest reply. Prints one
// line per figure.
#include <chrono>
#include <cstdio>
#include <memory>

#include "cli/terminal_console.h"
#include "console/control_ids.h"
#include "layout/form_model.h"
#include "operations/operations.h"
#include "link/port_by_name.h"
#include "modbus/crc16.h"
#include "sim/sim_bus.h"
#include "models/model_registry.h"

#include <iostream>
#include <sstream>

namespace {

using Clock = std::chrono::steady_clock;

enum class Transport { kPty, kTcp };

double MillisPerExchange(Transport transport, bool paced, int rounds) {
  SimBus bus = transport == Transport::kTcp ? SimBus(TcpAddress{"127.0.0.1", 0}) : SimBus();
  bus.addModule({.station = 1, .model = &FindModel("4SXY")->sim});
  bus.setPaced(paced);
  bus.start();
  std::ostringstream out, err;
  std::istringstream in;
  TerminalConsole console(out, err, in, false);
  console.port = bus.devicePath();
  Operations ops(console, NewPortByName());
  ops.InitLinkDefaults();
  ops.OnBnClickedOpenPort();
  const auto start = Clock::now();
  const Job read = JobFor(ids::kRead4SXY, InitialForm());
  for (int i = 0; i < rounds; ++i) read(ops);
  const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
  if (console.sawErrorBox()) std::fprintf(stderr, "an exchange failed: %s\n", err.str().c_str());
  return elapsed.count() / rounds;
}

double NanosPerCrc(int rounds) {
  uint8_t reply[245];
  for (int i = 0; i < 245; ++i) reply[i] = static_cast<uint8_t>(i * 7);
  volatile uint16_t sink = 0;
  const auto start = Clock::now();
  for (int i = 0; i < rounds; ++i) sink = sink ^ ModbusCrc16(reply, 243);
  const std::chrono::duration<double, std::nano> elapsed = Clock::now() - start;
  return elapsed.count() / rounds;
}

}  // namespace

int main() {
  std::printf("crc16 over 243 bytes: %.0f ns\n", NanosPerCrc(200000));
  std::printf("4SX/Y exchange, unpaced: %.2f ms\n", MillisPerExchange(Transport::kPty, false, 50));
  std::printf("4SX/Y exchange over TCP, unpaced: %.2f ms\n",
              MillisPerExchange(Transport::kTcp, false, 50));
  // On a wire: the 8-byte request, the module's turnaround of 3.5 characters, then
  // the 85-byte reply, 10 bits a character at 9600 baud.
  std::printf("4SX/Y exchange, paced at 9600 baud: %.2f ms (wire limit: %.2f ms)\n",
              MillisPerExchange(Transport::kPty, true, 5), (8 + 3.5 + 85) * 10 * 1000.0 / 9600);
  std::printf("4SX/Y exchange over TCP, paced at 9600 baud: %.2f ms\n",
              MillisPerExchange(Transport::kTcp, true, 5));
  return 0;
}
