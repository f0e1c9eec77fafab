#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "link/link.h"
#include "link/posix_serial_port.h"
#include "modbus/exchange.h"
#include "modbus/frames.h"
#include "models/demo_bus.h"
#include "support/models.h"
#include "sim/sim_bus.h"
#include "sim/sim_models.h"
#include "support/bus_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Read03(uint8_t station, uint16_t start, uint16_t count) {
  TxFrame tx;
  BuildReadRequest(tx, station, start, count);
  return Bytes(tx.bytes, tx.bytes + tx.length);
}

Bytes Write06(uint8_t station, uint16_t address, uint16_t value) {
  TxFrame tx;
  BuildWriteRegisterRequest(tx, station, address, value);
  return Bytes(tx.bytes, tx.bytes + tx.length);
}

Bytes Write16(uint8_t station, uint16_t start, const std::vector<uint16_t>& values) {
  TxFrame tx;
  BuildWriteRegistersRequest(tx, station, start, values.data(), static_cast<uint16_t>(values.size()));
  return Bytes(tx.bytes, tx.bytes + tx.length);
}

Bytes Exception(uint8_t station, uint8_t function, uint8_t code) {
  Bytes f{station, static_cast<uint8_t>(function | 0x80), code, 0, 0};
  PlaceCrc(f.data(), 3);
  return f;
}

uint16_t WordOf(const Bytes& reply, int k) { return Word(reply.data(), k); }

// The console's side of the line: the real termios back end on the slave.
class Line {
 public:
  Line(const SimBus& bus, int baud = 9600, int format = 0) { open(bus.devicePath(), baud, format); }

  void open(const std::string& path, int baud, int format) {
    ASSERT_EQ(port_.open(path), OpenError::kNone) << path;
    port_.setTimeouts(TimeoutsFor(baud));
    port_.setLine(baud, LineFormatAt(format).parity, LineFormatAt(format).stopBits);
    port_.purge();
  }
  void close() { port_.close(); }

  // Sends a request and reads up to `expect` bytes within the console's time-outs
  // (an exception reply ends the read, as it does in the console).
  Bytes transact(const Bytes& request, size_t expect, bool* readOk = nullptr) {
    port_.purge();
    EXPECT_EQ(port_.write(request.data(), request.size()).count, request.size());
    Bytes reply(expect);
    const IoResult got = port_.read(reply.data(), expect, IsCompleteExceptionFrame);
    if (readOk) *readOk = got.ok;
    reply.resize(got.count);
    return reply;
  }

 private:
  PosixSerialPort port_;
};

SimModuleConfig Module(int station, const char* model = "4SXY", int baud = 9600, int format = 0,
                       bool writesAllowed = false) {
  SimModuleConfig c;
  c.station = station;
  c.model = SimOf(model);
  c.baudRate = baud;
  c.lineFormat = format;
  c.writesAllowed = writesAllowed;
  return c;
}

TEST(SimBusTest, DemoBusServesEveryModelsWholeBlock) {
  struct Expected {
    const char* model;
    uint16_t registers;
    uint16_t word0;  // 0: not checked
  };
  const Expected kModels[] = {
      {"4SXY", 40, 700},  {"3SXY", 96, 21133}, {"8SXY", 40, 700},  {"4RXY", 48, 700},
      {"3RX", 45, 700},   {"16RXY", 56, 700},  {"8RXYZ", 32, 700}, {"12RX", 44, 700},
      {"10RX", 48, 700},  {"5RXZ", 23, 700},   {"4WX", 120, 700},  {"5UZ", 33, 700},
      {"9VXY", 156, 700}, {"foreign", 79, 0},
  };
  auto bus = StartDemoBus();
  Line line(*bus);
  const std::string description = DescribeBus(*bus);
  for (size_t i = 0; i < std::size(kModels); ++i) {
    const Expected& e = kModels[i];
    SCOPED_TRACE(e.model);
    const int station = DemoStationOf(e.model);
    ASSERT_EQ(station, static_cast<int>(i) + 1);
    EXPECT_NE(description.find(std::to_string(station) + "=" + e.model), std::string::npos);

    // The whole file in blocks of at most 120 registers, then one past its end.
    for (uint16_t start = 0; start < e.registers; start += 120) {
      const uint16_t count = std::min<uint16_t>(120, e.registers - start);
      const Bytes reply = line.transact(Read03(station, start, count), 5 + 2 * count);
      ASSERT_EQ(reply.size(), 5u + 2 * count);
      EXPECT_TRUE(CrcMatches(reply.data(), static_cast<uint32_t>(reply.size())));
      EXPECT_EQ(reply[0], station);
      EXPECT_EQ(reply[2], 2 * count);
      if (start == 0 && e.word0) {
        EXPECT_EQ(WordOf(reply, 0), e.word0);
      }
      if (start == 0 && std::string(e.model) == "3SXY") {
        EXPECT_EQ(WordOf(reply, 1), 700);
      }
    }
    EXPECT_EQ(line.transact(Read03(station, e.registers - 1, 2), 5), Exception(station, 3, 2));
  }
  EXPECT_EQ(DemoStationOf("nonesuch"), 0);
}

