// The pseudo-terminal transport of the simulated modules, driven by the console's
// real termios back end on the slave side.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "link/link.h"
#include "link/posix_serial_port.h"
#include "link/posix_tcp_port.h"
#include "link/tcp_address.h"
#include "modbus/exchange.h"
#include "modbus/frames.h"
#include "models/demo_bus.h"
#include "sim/requests.h"
#include "sim/sim_bus.h"
#include "support/bus_fixture.h"
#include "support/models.h"

namespace {

using namespace simtest;

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
    console.press(ops, ids::kRead4SXY);
    if (c.box) {
      ASSERT_EQ(console.boxes.size(), 1u);
      EXPECT_EQ(console.boxes[0].text.rfind(c.box, 0), 0u) << console.boxes[0].text;
    } else {
      EXPECT_TRUE(console.boxes.empty());
    }
    // The fault was for one reply only. The late half of a gapped reply must be
    // on the line before the next request, or it would run into that reply.
    bus->waitUntilSent();
    console.boxes.clear();
    console.press(ops, ids::kRead4SXY);
    EXPECT_TRUE(console.boxes.empty()) << console.boxes[0].text;
    EXPECT_NE(console.pane.find("程序版本：700"), std::string::npos);
  }

  bus->injectFault(SimFault::kVanish);
  console.boxes.clear();
  console.press(ops, ids::kRead4SXY);
  ASSERT_EQ(console.boxes.size(), 1u);
  EXPECT_EQ(console.boxes[0].text, msg::kReadFailed);
  EXPECT_NE(::access(bus->devicePath().c_str(), F_OK), 0);
  EXPECT_TRUE(bus->vanished());
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

TEST(SimBusTest, FaultsFollowTheirStationAndCount) {
  SimBus bus;
  bus.addModule(Module(1));
  bus.addModule(Module(2));
  bus.injectFault(2, SimFault::kBadCrc, 2);
  bus.injectFault(2, SimFault::kSilence, 1);
  bus.start();
  Line line(bus);
  auto crcOk = [&](uint8_t station) {
    const Bytes reply = line.transact(Read03(station, 0, 4), 13);
    return reply.size() == 13u && CrcMatches(reply.data(), 13);
  };
  EXPECT_TRUE(crcOk(1));
  EXPECT_FALSE(crcOk(2));
  EXPECT_TRUE(crcOk(1));
  EXPECT_FALSE(crcOk(2));
  EXPECT_EQ(line.transact(Read03(2, 0, 4), 13).size(), 0u);
  EXPECT_TRUE(crcOk(2));

  bus.injectFault(1, SimFault::kShortReply, kFaultAlways);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(line.transact(Read03(1, 0, 4), 13).size(), 12u);
  EXPECT_TRUE(crcOk(2));
}

// A real module's reply starts only after the request's wire time and its
// turnaround, then takes its own wire time.
TEST(SimBusTest, PacedExchangesTakeTheWholeWireTime) {
  using std::chrono::milliseconds;
  struct Case {
    const char* what;
    bool paced;
    int format;
    std::optional<milliseconds> turnaround;
    milliseconds atLeast;
  };
  const Case kCases[] = {
      // (8 + 3.5 + 85) characters of 11 bits at 9600 baud: 110.6 ms.
      {"paced, E,8,1", true, 1, std::nullopt, milliseconds(110)},
      // (8 + 85) characters of 10 bits: 96.9 ms, and the turnaround.
      {"paced, turnaround 200 ms", true, 0, milliseconds(200), milliseconds(296)},
      {"unpaced, turnaround 150 ms", false, 0, milliseconds(150), milliseconds(150)},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    SimBus bus;
    bus.addModule(Module(1, "4SXY", 9600, c.format));
    bus.setPaced(c.paced);
    if (c.turnaround) bus.setTurnaround(*c.turnaround);
    bus.start();
    Line line(bus, 9600, c.format);
    const auto t0 = std::chrono::steady_clock::now();
    const Bytes reply = line.transact(Read03(1, 0, 40), 85);
    const auto took = std::chrono::steady_clock::now() - t0;
    ASSERT_EQ(reply.size(), 85u);
    EXPECT_TRUE(CrcMatches(reply.data(), 85));
    EXPECT_GE(took, c.atLeast);
  }
}

// Requests that come together are answered one after another, each reply with
// its own wire time: (8 + 3.5 + 85 + 3.5 + 85) characters of 10 bits at 9600
// baud take 192.7 ms. A second reply sent in a burst would end by 100 ms.
TEST(SimBusTest, PacedRequestsThatCameTogetherAreAnsweredOneAfterAnother) {
  SimBus bus;
  bus.addModule(Module(1));
  bus.setPaced(true);
  bus.start();
  Line line(bus);
  Bytes both = Read03(1, 0, 40);
  const Bytes second = Read03(1, 0, 40);
  both.insert(both.end(), second.begin(), second.end());
  const auto t0 = std::chrono::steady_clock::now();
  const Bytes replies = line.transact(both, 170);
  const auto took = std::chrono::steady_clock::now() - t0;
  ASSERT_EQ(replies.size(), 170u);
  EXPECT_TRUE(CrcMatches(replies.data(), 85));
  EXPECT_TRUE(CrcMatches(replies.data() + 85, 85));
  EXPECT_GE(took, std::chrono::microseconds(192700));
}

