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

// SIGINT and SIGTERM (Ctrl+C in a console) call `handler` instead of ending the
// program, even where the parent left them blocked; a write to a pipe whose
// reader has gone fails (EPIPE) instead of ending the program by SIGPIPE.
void CatchStopSignals(void (*handler)(int));
// Ends the program from a signal handler: releases the exclusive mode of any
// serial device it holds (a pseudo-terminal keeps it after the process while the
// far side stays open), says so on stderr and exits with 128 + signal.
[[noreturn]] void EndOnSignal(int signal);

// What -p takes, for the usage text.
const char* PortOptionHelp();

// The program's arguments as UTF-8, without the program name.
std::vector<std::string> CommandLineArguments(int argc, char** argv);
// Byte-exact stdout and stderr (no newline translation), UTF-8 on a console.
void PrepareStandardStreams();
bool StdinIsTerminal();
