#include <iostream>
#include <memory>

#include "cli/cli.h"
#include "cli/output_stream.h"
#include "cli/platform.h"
#include "cli/stop_signals.h"
#include "link/standard_fds.h"

int main(int argc, char** argv) {
  // Before anything is opened, and before a signal could find no handler.
  KeepStandardFdsOpen();
  InstallStopSignals();
  PrepareStandardStreams();
  LogFileStream out(LogFile::ForDescriptor(1, "standard output"));
  return RunCli(CommandLineArguments(argc, argv), out, std::cerr, std::cin, StdinIsTerminal());
}
