#pragma once
// What the command line needs from the platform it runs on (posix_platform.cpp,
// win32_platform.cpp), so that the rest of the CLI stays portable.
#include <memory>
#include <string>
#include <vector>

class SerialPort;

// The bus behind --simulate, running while this object lives.
class SimulatedBus {
 public:
  virtual ~SimulatedBus() = default;
  // The name to open, as -p would give it.
  virtual std::string portName() const = 0;
  // A closed port that reaches the bus once opened by that name.
  virtual std::unique_ptr<SerialPort> newPort() = 0;
};
// Throws std::runtime_error when the bus cannot start (no pseudo-terminal left).
std::unique_ptr<SimulatedBus> StartSimulatedBus();

// Until RestoreStopSignals, SIGINT and SIGTERM (Ctrl+C in a console) call
// `handler` instead of ending the program.
void CatchStopSignals(void (*handler)(int));
void RestoreStopSignals();

// What -p takes, for the usage text.
const char* PortOptionHelp();

// The program's arguments as UTF-8, without the program name.
std::vector<std::string> CommandLineArguments(int argc, char** argv);
// Byte-exact stdout and stderr (no newline translation), UTF-8 on a console.
void PrepareStandardStreams();
bool StdinIsTerminal();