TEST(SimBusTest, ReadsShowTheRegisterFileAndRefuseWhatIsNotThere) {
  SimBus bus;
  bus.addModule(Module(1));
  bus.setRegisters(1, {{0, 410}, {5, 0x0100}, {8, 1234}, {39, 0xFFFF}});
  bus.setLiveValues(true);  // fixed words stay fixed
  bus.start();
  Line line(bus);

  const Bytes reply = line.transact(Read03(1, 0, 40), 85);
  ASSERT_EQ(reply.size(), 85u);
  EXPECT_TRUE(CrcMatches(reply.data(), 85));
  EXPECT_EQ(WordOf(reply, 0), 410);
  EXPECT_EQ(WordOf(reply, 5), 0x0100);
  EXPECT_EQ(WordOf(reply, 8), 1234);
  EXPECT_EQ(WordOf(reply, 39), 0xFFFF);
  for (int k = 0; k < 40; ++k) EXPECT_EQ(WordOf(reply, k), bus.registerValue(1, k)) << k;
  // Live voltages sit about 220 V, in hundredths.
  EXPECT_NEAR(WordOf(reply, 17), 22000, 100);

  const Bytes sub = line.transact(Read03(1, 39, 1), 7);
  ASSERT_EQ(sub.size(), 7u);
  EXPECT_EQ(WordOf(sub, 0), 0xFFFF);

  struct Refusal {
    Bytes request;
    Bytes reply;
  };
  Bytes unknown{1, 0x2B, 0, 0, 0, 1, 0, 0};
  PlaceCrc(unknown.data(), 6);
  const Refusal kRefusals[] = {
      {Read03(1, 0, 41), Exception(1, 3, 2)},
      {Read03(1, 40, 1), Exception(1, 3, 2)},
      {Read03(1, 0xFFFF, 2), Exception(1, 3, 2)},
      {Read03(1, 0, 0), Exception(1, 3, 3)},
      {unknown, Exception(1, 0x2B, 1)},
  };
  for (const Refusal& r : kRefusals) EXPECT_EQ(line.transact(r.request, 8), r.reply);
}

TEST(SimBusTest, AnswersOnlyAtItsOwnBaudRateAndStopBits) {
  SimBus bus;
  bus.addModule(Module(1));                // 9600 N,8,1
  bus.addModule(Module(2, "4SXY", 19200, 3));  // 19200 N,8,2
  bus.start();
  struct Case {
    int baud;
    int format;
    int station;
    bool answers;
  };
  const Case kCases[] = {
      {9600, 0, 1, true},
      {9600, 1, 1, true},  // parity cannot be seen through a pty
      {9600, 3, 1, false},
      {19200, 0, 1, false},
      {4800, 0, 1, false},
      {19200, 3, 2, true},
      {19200, 0, 2, false},
      {9600, 3, 2, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::to_string(c.baud) + " " + kLineFormats[c.format].text + " station " +
                 std::to_string(c.station));
    bus.clearReceived();
    Line line(bus, c.baud, c.format);
    const Bytes reply = line.transact(Read03(static_cast<uint8_t>(c.station), 0, 40), 85);
    EXPECT_EQ(reply.size(), c.answers ? 85u : 0u);
    EXPECT_EQ(bus.receivedFrames(), std::vector<Bytes>{Read03(static_cast<uint8_t>(c.station), 0, 40)});
  }
}