// What a console that was killed leaves: the slave in exclusive mode (the flag
// belongs to the device and outlives the descriptor), which refuses every open
// by a user who is not root. Once it has gone the device is free again; while
// it holds the device, the device stays exclusive. As root the flag refuses no
// open, so the test reads the flag itself (and its own open and close as root
// would free the device: the strict test is the one of the programs as nobody).
TEST(SimBusTest, AConsoleThatDiedLeavesTheDeviceFree) {
  SimBus bus;
  bus.addModule(Module(1));
  bus.start();
  const std::string& device = bus.devicePath();
  // An open that shows the flag: refused (not root), or open with it set.
  auto exclusive = [&] {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == EBUSY;
    int flag = 0;
    EXPECT_EQ(::ioctl(fd, TIOCGEXCL, &flag), 0);
    ::close(fd);
    return flag != 0;
  };

  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    const int console = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(console, 0);
    ASSERT_EQ(::ioctl(console, TIOCEXCL), 0);
    const Bytes request = Read03(1, 0, 4);
    ASSERT_EQ(::write(console, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (::geteuid() != 0) {
      EXPECT_TRUE(exclusive()) << "cleared while the console holds the device";
    }
    ::close(console);  // without clearing the flag, as a killed console does

    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (exclusive() && std::chrono::steady_clock::now() < giveUp)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_FALSE(exclusive()) << "the device stayed exclusive";
    EXPECT_EQ(Line(bus).transact(request, 13).size(), 13u);
  }
}

// A client that holds the server's only connection and says nothing is closed
// after the idle time-out, so that the next one is served; one that talks keeps it.
TEST(SimBusTest, AnIdleTcpClientIsClosedForTheNext) {
  using std::chrono::milliseconds;
  SimBus bus(TcpAddress{"127.0.0.1", 0}, milliseconds(1000));
  bus.addModule(Module(1));
  std::mutex mu;
  std::vector<std::string> notices;
  bus.onNotice([&](const std::string& what) {
    std::lock_guard lock(mu);
    notices.push_back(what);
  });
  bus.start();
  auto transact = [](SerialPort& port) {
    const Bytes request = Read03(1, 0, 4);
    port.setTimeouts(TimeoutsFor(9600));
    if (!port.write(request.data(), request.size()).ok) return false;
    Bytes reply(13);
    return port.read(reply.data(), reply.size()).count == 13;
  };
  PosixTcpPort talker;
  ASSERT_EQ(talker.open(bus.devicePath()), OpenError::kNone);
  for (int i = 0; i < 6; ++i) {  // 1.5 s in all, never 1 s quiet
    EXPECT_TRUE(transact(talker)) << i;
    std::this_thread::sleep_for(milliseconds(250));
  }
  {
    std::lock_guard lock(mu);
    EXPECT_TRUE(notices.empty());
  }
  // Quiet from here: the next client gets the slot once the time-out has passed
  // (until then it is turned away as a second client).
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  bool served = false;
  while (!served && std::chrono::steady_clock::now() < giveUp) {
    PosixTcpPort next;
    ASSERT_EQ(next.open(bus.devicePath()), OpenError::kNone);
    served = transact(next);
  }
  EXPECT_TRUE(served);
  EXPECT_FALSE(transact(talker));
  std::lock_guard lock(mu);
  EXPECT_EQ(notices, std::vector<std::string>{"closed a client that sent nothing for 1 s"});
}

// While a slow reply is on the line, the bus answers every call at once: its
// calls return while most of the reply is still to come.
TEST(SimBusTest, CallsDoNotWaitForAPacedReply) {
  SimBus bus;
  bus.addModule(Module(1, "4SXY", 1200));  // 85 bytes take 708 ms at 1200 baud
  bus.setPaced(true);
  bus.start();
  const int slave = ::open(bus.devicePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(slave, 0);
  termios tio{};
  ASSERT_EQ(::tcgetattr(slave, &tio), 0);
  ::cfmakeraw(&tio);
  ::cfsetispeed(&tio, B1200);
  ::cfsetospeed(&tio, B1200);
  ASSERT_EQ(::tcsetattr(slave, TCSANOW, &tio), 0);
  const Bytes request = Read03(1, 0, 40);
  ASSERT_EQ(::write(slave, request.data(), request.size()), static_cast<ssize_t>(request.size()));

  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (bus.receivedFrames().empty() && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  bus.setLiveValues(false);
  EXPECT_EQ(bus.modules().size(), 1u);
  int waiting = 0;
  ASSERT_EQ(::ioctl(slave, FIONREAD, &waiting), 0);
  EXPECT_LT(waiting, 85);

  // And the reply still arrives whole.
  Bytes reply;
  while (reply.size() < 85 && std::chrono::steady_clock::now() < giveUp) {
    uint8_t chunk[128];
    pollfd pfd{slave, POLLIN, 0};
    if (::poll(&pfd, 1, 100) <= 0) continue;
    const ssize_t n = ::read(slave, chunk, sizeof chunk);
    if (n > 0) reply.insert(reply.end(), chunk, chunk + n);
  }
  ::close(slave);
  ASSERT_EQ(reply.size(), 85u);
  EXPECT_TRUE(CrcMatches(reply.data(), 85));
}

}  // namespace
