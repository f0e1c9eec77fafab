// Modules behind a serial server: the TCP back end against the simulated bus's
// TCP listener, over loopback only (the simulated bus is POSIX's; the back end's
// own tests are in tcp_port_test.cpp).

#include <chrono>
#include <memory>
#include <string>
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

namespace {

using namespace simtest;
using Clock = std::chrono::steady_clock;

const TcpAddress kLoopbackAnyPort{"127.0.0.1", 0};

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