TEST(SimBusTest, WriteProtectionGuardsEveryWriteButTheTwoCommands) {
  SimBus bus;
  bus.addModule(Module(1));
  bus.start();
  Line line(bus);
  const uint16_t before = bus.registerValue(1, 10);

  EXPECT_EQ(line.transact(Write06(1, 10, 1234), 8), Exception(1, 6, 1));
  EXPECT_EQ(line.transact(Write16(1, 10, {1, 2}), 8), Exception(1, 0x10, 1));
  EXPECT_EQ(line.transact(Write06(1, 3, 0x3507), 8), Exception(1, 6, 1));
  EXPECT_EQ(bus.registerValue(1, 10), before);
  EXPECT_EQ(bus.moduleConfig(0).station, 1);

  EXPECT_EQ(line.transact(Write06(1, 3, 0x8000), 8), Write06(1, 3, 0x8000));
  EXPECT_TRUE(bus.moduleConfig(0).writesAllowed);
  EXPECT_EQ(line.transact(Write06(1, 10, 1234), 8), Write06(1, 10, 1234));
  Bytes reply = line.transact(Read03(1, 10, 1), 7);
  ASSERT_EQ(reply.size(), 7u);
  EXPECT_EQ(WordOf(reply, 0), 1234);

  // The worked example of the multiple-register tool.
  const Bytes request = Write16(1, 10, {1, 2});
  EXPECT_EQ(request, (Bytes{0x01, 0x10, 0x00, 0x0A, 0x00, 0x02, 0x04, 0x00, 0x01, 0x00, 0x02, 0xA3, 0xD1}));
  EXPECT_EQ(line.transact(request, 8), (Bytes{0x01, 0x10, 0x00, 0x0A, 0x00, 0x02, 0x61, 0xCA}));
  reply = line.transact(Read03(1, 10, 2), 9);
  ASSERT_EQ(reply.size(), 9u);
  EXPECT_EQ(WordOf(reply, 0), 1);
  EXPECT_EQ(WordOf(reply, 1), 2);
  EXPECT_EQ(line.transact(Write06(1, 40, 1), 8), Exception(1, 6, 2));
  EXPECT_EQ(line.transact(Write16(1, 39, {1, 2}), 8), Exception(1, 0x10, 2));

  EXPECT_EQ(line.transact(Write06(1, 3, 0xC000), 8), Write06(1, 3, 0xC000));
  EXPECT_FALSE(bus.moduleConfig(0).writesAllowed);
  EXPECT_EQ(line.transact(Write06(1, 10, 99), 8), Exception(1, 6, 1));
  EXPECT_EQ(bus.registerValue(1, 10), 1);
  // The commands pass a second time too.
  EXPECT_EQ(line.transact(Write06(1, 3, 0xC000), 8), Write06(1, 3, 0xC000));
}

TEST(SimBusTest, BroadcastIsAppliedByEveryListeningModuleAndAnsweredByNone) {
  SimBus bus;
  bus.addModule(Module(1));
  bus.addModule(Module(2, "16RXY"));
  bus.addModule(Module(3, "4SXY", 19200));
  bus.start();
  Line line(bus);

  EXPECT_EQ(line.transact(Write06(0, 3, 0x8000), 8).size(), 0u);
  EXPECT_TRUE(bus.moduleConfig(0).writesAllowed);
  EXPECT_TRUE(bus.moduleConfig(1).writesAllowed);
  EXPECT_FALSE(bus.moduleConfig(2).writesAllowed);

  EXPECT_EQ(line.transact(Write06(0, 20, 4321), 8).size(), 0u);
  EXPECT_EQ(bus.registerValue(1, 20), 4321);
  EXPECT_EQ(bus.registerValue(2, 20), 4321);
  EXPECT_NE(bus.registerValue(3, 20), 4321);
  EXPECT_EQ(line.transact(Read03(0, 0, 1), 7).size(), 0u);
}

