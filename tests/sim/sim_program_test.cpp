// dolvane-sim as a program: its options, how it ends, what it refuses.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "link/link.h"
#include "link/posix_serial_port.h"
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

TEST(SimProgramTest, PrintsItsDeviceServesAndEndsWithItsInput) {
  TempFile values("8=1234\n");
  Program sim("dolvane-sim", {"--module", "1:4SXY", "--module", "7:4SXY@19200,N,8,2", "--values", values.path(),
               "--steady"});
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

TEST(SimProgramTest, IgnoreStdinKeepsServingAfterItsInputCloses) {
  Program sim("dolvane-sim", {"--module", "1:4SXY", "--ignore-stdin"});
  const std::string device = sim.firstLine();
  ASSERT_FALSE(device.empty());
  sim.closeInput();
  EXPECT_EQ(sim.exitCode(300), -1);
  EXPECT_EQ(Console(device).read(1, 0, 4).size(), 13u);
  ::kill(sim.pid, SIGINT);
  EXPECT_EQ(sim.exitCode(10000), 0);
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
                           "--allow-writes", "--steady", "--ignore-stdin", "--tcp", "silence",
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

TEST(SimProgramTest, AnAddressInUseEndsWithStatus1) {
  Program first("dolvane-sim", {"--tcp", "127.0.0.1:0"});
  const std::string name = first.firstLine();
  ASSERT_FALSE(name.empty());
  Program second("dolvane-sim", {"--tcp", name.substr(4)});
  EXPECT_EQ(second.exitCode(10000), 1);
  EXPECT_EQ(second.errors(),
            "dolvane-sim: cannot listen on " + name.substr(4) + ": Address already in use\n");
}

}  // namespace
