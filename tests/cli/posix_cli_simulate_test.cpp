// `dolvane-cli --simulate` when the simulated bus cannot start.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>
#include <string>

#include "cli/cli.h"

namespace {

// Runs the CLI in a child process that may open no further file, so there is no
// pseudo-terminal for the bus; returns its exit status and what it said on err.
std::pair<int, std::string> RunWithoutFreeFiles(const std::vector<std::string>& args) {
  int report[2];
  EXPECT_EQ(::pipe(report), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(report[0]);
    const int lowestFree = ::open("/dev/null", O_RDONLY);
    ::close(lowestFree);
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(lowestFree);
    ::setrlimit(RLIMIT_NOFILE, &limit);
    std::ostringstream out, err;
    std::istringstream in;
    const int status = RunCli(args, out, err, in, false);
    const std::string said = err.str() + out.str();
    if (::write(report[1], said.data(), said.size()) < 0) ::_exit(120);
    ::_exit(status);
  }
  ::close(report[1]);
  std::string said;
  char buffer[1024];
  ssize_t n;
  while ((n = ::read(report[0], buffer, sizeof buffer)) > 0)
    said.append(buffer, static_cast<size_t>(n));
  ::close(report[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), said};
}

TEST(CliSimulate, ABusThatCannotStartEndsWithAMessageAndStatus1) {
  const auto [status, said] = RunWithoutFreeFiles({"--simulate", "read", "4SXY"});
  EXPECT_EQ(status, kExitErrorBox);
  const std::string head = "dolvane-cli: no simulated bus: ";
  EXPECT_EQ(said.rfind(head, 0), 0u) << said;
  EXPECT_GT(said.size(), head.size() + 1) << "the reason is missing";  // e.g. too many open files
  EXPECT_EQ(said.back(), '\n');
  EXPECT_EQ(said.find('\n'), said.size() - 1) << said;  // nothing but the one line
}

}  // namespace