TEST(SimBusTest, CommunicationWordMovesTheModuleAfterItsReply) {
  SimBus bus;
  bus.addModule(Module(1, "4SXY", 9600, 0, true));
  bus.start();
  {
    Line line(bus);
    // Unknown baud or format numbers, and station 0, are refused and change nothing.
    for (uint16_t bad : {0x0901, 0x4001, 0x0000, 0xF001})
      EXPECT_EQ(line.transact(Write06(1, 3, bad), 8), Exception(1, 6, 3)) << bad;
    EXPECT_EQ(bus.moduleConfig(0).station, 1);

    // Station 7, 19200 (baud number 5), N,8,2 (format 3): the echo comes at the old settings.
    EXPECT_EQ(line.transact(Write06(1, 3, 0x3507), 8), Write06(1, 3, 0x3507));
    const SimModuleConfig moved = bus.moduleConfig(0);
    EXPECT_EQ(moved.station, 7);
    EXPECT_EQ(moved.baudRate, 19200);
    EXPECT_EQ(moved.lineFormat, 3);
    EXPECT_EQ(line.transact(Read03(1, 0, 40), 85).size(), 0u);
    EXPECT_EQ(line.transact(Read03(7, 0, 40), 85).size(), 0u);
  }
  EXPECT_EQ(Line(bus, 19200, 0).transact(Read03(7, 0, 40), 85).size(), 0u);
  EXPECT_EQ(Line(bus, 19200, 3).transact(Read03(1, 0, 40), 85).size(), 0u);
  EXPECT_EQ(Line(bus, 19200, 3).transact(Read03(7, 0, 40), 85).size(), 85u);

  // The recovery scan's broadcast brings it back to station 1, 9600, N,8,1.
  EXPECT_EQ(Line(bus, 19200, 3).transact(Write06(0, 3, 0x0001), 8).size(), 0u);
  EXPECT_EQ(Line(bus).transact(Write06(1, 3, 0x0001), 8), Write06(1, 3, 0x0001));
}

TEST(SimBusTest, KeepsServingWhileTheConsoleClosesAndReopensAndSkipsNoise) {
  SimBus bus;
  bus.addModule(Module(1));
  bus.start();
  Line line(bus);
  EXPECT_EQ(line.transact(Read03(1, 0, 4), 13).size(), 13u);
  line.close();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  line.open(bus.devicePath(), 9600, 0);
  EXPECT_EQ(line.transact(Read03(1, 0, 4), 13).size(), 13u);

  // Stray bytes in front of a request, in the same write.
  Bytes noisy{0xFF, 0x01, 0x10, 0x00};
  const Bytes request = Read03(1, 0, 4);
  noisy.insert(noisy.end(), request.begin(), request.end());
  EXPECT_EQ(line.transact(noisy, 13).size(), 13u);
  // A lone fragment is dropped after a quiet gap; the next request is answered.
  EXPECT_EQ(line.transact(Bytes{0x01, 0x10, 0x00, 0x0A, 0x00, 0x02, 0x40}, 8).size(), 0u);
  EXPECT_EQ(line.transact(request, 13).size(), 13u);
  EXPECT_EQ(bus.receivedFrames().size(), 4u);
}

// Each fault as the console sees it, through the 4SXY reader.
class SimFaultTest : public BusFixture {};

