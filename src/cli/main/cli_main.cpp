#include <iostream>

#include "cli/cli.h"
#include "cli/platform.h"

int main(int argc, char** argv) {
  PrepareStandardStreams();
  return RunCli(CommandLineArguments(argc, argv), std::cout, std::cerr, std::cin, StdinIsTerminal());
}
