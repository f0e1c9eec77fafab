// Modules behind a serial server: the TCP back end against the simulated bus's
// TCP listener, over loopback only.
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "console/control_ids.h"
#include "discovery/discovery.h"
#include "link/link.h"
#include "link/port_by_name.h"
#include "link/posix_tcp_port.h"
#include "link/tcp_address.h"
#include "modbus/exchange.h"
#include "models/demo_bus.h"
#include "operations/operations.h"
#include "sim/requests.h"
#include "sim/sim_bus.h"
#include "support/fake_console.h"
#include "support/models.h"
#include "support/scripted_port.h"

namespace {

using namespace simtest;
using Clock = std::chrono::steady_clock;

const TcpAddress kLoopbackAnyPort{"127.0.0.1", 0};

// A listening socket on loopback that never accepts, for a port nothing serves
// once closed, or a queue that stays full.
class Listener {
 public:
  explicit Listener(int backlog) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr*>(&address), length), 0);
    EXPECT_EQ(::listen(fd_, backlog), 0);
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    name_ = TcpPortName({"127.0.0.1", ntohs(address.sin_port)});
  }
  ~Listener() { close(); }
  void close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  const std::string& name() const { return name_; }

 private:
  int fd_ = -1;
  std::string name_;
};

// The operations as a front holds them, opening whatever name the dialog gives.
struct Front {
  FakeConsole console;
  Operations ops{console, NewPortByName()};

  Front() {
    ops.InitLinkDefaults();
    SetDefaultFields(console);
  }
  bool open(const std::string& name) {
    console.portAnswer = name;
    ops.OnBnClickedOpenPort();
    console.boxes.clear();
    return ops.link().isOpen == 1;
  }
  void close() {
    if (ops.link().isOpen == 1) ops.OnBnClickedOpenPort();
  }
  // The pane after reading a model at its demo station.
  std::string read(const ModelEntry& model) {
    console.fields[ids::kStation] = std::to_string(model.demoStation);
    console.press(ops, model.buttonId);
    return console.pane;
  }
};

std::unique_ptr<SimBus> DemoBusOn(std::unique_ptr<SimBus> bus) {
  for (const SimModuleConfig& config : DemoModules()) bus->addModule(config);
  bus->start();
  return bus;
}

TEST(TcpAddress, NamesTheDialogAccepts) {
  const struct {
    const char* text;
    const char* device;  // nullptr: refused
  } cases[] = {
      {"tcp:192.0.2.10:4001", "tcp:192.0.2.10:4001"},
      {"  tcp:server.plant:502 ", "tcp:server.plant:502"},
      {"tcp:[::1]:502", "tcp:[::1]:502"},
      {"tcp:h:65535", "tcp:h:65535"},
      {"tcp:host", nullptr},
      {"tcp:host:", nullptr},
      {"tcp::502", nullptr},
      {"tcp:host:0", nullptr},
      {"tcp:host:65536", nullptr},
      {"tcp:host:5x", nullptr},
      {"tcp:::1:502", nullptr},
      {"tcp:[]:502", nullptr},
      {"tcp:a b:502", nullptr},
      {"tcp:host\r:502", nullptr},
      {"tcp:[::1\n]:502", nullptr},
      {"tcp:ho\x7fst:502", nullptr},
      // Modbus TCP: the same rules, and port 502 when the name leaves it out.
      {"mbtcp:gw.local:1502", "mbtcp:gw.local:1502"},
      {"mbtcp:gw.local", "mbtcp:gw.local"},
      {"mbtcp:[::1]", "mbtcp:[::1]"},
      {"mbtcp:", nullptr},
      {"mbtcp:gw.local:0", nullptr},
  };
  for (const auto& c : cases) {
    const auto entry = ParsePortEntry(c.text);
    ASSERT_EQ(entry.has_value(), c.device != nullptr) << c.text;
    if (entry) {
      EXPECT_EQ(entry->device, c.device);
      EXPECT_EQ(entry->number, 0);
    }
  }
  const auto v6 = ParseTcpPortName("tcp:[fe80::1%eth0]:4001");
  ASSERT_TRUE(v6);
  EXPECT_EQ(v6->host, "fe80::1%eth0");
  EXPECT_EQ(TcpPortName(*v6), "tcp:[fe80::1%eth0]:4001");
  EXPECT_EQ(ParseHostAndPort("0.0.0.0:0")->port, 0);
  EXPECT_EQ(ParseTcpPortName("mbtcp:gw.local")->port, 502);
  EXPECT_EQ(ParseTcpPortName("mbtcp:[::1]")->host, "::1");
  EXPECT_EQ(ParseTcpPortName("mbtcp:[::1]")->port, 502);
  // A NUL would end the host the resolver sees at "a".
  EXPECT_FALSE(ParseTcpPortName(std::string("tcp:a\0b:502", 11)));
  EXPECT_FALSE(ParseHostAndPort(std::string("a\0b:502", 7)));
}

