// dolvane-sim as a program: its options, how it ends, what it refuses.
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "link/link.h"
#include "link/posix_serial_port.h"
#include "link/posix_tcp_port.h"
#include "modbus/exchange.h"
#include "sim/register_values.h"
#include "sim/requests.h"
#include "support/cli_run.h"
#include "support/program.h"
#include "support/temp_file.h"

namespace {

using namespace simtest;

// The console's side: the termios back end on the device the program printed.
class Console {
 public:
  Console(const std::string& device, int baud = 9600, int stopBits = 1) {
    EXPECT_EQ(port_.open(device), OpenError::kNone) << device;
    port_.setTimeouts(TimeoutsFor(baud));
    port_.setLine(baud, Parity::kNone, stopBits);
  }
  Bytes read(uint8_t station, uint16_t start, uint16_t count) {
    port_.purge();
    const Bytes request = Read03(station, start, count);
    EXPECT_EQ(port_.write(request.data(), request.size()).count, request.size());
    Bytes reply(5 + 2 * count);
    reply.resize(port_.read(reply.data(), reply.size(), IsCompleteExceptionFrame).count);
    return reply;
  }

 private:
  PosixSerialPort port_;
};

TEST(SimProgramTest, PrintsItsDeviceServesAndEndsWithItsInputWhenAsked) {
  TempFile values("8=1234\n");
  Program sim("dolvane-sim", {"--module", "1:4SXY", "--module", "7:4SXY@19200,N,8,2", "--values", values.path(),
               "--steady", "--exit-on-eof"});
  ASSERT_GT(sim.pid, 0);
  const std::string device = sim.firstLine();
  EXPECT_EQ(device.rfind("/dev/pts/", 0), 0u) << device;
  {
    Console console(device, 19200, 2);
    const Bytes reply = console.read(7, 8, 1);
    ASSERT_EQ(reply.size(), 7u);
    EXPECT_EQ(WordOf(reply, 0), 1234);
  }
  EXPECT_EQ(sim.exitCode(100), -1);  // still serving
  sim.closeInput();
  EXPECT_EQ(sim.exitCode(10000), 0);
  EXPECT_EQ(sim.errors(), "dolvane-sim: standard input has ended (--exit-on-eof)\n");
}

// Started with `&` from a script, its input is /dev/null: at its end from the
// start, which must not end it. It says why it ends, whatever ends it.
TEST(SimProgramTest, KeepsServingWhateverItsInputAndSaysWhyItEnds) {
  const int null = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  ASSERT_GE(null, 0);
  struct Case {
    std::vector<std::string> args;
    int input;  // -1: a pipe, closed at once
    int signal;
    const char* why;
  };
  const Case kCases[] = {
      {{"--module", "1:4SXY"}, null, SIGTERM, "dolvane-sim: stopped by SIGTERM\n"},
      {{"--module", "1:4SXY"}, -1, SIGINT, "dolvane-sim: stopped by SIGINT\n"},
      {{"--module", "1:4SXY", "--exit-on-eof", "--ignore-stdin"}, -1, SIGTERM, "dolvane-sim: stopped by SIGTERM\n"},
      {{"--module", "1:4SXY", "--tcp", "127.0.0.1:0"}, null, SIGTERM, "dolvane-sim: stopped by SIGTERM\n"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    Program sim("dolvane-sim", c.args, c.input);
    sim.closeInput();
    const std::string device = sim.firstLine();
    ASSERT_FALSE(device.empty());
    EXPECT_EQ(sim.exitCode(300), -1);
    EXPECT_EQ(RunCliProgram({"-p", device, "read", "4SXY"}).status, 0);
    ::kill(sim.pid, c.signal);
    EXPECT_EQ(sim.exitCode(10000), 0);
    EXPECT_EQ(sim.errors(), c.why);
  }
  ::close(null);
}

// Started in the background of a shell, its standard input is the terminal:
// it must never read it, so it neither stops at the terminal's end of file nor
// gets stopped by the terminal when the user types.
TEST(SimProgramTest, NeverReadsATerminalAndServesUntilASignal) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(terminal, 0);

  Program sim("dolvane-sim", {"--module", "1:4SXY"}, terminal);
  ::close(terminal);
  const std::string device = sim.firstLine();
  ASSERT_FALSE(device.empty());
  // A line and the end-of-file character, as a user would type them.
  ASSERT_EQ(::write(master, "x\n\x04", 3), 3);
  EXPECT_EQ(sim.exitCode(300), -1);  // one that read it would have ended at once
  EXPECT_EQ(Console(device).read(1, 0, 4).size(), 13u);
  ::kill(sim.pid, SIGTERM);
  EXPECT_EQ(sim.exitCode(10000), 0);
  ::close(master);
}

TEST(SimProgramTest, FaultOptionsShowOnTheLineForTheirStationAndCount) {
  Program sim("dolvane-sim", {"--module", "1:4SXY", "--module", "2:16RXY", "--fault", "2:bad-crc:2", "--fault",
               "2:exception", "--fault", "1:short:always"});
  const std::string device = sim.firstLine();
  ASSERT_FALSE(device.empty());
  Console console(device);
  auto crcOk = [](const Bytes& reply) {
    return reply.size() >= 5 && CrcMatches(reply.data(), static_cast<uint32_t>(reply.size()));
  };
  for (int i = 0; i < 2; ++i) {
    const Bytes bad = console.read(2, 0, 4);
    EXPECT_EQ(bad.size(), 13u);
    EXPECT_FALSE(crcOk(bad));
  }
  EXPECT_EQ(console.read(2, 0, 4), Exception(2, 3, 4));
  const Bytes good = console.read(2, 0, 4);
  EXPECT_EQ(good.size(), 13u);
  EXPECT_TRUE(crcOk(good));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(console.read(1, 0, 4).size(), 12u);
}

TEST(SimProgramTest, EndsOnceAVanishFaultHasClosedTheDevice) {
  Program sim("dolvane-sim", {"--module", "3:4SXY", "--fault", "3:vanish"});
  const std::string device = sim.firstLine();
  ASSERT_FALSE(device.empty());
  EXPECT_EQ(Console(device).read(3, 0, 4).size(), 6u);  // half the reply
  EXPECT_EQ(sim.exitCode(10000), 0);
  EXPECT_EQ(sim.errors(), "dolvane-sim: the device has vanished\n");
}

TEST(SimProgramTest, RefusesBadArgumentsWithStatus2AndSaysWhy) {
  TempFolder folder;
  TempFile longLine(std::string(kMaxValuesLine + 1, '1') + "=1\n");
  struct Case {
    std::vector<std::string> args;
    std::string why;  // the first line on standard error
  };
  const std::vector<Case> kBad = {
      {{"--module", "0:4SXY"}, "bad --module 0:4SXY"},
      {{"--module", "1:9XYZ"}, "bad --module 1:9XYZ"},
      {{"--module", "1:4SXY@9601,N,8,1"}, "bad --module 1:4SXY@9601,N,8,1"},
      {{"--module", "1:4SXY@9600,N,7,1"}, "bad --module 1:4SXY@9600,N,7,1"},
      {{"--module"}, "bad --module (missing)"},
      {{"--values", "/nonexistent/values"}, "/nonexistent/values: not a regular file"},
      {{"--values", folder.path()}, folder.path() + ": not a regular file"},
      {{"--values", "/dev/zero"}, "/dev/zero: not a regular file"},
      {{"--values", longLine.path()}, longLine.path() + ":1: line longer than 1024 bytes"},
      {{"--values"}, "--values needs a file"},
      {{"--fault", "1:melt"}, "bad --fault 1:melt"},
      {{"--fault", "0:silence"}, "bad --fault 0:silence"},
      {{"--fault", "1:silence:0"}, "bad --fault 1:silence:0"},
      {{"--fault", "1:silence:never"}, "bad --fault 1:silence:never"},
      {{"--fault", "silence"}, "bad --fault silence"},
      {{"--module", "2:4SXY", "--fault", "1:gap"}, "--fault for station 1, where no module is"},
      {{"--fault", "15:gap"}, "--fault for station 15, where no module is"},
      {{"--turnaround", "-1"}, "bad --turnaround -1"},
      {{"--turnaround", "60001"}, "bad --turnaround 60001"},
      {{"--frobnicate"}, "unknown argument --frobnicate"},
      {{"--tcp", "localhost"}, "bad --tcp localhost"},
      {{"--tcp", "127.0.0.1:65536"}, "bad --tcp 127.0.0.1:65536"},
      {{"--tcp"}, "bad --tcp (missing)"},
      {{"--module", "1:4SXY", "--module", "1:16RXY"}, "two modules at station 1"},
      {{"--module", "3:4SXY", "--module", "3:4SXY@19200,N,8,2"}, "two modules at station 3"},
      {{"--tcp", "127.0.0.1:0", "--idle-timeout", "86401"}, "bad --idle-timeout 86401"},
      {{"--tcp", "127.0.0.1:0", "--idle-timeout", "-1"}, "bad --idle-timeout -1"},
      {{"--tcp", "127.0.0.1:0", "--idle-timeout", "1.5"}, "bad --idle-timeout 1.5"},
      {{"--tcp", "127.0.0.1:0", "--idle-timeout"}, "bad --idle-timeout (missing)"},
      {{"--idle-timeout", "5"}, "--idle-timeout needs --tcp or --mbtcp"},
      {{"--plug-after", "x:2:4SXY"}, "bad --plug-after x:2:4SXY"},
      {{"--plug-after", "1:0:4SXY"}, "bad --plug-after 1:0:4SXY"},
      {{"--plug-after", "1.2345:2:4SXY"}, "bad --plug-after 1.2345:2:4SXY"},
      {{"--plug-after", "86401:2:4SXY"}, "bad --plug-after 86401:2:4SXY"},
      {{"--plug-after", "1:2:9XYZ"}, "bad --plug-after 1:2:9XYZ"},
      {{"--control"}, "--control needs a FIFO"},
  };
  for (const Case& c : kBad) {
    Program sim("dolvane-sim", c.args);
    SCOPED_TRACE(::testing::PrintToString(c.args));
    EXPECT_EQ(sim.exitCode(10000), 2);
    const std::string errors = sim.errors();
    EXPECT_EQ(errors.substr(0, errors.find('\n')), "dolvane-sim: " + c.why);
    EXPECT_NE(errors.find("usage: dolvane-sim"), std::string::npos);
  }
}

TEST(SimProgramTest, HelpNamesEveryOptionAndFault) {
  Program sim("dolvane-sim", {"--help"});
  const std::string help = ReadAll(sim.out);
  EXPECT_EQ(sim.exitCode(10000), 0);
  for (const char* word : {"--module", "--values", "--fault", "--pace", "--turnaround",
                           "--allow-writes", "--steady", "--ignore-stdin", "--exit-on-eof", "--tcp",
                           "--idle-timeout", "--plug-after", "--control", "plug S:MODEL", "unplug S", "silence",
                           "short", "bad-crc", "exception", "extra", "gap", "vanish", "always",
                           "9VXY"})
    EXPECT_NE(help.find(word), std::string::npos) << word;
}

// What dolvane-cli prints on standard output and error, and its exit status.

// The same bus behind TCP: the command line reads the same report as on the pty.
TEST(SimProgramTest, ServesOverTcpAsOnThePty) {
  const std::vector<std::string> bus = {"--module", "1:4SXY", "--module", "2:4WX", "--steady"};
  std::vector<std::string> tcpArgs = bus;
  tcpArgs.insert(tcpArgs.end(), {"--tcp", "127.0.0.1:0"});
  Program pty("dolvane-sim", bus);
  Program tcp("dolvane-sim", tcpArgs);
  const std::string device = pty.firstLine();
  const std::string name = tcp.firstLine();
  ASSERT_EQ(name.rfind("tcp:127.0.0.1:", 0), 0u) << name;
  ASSERT_GT(std::stoi(name.substr(14)), 0);
  for (const std::vector<std::string>& read :
       {std::vector<std::string>{"read", "4SXY"}, {"-s", "2", "read", "4WX"}}) {
    SCOPED_TRACE(read.back());
    std::vector<std::string> viaPty{"-p", device}, viaTcp{"-p", name};
    viaPty.insert(viaPty.end(), read.begin(), read.end());
    viaTcp.insert(viaTcp.end(), read.begin(), read.end());
    const CliRun overPty = RunCliProgram(viaPty);
    EXPECT_EQ(overPty.status, 0) << overPty.err;
    EXPECT_NE(overPty.out.find("十六进制显示接收数据"), std::string::npos) << overPty.out;
    EXPECT_EQ(RunCliProgram(viaTcp), overPty);
  }
  // The recovery scan refuses at once over TCP; the bus serves on.
  const CliRun scan = RunCliProgram({"-y", "-p", name, "reset-scan"});
  EXPECT_EQ(scan.status, 1);
  EXPECT_EQ(scan.err,
            "提示: 通过网络串口服务器（TCP）连接时无法进行通信重置：请在服务器上设置串口参数，或直接连接串口。\n");
  EXPECT_EQ(tcp.exitCode(0), -1);
  // A vanish fault over TCP closes the connection and ends the program.
  Program vanishing("dolvane-sim", {"--module", "1:4SXY", "--fault", "1:vanish", "--tcp", "127.0.0.1:0"});
  const std::string vanishingName = vanishing.firstLine();
  EXPECT_EQ(RunCliProgram({"-p", vanishingName, "read", "4SXY"}).err.find("提示: 读串口失败!"), 0u);
  EXPECT_EQ(vanishing.exitCode(10000), 0);
  EXPECT_EQ(vanishing.errors(), "dolvane-sim: the device has vanished\n");
  // Then nothing listens: the open box says the connection was refused.
  const CliRun refused = RunCliProgram({"-p", vanishingName, "read", "4SXY"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "提示: " + vanishingName +
                             "打开失败！\r\n连接被拒绝：请检查端口号，以及服务器是否在运行。\n");
}

// A client that connects and says nothing gives up the one connection after
// --idle-timeout, and the program says so.
TEST(SimProgramTest, AnIdleTcpClientGivesUpTheSlot) {
  Program sim("dolvane-sim", {"--module", "1:4SXY", "--tcp", "127.0.0.1:0", "--idle-timeout", "1"});
  const std::string name = sim.firstLine();
  ASSERT_EQ(name.rfind("tcp:", 0), 0u) << name;
  PosixTcpPort idle;
  ASSERT_EQ(idle.open(name), OpenError::kNone);
  // Turned away as a second client until the idle one has been closed.
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  int status = -1;
  while (status != 0 && std::chrono::steady_clock::now() < giveUp) {
    status = RunCliProgram({"-p", name, "read", "4SXY"}).status;
    if (status != 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_EQ(status, 0);
  ::kill(sim.pid, SIGTERM);
  EXPECT_EQ(sim.exitCode(10000), 0);
  EXPECT_EQ(sim.errors(),
            "dolvane-sim: closed a client that sent nothing for 1 s\n"
            "dolvane-sim: stopped by SIGTERM\n");
}

// A console killed in mid-read (SIGKILL: none of its own clean-up runs) leaves
// the slave in exclusive mode and its lock behind it; neither may keep the next
// console out. Returns what went wrong, or nothing.
std::string KilledReaderLeavesThePortFree() {
  // The first request gets no reply: the console waits about a second for it.
  Program sim("dolvane-sim", {"--module", "1:4SXY", "--fault", "1:silence"});
  const std::string device = sim.firstLine();
  if (device.empty()) return "dolvane-sim did not start: " + sim.errors();
  Program cli("dolvane-cli", {"-p", device, "--trace", "read", "4SXY"});
  // Killed once its request is on the line (the trace shows it), while it waits.
  std::string trace;
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (trace.find(" TX ") == std::string::npos && std::chrono::steady_clock::now() < giveUp) {
    pollfd pfd{cli.err, POLLIN, 0};
    if (::poll(&pfd, 1, 100) <= 0) continue;
    char chunk[512];
    const ssize_t n = ::read(cli.err, chunk, sizeof chunk);
    if (n <= 0) break;
    trace.append(chunk, static_cast<size_t>(n));
  }
  if (trace.find(" TX ") == std::string::npos) return "dolvane-cli sent no request: " + trace;
  ::kill(cli.pid, SIGKILL);
  const int killed = cli.exitCode(10000);
  if (killed != 128) return "dolvane-cli ended by itself (status " + std::to_string(killed) + ") before the kill";

  // The console's own open (flock and exclusive mode), as soon as the simulator
  // has seen the console go; then a whole read by the command line.
  const auto openBy = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  OpenError opened = OpenError::kBusy;
  while (opened == OpenError::kBusy && std::chrono::steady_clock::now() < openBy) {
    PosixSerialPort port;
    opened = port.open(device);
    if (opened == OpenError::kBusy) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (opened != OpenError::kNone) return "the port stayed locked: " + std::string(OpenFailureReason(opened));
  const CliRun again = RunCliProgram({"-p", device, "read", "4SXY"});
  if (again.status != 0) return "dolvane-cli could not read again: " + again.err;
  return "";
}

// As root, exclusive mode refuses no open, so the fault shows only for a normal
// user: then the test runs as the user nobody, in a child process.
TEST(SimProgramTest, AConsoleKilledInMidReadLeavesThePortFree) {
  if (::geteuid() != 0) {
    EXPECT_EQ(KilledReaderLeavesThePortFree(), "");
    return;
  }
  const passwd* nobody = ::getpwnam("nobody");
  if (!nobody) GTEST_SKIP() << "no user nobody to run as: as root, exclusive mode refuses no open";
  int result[2];
  ASSERT_EQ(::pipe2(result, O_CLOEXEC), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::string outcome;
    if (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
      outcome = "skip: cannot become nobody";
    else if (::access(DOLVANE_BIN_DIR "/dolvane-sim", X_OK) != 0 || ::access(DOLVANE_BIN_DIR "/dolvane-cli", X_OK) != 0)
      outcome = "skip: nobody cannot run the programs in " DOLVANE_BIN_DIR;
    else
      outcome = KilledReaderLeavesThePortFree();
    (void)!::write(result[1], outcome.data(), outcome.size());
    ::_exit(0);
  }
  ::close(result[1]);
  const std::string outcome = ReadAll(result[0]);
  ::close(result[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  if (outcome.rfind("skip: ", 0) == 0)
    GTEST_SKIP() << outcome.substr(6) << " (as root, exclusive mode refuses no open, so only a normal user shows the fault)";
  EXPECT_EQ(outcome, "");
}

TEST(SimProgramTest, AnAddressInUseEndsWithStatus1) {
  Program first("dolvane-sim", {"--tcp", "127.0.0.1:0"});
  const std::string name = first.firstLine();
  ASSERT_FALSE(name.empty());
  Program second("dolvane-sim", {"--tcp", name.substr(4)});
  EXPECT_EQ(second.exitCode(10000), 1);
  EXPECT_EQ(second.errors(),
            "dolvane-sim: cannot listen on " + name.substr(4) + ": Address already in use\n");
}

// The next line the program says on standard error, without its break; empty
// when none comes within five seconds.
std::string NextErrorLine(Program& program) {
  std::string line;
  char c;
  for (;;) {
    pollfd pfd{program.err, POLLIN, 0};
    if (::poll(&pfd, 1, 5000) <= 0 || ::read(program.err, &c, 1) != 1) return "";
    if (c == '\n') return line;
    line += c;
  }
}

void Say(const std::string& fifo, const std::string& line) {
  const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(fd, 0) << fifo;
  EXPECT_EQ(::write(fd, line.data(), line.size()), static_cast<ssize_t>(line.size()));
  ::close(fd);
}

// A module that appears and disappears while the console runs: each command
// answered on standard error, the FIFO made for the run and gone after it.
TEST(SimProgramTest, TheControlFifoPlugsAndUnplugsModules) {
  TempFolder folder;
  const std::string fifo = folder.path() + "/control";
  Program sim("dolvane-sim", {"--module", "1:4SXY", "--control", fifo});
  const std::string device = sim.firstLine();
  ASSERT_FALSE(device.empty());
  Console console(device);
  EXPECT_EQ(console.read(5, 0, 4).size(), 0u);
  const struct {
    const char* command;
    const char* said;
    size_t replyBytes;  // to a read of station 5 after it
  } kSteps[] = {
      {"plug 5:4SXY\n", "dolvane-sim: plugged 4SXY at station 5", 13},
      {"plug 5:3SXY\n", "dolvane-sim: station 5 has a module, 3SXY not plugged", 13},
      {"unplug 5\r\n", "dolvane-sim: unplugged station 5", 0},
      {"unplug 5\n", "dolvane-sim: no module at station 5 to unplug", 0},
      {"plug 5:4SXY@19200,N,8,1\n", "dolvane-sim: plugged 4SXY at station 5", 0},  // not on our line
      {"fly away\n", "dolvane-sim: bad control line \"fly away\" (plug STATION:MODEL[@LINE] or unplug STATION)", 0},
  };
  for (const auto& step : kSteps) {
    SCOPED_TRACE(step.command);
    Say(fifo, step.command);
    EXPECT_EQ(NextErrorLine(sim), step.said);
    EXPECT_EQ(console.read(5, 0, 4).size(), step.replyBytes);
  }
  EXPECT_EQ(console.read(1, 0, 4).size(), 13u);
  ::kill(sim.pid, SIGTERM);
  EXPECT_EQ(sim.exitCode(10000), 0);
  EXPECT_FALSE(std::filesystem::exists(fifo));
}

TEST(SimProgramTest, PlugAfterAddsTheModuleWhenItsTimeComes) {
  Program sim("dolvane-sim", {"--module", "1:4SXY", "--plug-after", "1.5:2:4SXY"});
  const std::string device = sim.firstLine();
  ASSERT_FALSE(device.empty());
  Console console(device);
  EXPECT_EQ(console.read(2, 0, 4).size(), 0u);
  EXPECT_EQ(NextErrorLine(sim), "dolvane-sim: plugged 4SXY at station 2");
  EXPECT_EQ(console.read(2, 0, 4).size(), 13u);
}

}  // namespace
