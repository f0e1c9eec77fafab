// Discovery run whole: the POSIX back end on a pseudo-terminal, simulated
// modules at several settings, and a bus that records every frame it heard.
#include "discovery/discovery.h"

#include <gtest/gtest.h>

#include "support/bus_fixture.h"
#include "support/line_blind_pty.h"
#include "support/models.h"
#include "support/scripted_port.h"

namespace {

// Records progress and can ask for Cancel once a number of probes is done.
class ProgressConsole : public FakeConsole {
 public:
  std::vector<std::pair<int, int>> reports;
  int cancelAfter = -1;
  bool cancel = false;
  void progress(int done, int total) override {
    reports.emplace_back(done, total);
    if (done == cancelAfter) cancel = true;
  }
};

// Every frame discovery may send: a read of register 0 alone.
bool IsProbe(const std::vector<uint8_t>& frame) {
  return frame.size() == 8 && frame[1] == 0x03 && frame[2] == 0 && frame[3] == 0 && frame[4] == 0 &&
         frame[5] == 1;
}

class DiscoveryTest : public BusFixtureWith<ProgressConsole> {
 protected:
  DiscoveryControl control;

  void SetUp() override {
    BusFixtureWith::SetUp();
    AddModule({.station = 3, .model = SimOf("4SXY")});
    AddModule({.station = 17, .model = SimOf("8SXY"), .baudRate = 19200, .lineFormat = 3});
    AddModule({.station = 200, .model = SimOf("3SXY")});
    bus->setRegisters(3, {{0, 680}});
    control.cancelRequested = [this] { return console.cancel; };
    OpenBus();
  }