// The name picks the back end at each open; the other one is closed first. A
// build without a TCP back end says the device is not there.
TEST(PortByName, TheNamePicksTheBackEnd) {
  auto serialOwned = std::make_unique<ScriptedPort>();
  auto tcpOwned = std::make_unique<ScriptedPort>();
  ScriptedPort& serial = *serialOwned;
  ScriptedPort& tcp = *tcpOwned;
  PortByName port(std::move(serialOwned), std::move(tcpOwned));
  ASSERT_EQ(port.open("tcp:192.0.2.10:4001"), OpenError::kNone);
  port.setLine(19200, Parity::kEven, 1);
  EXPECT_EQ(tcp.lines.size(), 1u);
  ASSERT_EQ(port.open("/dev/ttyUSB0"), OpenError::kNone);
  EXPECT_FALSE(tcp.isOpen());
  port.setLine(9600, Parity::kNone, 1);
  EXPECT_EQ(serial.lines.size(), 1u);
  EXPECT_EQ(tcp.lines.size(), 1u);
  EXPECT_EQ(serial.opens, 1);
  EXPECT_EQ(tcp.opens, 1);

  PortByName serialOnly(std::make_unique<ScriptedPort>(), nullptr);
  EXPECT_EQ(serialOnly.open("tcp:192.0.2.10:4001"), OpenError::kNotFound);
  EXPECT_FALSE(serialOnly.isOpen());
}

// Every model's report is the same whether the bus is on a pty or behind TCP,
// and one port object goes from the serial back end to TCP and back.
TEST(TcpPort, EveryModelReadsAsOverThePty) {
  auto pty = DemoBusOn(std::make_unique<SimBus>());
  auto tcp = DemoBusOn(std::make_unique<SimBus>(kLoopbackAnyPort));
  ASSERT_EQ(tcp->devicePath().rfind("tcp:127.0.0.1:", 0), 0u) << tcp->devicePath();
  Front front;
  for (const ModelEntry& model : Models()) {
    SCOPED_TRACE(model.cliName);
    ASSERT_TRUE(front.open(pty->devicePath()));
    const std::string overPty = front.read(model);
    front.close();
    ASSERT_TRUE(front.open(tcp->devicePath()));
    EXPECT_EQ(front.read(model), overPty);
    EXPECT_TRUE(front.console.boxes.empty()) << front.console.boxes[0].text;
    front.close();
  }
}

// The baud and format combos only set the time-outs: the server's side stays.
TEST(TcpPort, AnyRateOnTheConsoleReachesTheServersLine) {
  auto tcp = DemoBusOn(std::make_unique<SimBus>(kLoopbackAnyPort));
  Front front;
  front.console.combos[ids::kBaudRate] = 7;
  front.console.combos[ids::kLineFormat] = 3;
  front.console.press(front.ops, ids::kBaudRate);
  front.console.press(front.ops, ids::kLineFormat);
  ASSERT_TRUE(front.open(tcp->devicePath()));
  EXPECT_NE(front.read(ModelNamed("4SXY")).find("十六进制显示接收数据"), std::string::npos);
  EXPECT_TRUE(front.console.boxes.empty());
}

