#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

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

// The descriptors EndOnSignal looks at, set before any handler can run.
int gDescriptorLimit = 1024;

void Say(const char* text) {
  size_t length = 0;
  while (text[length]) ++length;
  (void)!::write(STDERR_FILENO, text, length);
}

}  // namespace

void CatchStopSignals(void (*handler)(int)) {
  gDescriptorLimit = static_cast<int>(std::clamp<long>(::sysconf(_SC_OPEN_MAX), 64, 4096));
  // No SA_RESTART: a wait in progress ends with EINTR and sees the request at once.
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigset_t stops;
  sigemptyset(&stops);
  sigaddset(&stops, SIGINT);
  sigaddset(&stops, SIGTERM);
  sigprocmask(SIG_UNBLOCK, &stops, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

void EndOnSignal(int signal) {
  // Only async-signal-safe calls here. TIOCNXCL fails harmlessly on what is not
  // a terminal; flock and the descriptors themselves end with the process.
  for (int fd = 3; fd < gDescriptorLimit; ++fd) ::ioctl(fd, TIOCNXCL);
  Say(signal == SIGINT    ? "dolvane-cli: interrupted by SIGINT; the port is closed\n"
      : signal == SIGTERM ? "dolvane-cli: interrupted by SIGTERM; the port is closed\n"
                          : "dolvane-cli: interrupted; the port is closed\n");
  ::_exit(128 + signal);
}

std::unique_ptr<SimulatedBus> StartSimulatedBus() { return std::make_unique<PtyBus>(); }

const char* PortOptionHelp() {
  return "device path, tcp:HOST:PORT of a serial server or mbtcp:HOST[:PORT] of a\n"
         "                      Modbus TCP server (looked up and connected within 3 s), or\n"
         "                      a port number by the window's rule (n = /dev/ttyS(n-1))";
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

void PrepareStandardStreams() {}

bool StdinIsTerminal() { return isatty(STDIN_FILENO) != 0; }