  void ExpectOnlyProbesWereSent() {
    const auto frames = bus->receivedFrames();
    EXPECT_FALSE(frames.empty());
    for (const auto& frame : frames) EXPECT_TRUE(IsProbe(frame)) << Hex(frame);
  }
};

TEST_F(DiscoveryTest, ScanListsTheStationsAtTheConsolesSettingsAndTellsACodedModel) {
  const StationScan near = ScanStations(ops.context(), 1, 20, control);
  const StationScan far = ScanStations(ops.context(), 198, 202, control);
  EXPECT_EQ(near.end, DiscoveryEnd::kDone);
  EXPECT_EQ(near.probed, 20);
  ASSERT_EQ(near.found.size(), 1u);  // 17 listens at 19200 N,8,2 only
  EXPECT_EQ(near.found[0].station, 3);
  EXPECT_EQ(near.found[0].probe.word0, 680);
  EXPECT_EQ(near.found[0].guess.model, nullptr);
  EXPECT_EQ(DescribeStation(near.found[0]).rfind("word 0 = 680; model cannot be told apart: 4SXY ", 0), 0u);

  ASSERT_EQ(far.found.size(), 1u);
  EXPECT_EQ(far.found[0].station, 200);
  EXPECT_EQ(DescribeStation(far.found[0]), "word 0 = 21133; model 3SXY");
  EXPECT_EQ(console.reports.front(), std::make_pair(0, 20));
  EXPECT_EQ(console.reports.back(), std::make_pair(5, 5));
  EXPECT_TRUE(console.boxes.empty());
  ExpectOnlyProbesWereSent();
  EXPECT_EQ(bus->receivedFrames().size(), 25u);
}

TEST_F(DiscoveryTest, WhatAFaultyReplyMakesOfAStation) {
  struct Case {
    SimFault fault;
    std::optional<ProbeAnswer> listed;
    const char* text;
  };
  const Case cases[] = {
      {SimFault::kBadCrc, ProbeAnswer::kCorrupted,
       "corrupted reply (a device answered: wrong settings or a collision)"},
      {SimFault::kShortReply, ProbeAnswer::kCorrupted,
       "corrupted reply (a device answered: wrong settings or a collision)"},
      {SimFault::kExtraBytes, ProbeAnswer::kWord, "word 0 = 680; "},
      {SimFault::kException, ProbeAnswer::kException, "present, exception 04 从站设备故障"},
      {SimFault::kSilence, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    bus->injectFault(c.fault);
    const StationScan scan = ScanStations(ops.context(), 3, 3, control);
    SCOPED_TRACE(c.text);
    ASSERT_EQ(scan.found.size(), c.listed ? 1u : 0u);
    if (!c.listed) continue;
    EXPECT_EQ(scan.found[0].probe.answer, *c.listed);
    EXPECT_EQ(DescribeStation(scan.found[0]).rfind(c.text, 0), 0u);
  }
}

TEST_F(DiscoveryTest, CancelEndsTheScanWithinOneExchange) {
  console.cancelAfter = 4;
  const StationScan scan = ScanStations(ops.context(), 1, 247, control);
  EXPECT_EQ(scan.end, DiscoveryEnd::kCancelled);
  EXPECT_EQ(scan.probed, 4);
  EXPECT_EQ(bus->receivedFrames().size(), 4u);
}

TEST_F(DiscoveryTest, DetectLineFindsTheStationsOwnSettingAndSaysParityIsHidden) {
  const LineDetection odd = DetectLine(ops.context(), 17, control);
  EXPECT_EQ(odd.end, DiscoveryEnd::kDone);
  EXPECT_EQ(odd.probed, 32);
  ASSERT_EQ(odd.answered.size(), 1u);
  EXPECT_EQ(SettingText(odd.answered[0]), "19200 N,8,2");
  EXPECT_TRUE(odd.parityHidden);  // a pseudo-terminal

  // At one stop bit the formats differ only in parity: all three answer.
  const LineDetection plain = DetectLine(ops.context(), 3, control);
  std::vector<std::string> settings;
  for (const LineSetting& s : plain.answered) settings.push_back(SettingText(s));
  EXPECT_EQ(settings, (std::vector<std::string>{"9600 N,8,1", "9600 E,8,1", "9600 O,8,1"}));
  ExpectOnlyProbesWereSent();

  // The console's own settings are back: an ordinary read at 9600 works.
  console.fields[ids::kStation] = "3";
  console.press(ops, ids::kRead4SXY);
  EXPECT_TRUE(console.boxes.empty()) << console.infoTexts()[0];
}

TEST_F(DiscoveryTest, CancelEndsDetectionWithinOneExchange) {
  console.cancelAfter = 6;
  const LineDetection detection = DetectLine(ops.context(), 17, control);
  EXPECT_EQ(detection.end, DiscoveryEnd::kCancelled);
  EXPECT_EQ(bus->receivedFrames().size(), 6u);
}

// The bus behind a pty pair, as through a virtual COM port: the console's
// settings never reach the modules, so a module answers at all of them.
class LineBlindDiscoveryTest : public BusFixtureWith<ProgressConsole> {
 protected:
  std::unique_ptr<LineBlindPty> relay;

  void SetUp() override {
    BusFixtureWith::SetUp();
    AddModule({.station = 3, .model = SimOf("4SXY")});
    bus->setRegisters(3, {{0, 680}});
    bus->start();
    relay = std::make_unique<LineBlindPty>(bus->devicePath());
    console.portAnswer = relay->devicePath();
    ops.OnBnClickedOpenPort();
    ASSERT_EQ(ops.link().isOpen, 1) << console.pane;
    console.boxes.clear();
  }
};

// Instead of naming all 32 settings, the search says the port cannot tell them.
// Only replies count: 32 corrupted replies (or an adapter's echo) and 32
// silences are the search's usual results.
TEST_F(LineBlindDiscoveryTest, EverySettingAnsweringAlikeIsNotALineSetting) {
  DiscoveryControl patient;  // replies come at once; a late one must not look like silence
  patient.turnaroundMs = 1000;
  const LineDetection alike = DetectLine(ops.context(), 3, patient);
  EXPECT_EQ(alike.end, DiscoveryEnd::kLineIgnored);
  EXPECT_EQ(alike.probed, 32);
  EXPECT_EQ(console.infoTexts(),
            std::vector<std::string>{
                "此串口不传送通讯参数：站号 3 在 32 种通讯参数下的应答完全相同，无法用此方法检测模块的通讯参数。\r\n"
                "虚拟串口、伪终端和串口服务器的通讯参数由另一端决定，模块能应答说明它与另一端的设置一致；"
                "要检测模块自身的设置，请用直接连接 RS-485 总线的串口。"});
  EXPECT_EQ(ops.link().baudRate, 9600);  // the console's own settings stay

  console.boxes.clear();
  bus->injectFault(3, SimFault::kBadCrc, kFaultAlways);
  const LineDetection corrupted = DetectLine(ops.context(), 3, patient);
  EXPECT_EQ(corrupted.end, DiscoveryEnd::kDone);
  EXPECT_EQ(corrupted.corrupted.size(), 32u);
  DiscoveryControl quick;
  quick.turnaroundMs = 10;
  const LineDetection silent = DetectLine(ops.context(), 9, quick);
  EXPECT_EQ(silent.end, DiscoveryEnd::kDone);
  EXPECT_TRUE(silent.answered.empty());
  EXPECT_TRUE(console.boxes.empty());
}

// A port that records every setting, to see what discovery leaves behind.
class RecordingPort : public ScriptedPort {
 public:
  std::vector<PortTimeouts> timeouts;
  bool setTimeouts(const PortTimeouts& t) override {
    timeouts.push_back(t);
    return true;
  }
};

class DiscoveryPortTest : public ::testing::Test {
 protected:
  ProgressConsole console;
  RecordingPort* port = nullptr;
  std::unique_ptr<Operations> ops;

  void SetUp() override {
    auto owned = std::make_unique<RecordingPort>();
    port = owned.get();
    ops = std::make_unique<Operations>(console, std::move(owned));
    ops->InitLinkDefaults();
    SetDefaultFields(console);
    console.combos[ids::kBaudRate] = 5;  // 38400
    console.combos[ids::kLineFormat] = 1;
    console.press(*ops, ids::kBaudRate);
    console.press(*ops, ids::kLineFormat);
    console.portAnswer = "/dev/scripted";
    ops->OnBnClickedOpenPort();
    ASSERT_EQ(ops->link().isOpen, 1);
  }

  void ExpectConsoleSettingsBack() {
    ASSERT_FALSE(port->lines.empty());
    EXPECT_EQ(port->lines.back().baudRate, 38400);
    EXPECT_EQ(port->lines.back().parity, Parity::kEven);
    EXPECT_EQ(port->lines.back().stopBits, 1);
    EXPECT_EQ(port->timeouts.back().readConstant, TimeoutsFor(38400).readConstant);
    EXPECT_EQ(port->timeouts.back().readMultiplier, TimeoutsFor(38400).readMultiplier);
  }
};

TEST_F(DiscoveryPortTest, TheConsolesLineAndTimeOutsAreBackHoweverTheRunEnds) {
  DetectLine(ops->context(), 9, {});
  EXPECT_EQ(port->written.size(), 32u);
  ExpectConsoleSettingsBack();

  console.cancelAfter = 2;
  DiscoveryControl control;
  control.cancelRequested = [this] { return console.cancel; };
  EXPECT_EQ(ScanStations(ops->context(), 1, 247, control).end, DiscoveryEnd::kCancelled);
  ExpectConsoleSettingsBack();

  port->failReads = true;
  EXPECT_EQ(ScanStations(ops->context(), 1, 247, {}).end, DiscoveryEnd::kPortFailed);
  EXPECT_EQ(console.infoTexts().back(), "读串口失败!");
  ExpectConsoleSettingsBack();
}

TEST_F(DiscoveryPortTest, ANotOpenPortOrABadStationEndsWithItsBox) {
  EXPECT_EQ(DetectLine(ops->context(), 248, {}).end, DiscoveryEnd::kBadStation);
  EXPECT_EQ(console.infoTexts().back(), "非法的站号！");
  ops->OnBnClickedOpenPort();  // closes
  EXPECT_EQ(ScanStations(ops->context(), 1, 5, {}).end, DiscoveryEnd::kPortNotOpen);
  EXPECT_EQ(console.infoTexts().back(), "串口未打开!");
  EXPECT_TRUE(port->written.empty());
}

}  // namespace
