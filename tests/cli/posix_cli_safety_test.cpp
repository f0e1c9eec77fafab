// dolvane-cli as a process meets what its surroundings do to it: standard
// streams closed by the caller, a reader that closes the pipe, signals at any
// moment, and a port that must be left free for the next program.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <regex>
#include <string>
#include <thread>

#include "support/cli_run.h"
#include "support/program.h"
#include "support/temp_file.h"

namespace {

const std::string kCli = DOLVANE_BIN_DIR "/dolvane-cli";
const std::string kRegistersHeader = "time,station,status,r0,r1,r2\r\n";

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The output of a shell command line.
std::string Shell(const std::string& command) {
  std::string text;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[512];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    ::pclose(pipe);
  }
  return text;
}

// A log of `poll-registers 0 3`: its header, then whole rows only.
void ExpectWholeRegistersLog(const std::string& text) {
  ASSERT_EQ(text.rfind(kRegistersHeader, 0), 0u) << text;
  const std::regex rows(R"((\d{4}-\d\d-\d\dT[\d:.]+,1,ok,700,5,250\r\n)*)");
  EXPECT_TRUE(std::regex_match(text.substr(kRegistersHeader.size()), rows)) << text;
}

// Started with stdout and stderr closed, the program must not hand their
// numbers to the log (or the port): the summary would land in the log file.
TEST(CliSafety, ClosedStandardStreamsAreNeverReused) {
  const TempFolder folder;
  const std::string log = folder.path() + "/log.csv";
  const std::string status = Shell(kCli +
                                   " --simulate poll-registers 0 3 --count 2 --interval 0 --csv " + log +
                                   " --bogus >&- 2>&-; echo $?");
  EXPECT_EQ(status, "2\n");  // a usage error, said to nobody, changes nothing
  EXPECT_FALSE(std::ifstream(log).good());

  EXPECT_EQ(Shell(kCli + " --simulate poll-registers 0 3 --count 2 --interval 0 --csv " + log +
                  " >&- 2>&-; echo $?"),
            "0\n");
  const std::string text = Contents(log);
  ExpectWholeRegistersLog(text);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

// A log or trace never shares its file with standard output or error: the
// summary and the messages would land among its lines.
TEST(CliSafety, AFileThatAStandardStreamGoesToIsRefused) {
  const TempFile log(kRegistersHeader);
  const TempFile trace("an earlier trace\n");
  const std::string poll = kCli + " --simulate poll-registers 0 3 --count 1 --interval 0 --csv " + log.path();
  EXPECT_EQ(Shell(poll + " >>" + log.path() + " 2>/dev/null; echo $?"), "2\n");
  EXPECT_EQ(Shell(kCli + " --trace-file " + trace.path() + " --simulate read 4SXY >/dev/null 2>>" + trace.path() +
                  "; echo $?"),
            "2\n");
  EXPECT_EQ(Contents(log.path()), kRegistersHeader);
  EXPECT_EQ(Contents(trace.path()),
            "an earlier trace\ndolvane-cli: --trace-file names the file standard error goes to: " + trace.path() + "\n");
}

// A reader that stops reading (`| head`) ends the run with a message and 1,
// not with SIGPIPE.
TEST(CliSafety, AClosedPipeIsReportedNotFatal) {
  const TempFile err;
  const std::string result = Shell("bash -c '" + kCli + " --simulate poll-registers 0 3 --interval 0 2>" +
                                   err.path() + " | head -n 3 >/dev/null; echo ${PIPESTATUS[0]}'");
  EXPECT_EQ(result, "1\n");
  EXPECT_NE(Contents(err.path()).find("dolvane-cli: the output could not be written (standard output: its "
                                      "reader has closed it)\n"),
            std::string::npos)
      << Contents(err.path());
}

// The program is started with SIGINT and SIGTERM blocked and gets one of them
// 0 to 50 ms after it starts: it must catch it from its first instant and end
// its poll with exit 0 and a whole log, never die or hang.
TEST(CliSafety, ASignalInTheFirstInstantsEndsAPollCleanly) {
  const TempFolder folder;
  for (int run = 0; run < 20; ++run) {
    SCOPED_TRACE(run);
    const std::string log = folder.path() + "/log" + std::to_string(run) + ".csv";
    sigset_t stops, old;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    ::pthread_sigmask(SIG_BLOCK, &stops, &old);
    Program cli("dolvane-cli", {"--simulate", "poll-registers", "0", "3", "--interval", "20", "--count", "1000",
                                "--csv", log});
    ::pthread_sigmask(SIG_SETMASK, &old, nullptr);
    std::this_thread::sleep_for(std::chrono::microseconds(2500 * run));
    ::kill(cli.pid, run % 2 ? SIGTERM : SIGINT);
    EXPECT_EQ(cli.exitCode(10000), 0) << cli.errors();
    ExpectWholeRegistersLog(Contents(log));
    EXPECT_NE(cli.output().find(" polls: "), std::string::npos);
  }
}

// Reads `fd` until `needle` has come (or the generous wait is over).
bool WaitFor(int fd, const std::string& needle, std::string& seen) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (seen.find(needle) == std::string::npos) {
    if (std::chrono::steady_clock::now() > end) return false;
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 100) <= 0) continue;
    char buffer[512];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) return false;
    seen.append(buffer, static_cast<size_t>(n));
  }
  return true;
}

// Ctrl+C or SIGTERM while the CLI waits on the simulator's pseudo-terminal: the
// run ends with 128 + the signal and says so, and the device is left neither
// locked nor in exclusive mode (which would refuse every user but root).
TEST(CliSafety, ASignalDuringAnExchangeLeavesThePortFree) {
  Program sim("dolvane-sim", {"--module", "1:4SXY"});
  const std::string device = sim.firstLine();
  ASSERT_EQ(device.rfind("/dev/", 0), 0u) << device;
  const struct {
    std::vector<std::string> operation;
    int signal;
    const char* said;
  } cases[] = {
      {{"-s", "99", "read-registers", "0", "1"}, SIGINT, "interrupted by SIGINT; the port is closed"},
      {{"-s", "99", "read", "4SXY"}, SIGTERM, "interrupted by SIGTERM; the port is closed"},
      {{"scan-stations", "2", "247"}, SIGTERM, "interrupted by SIGTERM; the port is closed"},
      {{"detect-line", "99"}, SIGINT, "interrupted by SIGINT; the port is closed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.operation));
    std::vector<std::string> args{"-p", device, "--trace"};
    args.insert(args.end(), c.operation.begin(), c.operation.end());
    Program cli("dolvane-cli", args);
    std::string said;
    ASSERT_TRUE(WaitFor(cli.err, " TX ", said)) << said;  // a request is on the line
    ::kill(cli.pid, c.signal);
    EXPECT_EQ(cli.exitCode(10000), 128 + c.signal);
    said += cli.errors();
    EXPECT_NE(said.find(c.said), std::string::npos) << said;

    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    int exclusive = -1;
    ASSERT_EQ(::ioctl(fd, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    ::close(fd);
    // And the next run on that port works.
    const CliRun next = RunCliProgram({"-p", device, "read-registers", "0", "1"});
    EXPECT_EQ(next.status, 0) << next.err;
  }
}

}  // namespace
