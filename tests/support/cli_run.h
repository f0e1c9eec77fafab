#pragma once
// The command line run as the tests run it: in process, or as the program.
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/program.h"

struct CliRun {
  int status = 0;
  std::string out;
  std::string err;
  bool operator==(const CliRun&) const = default;
};

// RunCli in this process, with no terminal on its input.
inline CliRun RunArgs(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  std::istringstream in;
  const int status = RunCli(args, out, err, in, false);
  return {status, out.str(), err.str()};
}

// The dolvane-cli program, its input closed.
inline CliRun RunCliProgram(std::vector<std::string> args) {
  Program cli("dolvane-cli", std::move(args));
  cli.closeInput();
  CliRun run{0, cli.output(), cli.errors()};
  run.status = cli.exitCode(10000);
  return run;
}