// The server going away mid-reply is the read-failure box, well before any
// time-out could end the read. Gone before the request, it fails the write or
// the read, as the server's reset comes before the request or after it.
TEST(TcpPort, ADroppedConnectionFailsTheTransferAtOnce) {
  for (const bool midReply : {true, false}) {
    SCOPED_TRACE(midReply ? "vanish fault" : "server closed");
    auto tcp = DemoBusOn(std::make_unique<SimBus>(kLoopbackAnyPort));
    Front front;
    ASSERT_TRUE(front.open(tcp->devicePath()));
    if (midReply) tcp->injectFault(1, SimFault::kVanish, 1);
    else tcp.reset();
    const auto start = Clock::now();
    front.read(ModelNamed("4SXY"));
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(400));
    const std::vector<std::string> boxes = front.console.infoTexts();
    ASSERT_EQ(boxes.size(), 1u);
    if (midReply) EXPECT_EQ(boxes[0], msg::kReadFailed);
    else EXPECT_TRUE(boxes[0] == msg::kReadFailed || boxes[0] == msg::kWriteFailed) << boxes[0];
  }
}

TEST(TcpPort, ARefusedConnectionSaysSoInTheOpenBox) {
  Listener closed(1);
  closed.close();
  Front front;
  front.console.portAnswer = closed.name();
  front.ops.OnBnClickedOpenPort();
  EXPECT_EQ(front.ops.link().isOpen, 0);
  EXPECT_EQ(front.console.infoTexts(),
            std::vector<std::string>{closed.name() +
                                     "打开失败！\r\n连接被拒绝：请检查端口号，以及服务器是否在运行。"});
  EXPECT_EQ(front.console.pane, "串口打开失败！");
}

// A listener whose queue is full drops the handshake, as an unreachable host does.
TEST(TcpPort, AnUnansweredConnectTimesOutAndKeepsTheWindowAlive) {
  Listener full(0);
  PosixTcpPort first;
  ASSERT_EQ(first.open(full.name()), OpenError::kNone);  // fills the queue
  PosixTcpPort port(std::chrono::milliseconds(300));
  int idleCalls = 0;
  port.setIdleCallback([&] { ++idleCalls; });
  const auto start = Clock::now();
  EXPECT_EQ(port.open(full.name()), OpenError::kTimedOut);
  const auto took = Clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(290));
  EXPECT_LT(took, std::chrono::seconds(3));
  EXPECT_GT(idleCalls, 5);
  EXPECT_FALSE(port.isOpen());
  EXPECT_STREQ(OpenFailureReason(OpenError::kTimedOut), "连接超时（3秒）：请检查地址及网络连接。");
}

// A name server that does not answer: the look-up outlasts the limit, the open
// gives up at it with the time-out reason and the window's idle calls go on; a
// late answer within the limit still connects.
TEST(TcpPort, TheNameLookUpIsInsideTheConnectLimit) {
  auto tcp = DemoBusOn(std::make_unique<SimBus>(kLoopbackAnyPort));
  const std::string port = tcp->devicePath().substr(tcp->devicePath().rfind(':') + 1);
  std::promise<void> answer;
  const std::shared_future<void> answered = answer.get_future().share();
  // Owns what it uses: the port stops waiting for it and leaves it running.
  const PosixTcpPort::Resolver unanswered = [answered](const std::string&, const std::string&, const addrinfo&,
                                                       addrinfo**) {
    answered.wait_for(std::chrono::seconds(30));
    return EAI_AGAIN;
  };
  const PosixTcpPort::Resolver late = [](const std::string&, const std::string& service, const addrinfo& hints,
                                         addrinfo** found) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return ::getaddrinfo("127.0.0.1", service.c_str(), &hints, found);
  };

  PosixTcpPort slow(std::chrono::milliseconds(300), unanswered);
  int idleCalls = 0;
  slow.setIdleCallback([&] { ++idleCalls; });
  const auto start = Clock::now();
  EXPECT_EQ(slow.open("tcp:server.plant:" + port), OpenError::kTimedOut);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));  // not the look-up's 30 s
  EXPECT_GT(idleCalls, 5);
  EXPECT_FALSE(slow.isOpen());
  answer.set_value();

  PosixTcpPort patient(std::chrono::seconds(10), late);
  ASSERT_EQ(patient.open("tcp:server.plant:" + port), OpenError::kNone);
  const Bytes request = Read03(1, 0, 4);
  patient.setTimeouts(TimeoutsFor(9600));
  EXPECT_TRUE(patient.write(request.data(), request.size()).ok);
  Bytes reply(13);
  EXPECT_EQ(patient.read(reply.data(), reply.size()).count, 13u);
}

