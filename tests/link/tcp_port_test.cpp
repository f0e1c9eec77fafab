// The TCP back end of this platform (BSD sockets or Winsock) over loopback:
// the names, the connect and its reasons, the look-up within the connect limit,
// and the transfers' time-outs and failures. The simulated bus behind TCP is in
// posix_tcp_port_test.cpp.
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "console/control_ids.h"
#include "link/link.h"
#include "link/port_by_name.h"
#include "link/socket_api.h"
#include "link/tcp_address.h"
#include "link/tcp_open.h"
#include "operations/operations.h"
#include "support/fake_console.h"
#include "support/loopback_listener.h"
#include "support/scripted_port.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

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

// Both kinds of name reach the platform's TCP back end through the port the
// fronts hold, and a refusal is the open box's reason, not 设备不存在.
TEST(TcpPort, ARefusedConnectionSaysSoInTheOpenBox) {
  LoopbackListener closed(1);
  closed.close();
  for (const char* prefix : {kTcpPrefix, kModbusTcpPrefix}) {
    const std::string name = closed.name(prefix);
    FakeConsole console;
    Operations ops{console, NewPortByName()};
    ops.InitLinkDefaults();
    SetDefaultFields(console);
    console.portAnswer = name;
    ops.OnBnClickedOpenPort();
    EXPECT_EQ(ops.link().isOpen, 0);
    EXPECT_EQ(console.infoTexts(),
              std::vector<std::string>{name + "打开失败！\r\n连接被拒绝：请检查端口号，以及服务器是否在运行。"});
    EXPECT_EQ(console.pane, "串口打开失败！");
  }
}

// A listener whose queue is full drops the handshake, as an unreachable host does.
TEST(TcpPort, AnUnansweredConnectTimesOutAndKeepsTheWindowAlive) {
  LoopbackListener full(0);
  const std::unique_ptr<SerialPort> first = NewTcpPort(kTcpConnectTimeout);
  ASSERT_EQ(first->open(full.name()), OpenError::kNone);  // fills the queue
  const std::unique_ptr<SerialPort> port = NewTcpPort(std::chrono::milliseconds(300));
  int idleCalls = 0;
  port->setIdleCallback([&] { ++idleCalls; });
  const auto start = Clock::now();
  EXPECT_EQ(port->open(full.name()), OpenError::kTimedOut);
  const auto took = Clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(290));
  EXPECT_LT(took, std::chrono::seconds(3));
  EXPECT_GT(idleCalls, 5);
  EXPECT_FALSE(port->isOpen());
  EXPECT_STREQ(OpenFailureReason(OpenError::kTimedOut), "连接超时（3秒）：请检查地址及网络连接。");
}

// A name server that does not answer: the look-up outlasts the limit, the open
// gives up at it with the time-out reason and the window's idle calls go on; a
// late answer within the limit still connects.
TEST(TcpPort, TheNameLookUpIsInsideTheConnectLimit) {
  LoopbackListener server(4);
  const std::string port = std::to_string(server.port());
  std::promise<void> answer;
  const std::shared_future<void> answered = answer.get_future().share();
  // Owns what it uses: the port stops waiting for it and leaves it running.
  const TcpResolver unanswered = [answered](const std::string&, const std::string&, const addrinfo&, addrinfo**) {
    answered.wait_for(std::chrono::seconds(30));
    return EAI_AGAIN;
  };
  const TcpResolver late = [](const std::string&, const std::string& service, const addrinfo& hints,
                              addrinfo** found) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return ::getaddrinfo("127.0.0.1", service.c_str(), &hints, found);
  };

  const std::unique_ptr<SerialPort> slow = NewTcpPort(std::chrono::milliseconds(300), unanswered);
  int idleCalls = 0;
  slow->setIdleCallback([&] { ++idleCalls; });
  const auto start = Clock::now();
  EXPECT_EQ(slow->open("tcp:server.plant:" + port), OpenError::kTimedOut);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));  // not the look-up's 30 s
  EXPECT_GT(idleCalls, 5);
  EXPECT_FALSE(slow->isOpen());
  answer.set_value();

  const std::unique_ptr<SerialPort> patient = NewTcpPort(std::chrono::seconds(10), late);
  EXPECT_EQ(patient->open("mbtcp:server.plant:" + port), OpenError::kNone);
  EXPECT_TRUE(patient->isOpen());
}