TEST_F(SimFaultTest, EachFaultShowsOnTheConsoleOnceAndOnlyOnce) {
  struct Case {
    SimFault fault;
    const char* box;  // null: the read succeeds
  };
  const Case kCases[] = {
      {SimFault::kSilence, msg::kNoReply},  {SimFault::kShortReply, msg::kNoReply},
      {SimFault::kBadCrc, msg::kBadCrc},    {SimFault::kException, msg::kNoReply},
      {SimFault::kExtraBytes, nullptr},     {SimFault::kGap, msg::kNoReply},
  };
  AddModule(Module(1));
  OpenBus();
  for (const Case& c : kCases) {
    SCOPED_TRACE(static_cast<int>(c.fault));
    console.boxes.clear();
    bus->injectFault(c.fault);
    ops.Dispatch(ids::kRead4SXY);
    if (c.box) {
      ASSERT_EQ(console.boxes.size(), 1u);
      EXPECT_EQ(console.boxes[0].text.rfind(c.box, 0), 0u) << console.boxes[0].text;
    } else {
      EXPECT_TRUE(console.boxes.empty());
    }
    // The fault was for one reply only. The late half of a gapped reply must be
    // on the line before the next request, or it would run into that reply.
    if (c.fault == SimFault::kGap) std::this_thread::sleep_for(std::chrono::milliseconds(600));
    console.boxes.clear();
    ops.Dispatch(ids::kRead4SXY);
    EXPECT_TRUE(console.boxes.empty()) << console.boxes[0].text;
    EXPECT_NE(console.pane.find("程序版本：700"), std::string::npos);
  }

  bus->injectFault(SimFault::kVanish);
  console.boxes.clear();
  ops.Dispatch(ids::kRead4SXY);
  ASSERT_EQ(console.boxes.size(), 1u);
  EXPECT_EQ(console.boxes[0].text, msg::kReadFailed);
  EXPECT_NE(::access(bus->devicePath().c_str(), F_OK), 0);
}

TEST(SimBusTest, FaultsShapeTheReplyBytes) {
  SimBus bus;
  bus.addModule(Module(1));
  bus.start();
  Line line(bus);
  const Bytes good = line.transact(Read03(1, 0, 4), 13);
  ASSERT_EQ(good.size(), 13u);

  bus.injectFault(SimFault::kShortReply);
  EXPECT_EQ(line.transact(Read03(1, 0, 4), 13), Bytes(good.begin(), good.end() - 1));
  bus.injectFault(SimFault::kBadCrc);
  Bytes bad = line.transact(Read03(1, 0, 4), 13);
  ASSERT_EQ(bad.size(), 13u);
  EXPECT_FALSE(CrcMatches(bad.data(), 13));
  EXPECT_TRUE(std::equal(good.begin(), good.end() - 1, bad.begin()));
  bus.injectFault(SimFault::kExtraBytes);
  const Bytes extra = line.transact(Read03(1, 0, 4), 16);
  ASSERT_EQ(extra.size(), 16u);
  EXPECT_EQ(Bytes(extra.begin(), extra.begin() + 13), good);
  bus.injectFault(SimFault::kException);
  EXPECT_EQ(line.transact(Read03(1, 0, 4), 13), Exception(1, 3, 4));
  // The gap outlasts the interval time-out: the console's read ends with the first half.
  bus.injectFault(SimFault::kGap);
  EXPECT_EQ(line.transact(Read03(1, 0, 4), 13), Bytes(good.begin(), good.begin() + 6));
}

TEST(SimBusTest, PacedRepliesArriveWholeAtTheWireSpeed) {
  SimBus bus;
  bus.addModule(Module(1, "4SXY", 9600, 1));  // E,8,1: 11 bits a character
  bus.setPaced(true);
  bus.start();
  Line line(bus, 9600, 1);
  const auto t0 = std::chrono::steady_clock::now();
  const Bytes reply = line.transact(Read03(1, 0, 40), 85);
  const auto took = std::chrono::steady_clock::now() - t0;
  ASSERT_EQ(reply.size(), 85u);
  EXPECT_TRUE(CrcMatches(reply.data(), 85));
  // 85 characters of 11 bits at 9600 baud take 97 ms on a real wire.
  EXPECT_GE(took, std::chrono::milliseconds(90));
}

