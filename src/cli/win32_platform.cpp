#include <windows.h>
// after windows.h, which it builds on
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <csignal>
#include <cstdlib>
#include <cstdio>

#include "cli/platform.h"
#include "link/serial_port.h"
#include "link/win32_utf16.h"
#include "models/in_process_bus.h"

void CatchStopSignals(void (*handler)(int)) {
  std::signal(SIGINT, handler);
  std::signal(SIGTERM, handler);
}

void EndOnSignal(int signal) {
  // A port's handle is closed, and its exclusive use ended, with the process.
  static const char kText[] = "dolvane-cli: interrupted; the port is closed\n";
  _write(2, kText, sizeof kText - 1);
  _exit(128 + signal);
}

namespace {

class InProcessSimulatedBus : public SimulatedBus {
 public:
  std::string portName() const override { return bus_.portName(); }
  std::unique_ptr<SerialPort> newPort() override { return bus_.newPort(); }

 private:
  InProcessBus bus_;
};

}  // namespace

std::unique_ptr<SimulatedBus> StartSimulatedBus() { return std::make_unique<InProcessSimulatedBus>(); }

const char* PortOptionHelp() {
  return "port name (COM5, \\\\.\\COM12), tcp:HOST:PORT of a serial server or\n"
         "                      mbtcp:HOST[:PORT] of a Modbus TCP server (looked up and\n"
         "                      connected within 3 s), or a port number by the window's\n"
         "                      rule (n = COMn)";
}

std::vector<std::string> CommandLineArguments(int, char**) {
  // argv is in the ANSI code page; the wide command line keeps every character.
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide && i < count; ++i) args.push_back(Utf8(wide[i]));
  LocalFree(wide);
  return args;
}

void PrepareStandardStreams() {
  // Reports carry their own "\r\n"; text mode would make it "\r\r\n".
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
}

// A console, not any character device: _isatty is true for NUL too, and input
// redirected from it must refuse a warning as a Linux run without a terminal does.
bool StdinIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}