TEST(TcpPort, AnUnknownHostIsNoHost) {
  const std::unique_ptr<SerialPort> port = NewTcpPort(kTcpConnectTimeout);
  EXPECT_EQ(port->open("tcp:no-such-host.invalid:502"), OpenError::kNoHost);
  EXPECT_STREQ(OpenFailureReason(OpenError::kNoHost), "找不到服务器：请检查地址及网络连接。");
}

// The read of a reply by the serial line's rules, the server scripted: bytes in
// pieces are gathered, a complete exception frame ends the read at once, a
// closed connection fails it at once, and silence is a time-out, not a failure.
TEST(TcpPort, AReadEndsByTheLinesRules) {
  const Bytes request = {0x01, 0x03, 0x00, 0x00, 0x00, 0x04, 0x44, 0x09};
  const Bytes reply = {0x01, 0x03, 0x08, 1, 2, 3, 4, 5, 6, 7, 8, 0xAA, 0xBB};
  const Bytes exception = {0x01, 0x83, 0x02, 0xC0, 0xF1};
  const auto pause = [] { std::this_thread::sleep_for(std::chrono::milliseconds(30)); };
  const struct Case {
    const char* what;
    std::function<void(Peer&)> server;
    bool ok;
    size_t count;
    std::chrono::milliseconds atLeast, within;
  } cases[] = {
      {"in pieces",
       [&](Peer& peer) {
         peer.send(Bytes(reply.begin(), reply.begin() + 4));
         pause();
         peer.send(Bytes(reply.begin() + 4, reply.end()));
       },
       true, reply.size(), std::chrono::milliseconds(25), std::chrono::milliseconds(500)},
      {"exception", [&](Peer& peer) { peer.send(exception); }, true, exception.size(), std::chrono::milliseconds(0),
       std::chrono::milliseconds(300)},
      {"closed", [&](Peer& peer) { peer.close(); }, false, 0, std::chrono::milliseconds(0),
       std::chrono::milliseconds(300)},
      // TimeoutsFor(9600): 600 ms + 5 ms a byte for the 13 bytes.
      {"silent", [](Peer&) {}, true, 0, std::chrono::milliseconds(665), std::chrono::seconds(5)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoopbackListener listener(1);
    std::promise<void> readDone;
    std::thread server([&, done = readDone.get_future()] {
      Peer peer(listener.accept());
      EXPECT_EQ(peer.receive(request.size()), request);
      c.server(peer);
      done.wait();
    });
    const std::unique_ptr<SerialPort> port = NewTcpPort(kTcpConnectTimeout);
    ASSERT_EQ(port->open(listener.name()), OpenError::kNone);
    port->setTimeouts(TimeoutsFor(9600));
    EXPECT_EQ(port->write(request.data(), request.size()).count, request.size());
    Bytes got(reply.size());
    const auto start = Clock::now();
    const IoResult result = port->read(got.data(), got.size(), [](const uint8_t* bytes, size_t count) {
      return count == 5 && (bytes[1] & 0x80);
    });
    const auto took = Clock::now() - start;
    readDone.set_value();
    server.join();
    EXPECT_EQ(result.ok, c.ok);
    EXPECT_EQ(result.count, c.count);
    EXPECT_GE(took, c.atLeast);
    EXPECT_LT(took, c.within);
    if (c.count == reply.size()) {
      EXPECT_EQ(got, reply);
    }
  }
}

}  // namespace