TEST(TcpPort, AnUnknownHostIsNoHost) {
  PosixTcpPort port;
  EXPECT_EQ(port.open("tcp:no-such-host.invalid:502"), OpenError::kNoHost);
  EXPECT_STREQ(OpenFailureReason(OpenError::kNoHost), "找不到服务器：请检查地址及网络连接。");
}

// One client at a time: a second one is closed at once and fails its transfer;
// once the first leaves, the next is served, even straight after the close.
TEST(TcpPort, TheServerServesOneClientAtATime) {
  auto tcp = DemoBusOn(std::make_unique<SimBus>(kLoopbackAnyPort));
  auto transact = [](SerialPort& port) {
    const Bytes request = Read03(1, 0, 4);
    port.setTimeouts(TimeoutsFor(9600));
    EXPECT_TRUE(port.write(request.data(), request.size()).ok);
    Bytes reply(13);
    return port.read(reply.data(), reply.size());
  };
  PosixTcpPort first, second, third;
  ASSERT_EQ(first.open(tcp->devicePath()), OpenError::kNone);
  EXPECT_EQ(transact(first).count, 13u);
  ASSERT_EQ(second.open(tcp->devicePath()), OpenError::kNone);  // the kernel's handshake
  EXPECT_FALSE(transact(second).ok);
  EXPECT_EQ(transact(first).count, 13u);
  first.close();
  ASSERT_EQ(third.open(tcp->devicePath()), OpenError::kNone);
  const IoResult got = transact(third);
  EXPECT_TRUE(got.ok);
  EXPECT_EQ(got.count, 13u);
}

// The scan changes the line, which a serial server keeps: it refuses before its
// warning and sends nothing.
TEST(TcpPort, TheResetScanRefusesAndSendsNothing) {
  auto tcp = DemoBusOn(std::make_unique<SimBus>(kLoopbackAnyPort));
  Front front;
  ASSERT_TRUE(front.open(tcp->devicePath()));
  front.console.press(front.ops, ids::kCommReset);
  ASSERT_EQ(front.console.boxes.size(), 1u);
  EXPECT_EQ(front.console.boxes[0].kind, "提示");
  EXPECT_EQ(front.console.boxes[0].text,
            "通过网络串口服务器（TCP）连接时无法进行通信重置：请在服务器上设置串口参数，或直接连接串口。");
  EXPECT_EQ(front.console.pane, "");
  EXPECT_EQ(front.ops.link().isOpen, 1);
  EXPECT_EQ(front.ops.link().baudRate, 9600);
  tcp->waitUntilSent();
  EXPECT_TRUE(tcp->receivedFrames().empty());
}

// Every setting would reach the server's one line: the search refuses too.
TEST(TcpPort, TheLineSearchRefusesAndSendsNothing) {
  auto tcp = DemoBusOn(std::make_unique<SimBus>(kLoopbackAnyPort));
  Front front;
  ASSERT_TRUE(front.open(tcp->devicePath()));
  const LineDetection detection = DetectLine(front.ops.context(), 1, {});
  EXPECT_EQ(detection.end, DiscoveryEnd::kLineFixed);
  EXPECT_EQ(detection.probed, 0);
  EXPECT_EQ(front.console.infoTexts(),
            std::vector<std::string>{
                "通过网络串口服务器（TCP）连接时无法检测串口参数：串口参数在服务器上设置。"});
  tcp->waitUntilSent();
  EXPECT_TRUE(tcp->receivedFrames().empty());
}

}  // namespace