TEST(SimBusTest, LoadsRegisterValueFiles) {
  const std::string path = ::testing::TempDir() + "sim_values.txt";
  std::ofstream(path) << "# fixed words\n0=410\n  5 = 0x0100  # divisor 500\n\n39=65535\r\n";
  EXPECT_EQ(LoadRegisterValues(path),
            (std::map<uint16_t, uint16_t>{{0, 410}, {5, 0x100}, {39, 65535}}));
  for (const char* bad : {"1=65536\n", "x=1\n", "1=\n", "1 2\n", "1=-3\n", "1=0x\n"}) {
    std::ofstream(path) << bad;
    EXPECT_THROW(LoadRegisterValues(path), std::runtime_error) << bad;
  }
  EXPECT_THROW(LoadRegisterValues(path + ".absent"), std::runtime_error);
}

// Runs the program with its standard input and output on pipes.
struct Program {
  pid_t pid = -1;
  int in = -1;   // its standard input
  int out = -1;  // its standard output

  explicit Program(std::vector<std::string> args) {
    const std::string exe = std::string(DOLVANE_BIN_DIR) + "/dolvane-sim";
    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int toChild[2];
    int fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0) return;
    pid = ::fork();
    if (pid == 0) {
      ::dup2(toChild[0], 0);
      ::dup2(fromChild[1], 1);
      const int devnull = ::open("/dev/null", O_WRONLY);
      ::dup2(devnull, 2);
      ::execv(exe.c_str(), argv.data());
      ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    in = toChild[1];
    out = fromChild[0];
  }
  ~Program() {
    if (in >= 0) ::close(in);
    if (out >= 0) ::close(out);
    if (pid > 0 && exitCode(0) == -1) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
  }

  std::string readLine(int timeoutMs) {
    std::string line;
    char c;
    while (line.find('\n') == std::string::npos) {
      pollfd pfd{out, POLLIN, 0};
      if (::poll(&pfd, 1, timeoutMs) <= 0 || ::read(out, &c, 1) != 1) break;
      line += c;
    }
    return line;
  }

  // The exit status once it has ended within the time; -1 while it runs.
  int exitCode(int timeoutMs) {
    for (int waited = 0;; waited += 10) {
      int status = 0;
      if (::waitpid(pid, &status, WNOHANG) == pid) {
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
      }
      if (waited >= timeoutMs) return -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
};

TEST(SimProgramTest, PrintsItsDeviceServesAndEndsWithItsInput) {
  const std::string values = ::testing::TempDir() + "sim_program_values.txt";
  std::ofstream(values) << "8=1234\n";
  Program sim({"--module", "1:4SXY", "--module", "7:4SXY@19200,N,8,2", "--values", values,
               "--steady"});
  ASSERT_GT(sim.pid, 0);
  std::string path = sim.readLine(10000);
  ASSERT_FALSE(path.empty());
  ASSERT_EQ(path.back(), '\n');
  path.pop_back();
  EXPECT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
  {
    PosixSerialPort port;
    ASSERT_EQ(port.open(path), OpenError::kNone);
    port.setTimeouts(TimeoutsFor(19200));
    port.setLine(19200, Parity::kNone, 2);
    const Bytes request = Read03(7, 8, 1);
    ASSERT_EQ(port.write(request.data(), request.size()).count, request.size());
    Bytes reply(7);
    ASSERT_EQ(port.read(reply.data(), 7).count, 7u);
    EXPECT_EQ(WordOf(reply, 0), 1234);
  }
  EXPECT_EQ(sim.exitCode(100), -1);  // still serving
  ::close(sim.in);
  sim.in = -1;
  EXPECT_EQ(sim.exitCode(10000), 0);
}

TEST(SimProgramTest, RefusesBadArguments) {
  const std::vector<std::vector<std::string>> kBad = {
      {"--module", "0:4SXY"},     {"--module", "1:9XYZ"},
      {"--module", "1:4SXY@9601,N,8,1"}, {"--module", "1:4SXY@9600,N,7,1"},
      {"--module"},               {"--values", "/nonexistent/values"},
      {"--frobnicate"},
  };
  for (const auto& args : kBad) {
    Program sim(args);
    EXPECT_EQ(sim.exitCode(10000), 2) << args[0] << " " << (args.size() > 1 ? args[1] : "");
  }
}

}  // namespace
