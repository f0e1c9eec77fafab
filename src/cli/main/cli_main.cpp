#include <iostream>
#include <memory>

#include "cli/bus_command.h"
#include "cli/cli.h"
#include "cli/output_stream.h"
#include "cli/platform.h"
#include "cli/stop_signals.h"
#include "console/system_language.h"
#include "link/standard_fds.h"
#ifdef DOLVANE_WITH_PDF
#include "pdf/html_pdf.h"
#endif

int main(int argc, char** argv) {
  // Before anything is opened, and before a signal could find no handler.
  KeepStandardFdsOpen();
  InstallStopSignals();
  PrepareStandardStreams();
#ifdef DOLVANE_WITH_PDF
  SetHtmlPdfWriter(&WriteHtmlPdf);
#endif
  SetLanguage(SystemLanguage());  // --lang overrides it
  LogFileStream out(LogFile::ForDescriptor(1, "standard output"));
  return RunCli(CommandLineArguments(argc, argv), out, std::cerr, std::cin, StdinIsTerminal());
}
