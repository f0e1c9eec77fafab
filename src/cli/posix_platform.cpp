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

}  // namespace

std::unique_ptr<SimulatedBus> StartSimulatedBus() { return std::make_unique<PtyBus>(); }

const char* PortOptionHelp() {
  return "device path, or a port number by the window's rule (n = /dev/ttyS(n-1))";
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

void PrepareStandardStreams() {}

bool StdinIsTerminal() { return isatty(STDIN_FILENO) != 0; }
