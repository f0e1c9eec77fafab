#include <signal.h>
#include <unistd.h>

#include "cli/platform.h"
#include "link/ports.h"
#include "link/serial_port.h"
#include "models/demo_bus.h"

namespace {

// The demo bus on a pseudo-terminal, opened like any serial device.
class PtyBus : public SimulatedBus {
 public:
  std::string portName() const override { return bus_->devicePath(); }
  std::unique_ptr<SerialPort> newPort() override { return NewPlatformSerialPort(); }

 private:
  std::unique_ptr<SimBus> bus_ = StartDemoBus();
};

struct sigaction gOldInt {};
struct sigaction gOldTerm {};

}  // namespace

void CatchStopSignals(void (*handler)(int)) {
  // No SA_RESTART: a wait in progress ends with EINTR and sees the request at once.
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &gOldInt);
  sigaction(SIGTERM, &action, &gOldTerm);
}

void RestoreStopSignals() {
  sigaction(SIGINT, &gOldInt, nullptr);
  sigaction(SIGTERM, &gOldTerm, nullptr);
}

std::unique_ptr<SimulatedBus> StartSimulatedBus() { return std::make_unique<PtyBus>(); }

const char* PortOptionHelp() {
  return "device path, tcp:HOST:PORT of a serial server (looked up and connected\n"
         "                      within 3 s), or a port number by the window's rule (n = /dev/ttyS(n-1))";
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

void PrepareStandardStreams() {}

bool StdinIsTerminal() { return isatty(STDIN_FILENO) != 0; }
