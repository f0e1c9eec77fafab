#include <windows.h>
// after windows.h, which it builds on
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <csignal>
#include <cstdio>

#include "cli/in_process_bus.h"
#include "cli/platform.h"
#include "link/serial_port.h"

namespace {

using SignalHandler = void (*)(int);
SignalHandler gOldInt = SIG_DFL;
SignalHandler gOldTerm = SIG_DFL;

}  // namespace

void CatchStopSignals(void (*handler)(int)) {
  gOldInt = std::signal(SIGINT, handler);
  gOldTerm = std::signal(SIGTERM, handler);
}

void RestoreStopSignals() {
  std::signal(SIGINT, gOldInt);
  std::signal(SIGTERM, gOldTerm);
}

std::unique_ptr<SimulatedBus> StartSimulatedBus() { return std::make_unique<InProcessBus>(); }

const char* PortOptionHelp() {
  return "port name (COM5, \\\\.\\COM12), or a port number by the window's rule (n = COMn)";
}

std::vector<std::string> CommandLineArguments(int, char**) {
  // argv is in the ANSI code page; the wide command line keeps every character.
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide && i < count; ++i) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), n, nullptr, nullptr);
    args.push_back(arg);
  }
  LocalFree(wide);
  return args;
}

void PrepareStandardStreams() {
  // Reports carry their own "\r\n"; text mode would make it "\r\r\n".
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
}

bool StdinIsTerminal() { return _isatty(_fileno(stdin)) != 0; }
