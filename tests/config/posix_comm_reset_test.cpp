#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "console/control_ids.h"
#include "operations/operations.h"
#include "console/text.h"
#include "link/link.h"
#include "sim/sim_bus.h"
#include "support/reset_frames.h"
#include "support/bus_fixture.h"
#include "support/models.h"
#include "support/fake_console.h"
#include "support/scripted_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

using reset_frames::kConfirm;
using reset_frames::kEnable;
using reset_frames::kReset;
using reset_frames::kWarning;

// After each broadcast: its wire time at the attempt's setting (8 characters of
// 10 or 11 bits), rounded up, and the modules' 200 ms.
int BroadcastPause(int baudIndex, int formatIndex) {
  const int bits = 8 * (formatIndex == 0 ? 10 : 11);
  return (bits * 1000 + kBaudRates[baudIndex] - 1) / kBaudRates[baudIndex] + 200;
}
bool IsBroadcastPause(int ms) { return ms > 200 && ms < 300; }

// Records what a window would show of the scan's progress.
class ScanConsole : public FakeConsole {
 public:
  std::vector<std::pair<int, int>> progressSteps;
  std::function<void(int ms)> onPause;

  void progress(int done, int total) override { progressSteps.emplace_back(done, total); }
  void pause(int ms) override {
    FakeConsole::pause(ms);
    if (onPause) onPause(ms);
  }
};

// The scan against a port without a device: exact frames, line settings and
// failure points.
class CommResetScripted : public ScriptedFixtureWith<ScanConsole> {
 protected:
  void SetUp() override {
    ScriptedFixtureWith::SetUp();
    console.combos = {{ids::kBaudRate, 5}, {ids::kLineFormat, 1}};
    console.press(ops, ids::kBaudRate);
    console.press(ops, ids::kLineFormat);
    OpenScriptedPort();
    console.boxes.clear();
    port->lines.clear();
  }

  void ExpectOpenAt(int baudIndex, int formatIndex) {
    EXPECT_EQ(ops.link().isOpen, 1);
    EXPECT_TRUE(port->isOpen());
    EXPECT_EQ(ops.link().baudRate, kBaudRates[baudIndex]);
    EXPECT_EQ(ops.link().lineFormat, formatIndex);
    EXPECT_EQ(console.combos[ids::kBaudRate], baudIndex);
    EXPECT_EQ(console.combos[ids::kLineFormat], formatIndex);
    ASSERT_FALSE(port->lines.empty());
    EXPECT_EQ(port->lines.back().baudRate, kBaudRates[baudIndex]);
    EXPECT_EQ(port->lines.back().parity, kLineFormats[formatIndex].parity);
    EXPECT_EQ(port->lines.back().stopBits, kLineFormats[formatIndex].stopBits);
  }
};

TEST_F(CommResetScripted, TriesEverySettingThenConfirmsAtStation1And9600) {
  port->replies.push_back(kConfirm);
  console.press(ops, ids::kCommReset);

  std::vector<Bytes> expected;
  for (int k = 0; k < 32; ++k) {
    expected.push_back(kEnable);
    expected.push_back(kReset);
  }
  expected.push_back(kConfirm);
  EXPECT_EQ(port->written, expected);

  // Baud rate outside, format inside; the confirmation at 9600 "N,8,1".
  ASSERT_EQ(port->lines.size(), 33u);
  for (int k = 0; k < 33; ++k) {
    const int i = k < 32 ? k / 4 : 3;
    const int j = k < 32 ? k % 4 : 0;
    EXPECT_EQ(port->lines[k].baudRate, kBaudRates[i]) << k;
    EXPECT_EQ(port->lines[k].parity, kLineFormats[j].parity) << k;
    EXPECT_EQ(port->lines[k].stopBits, kLineFormats[j].stopBits) << k;
  }
  EXPECT_EQ(port->opens, 1 + 33);
  int pauses = 2500;
  for (int k = 0; k < 32; ++k) pauses += 2 * BroadcastPause(k / 4, k % 4);
  EXPECT_EQ(console.pausedMs, pauses);
  ASSERT_EQ(console.progressSteps.size(), 33u);
  for (int k = 0; k < 33; ++k) EXPECT_EQ(console.progressSteps[k], std::make_pair(k + 1, 33));

  ASSERT_EQ(console.boxes.size(), 2u);
  EXPECT_EQ(console.boxes[0].kind, "警告");
  EXPECT_EQ(console.boxes[0].text, kWarning);
  EXPECT_EQ(console.boxes[1].kind, "提示");
  EXPECT_EQ(console.boxes[1].text, "重置成功！站号：01，波特率：9600，N，8，1");
  EXPECT_EQ(console.moved, std::vector<ModuleLine>{(ModuleLine{3, 0, 1})});  // what a window may follow
  ExpectOpenAt(3, 0);
  EXPECT_EQ(console.captions[ids::kOpenPort], "关闭串口");
}

TEST_F(CommResetScripted, ConfirmationReplyIsJudgedOnLengthThenCrc) {
  Bytes badCrc = kConfirm;
  badCrc[7] ^= 0x01;
  Bytes otherStation{0x05, 0x06, 0x00, 0x03, 0x00, 0x01, 0, 0};
  PlaceCrc(otherStation.data(), 6);
  const struct {
    const char* name;
    std::vector<Bytes> replies;
    const char* message;
  } cases[] = {
      {"silence", {}, "通讯错误！\r\n无应答（等待 640 ms）；站号 1，9600 N,8,1"},
      {"one byte short", {Bytes(kConfirm.begin(), kConfirm.end() - 1)},
       "通讯错误！\r\n收到 7 / 8 字节；站号 1，9600 N,8,1"},
      {"bad crc", {badCrc}, "数据错误！\r\n校验错误；站号 1，9600 N,8,1"},
      // A reply must answer the confirmation, as every reply its request.
      {"foreign echo", {otherStation}, "通讯错误！\r\n应答来自站号 5，请求的是站号 1；站号 1，9600 N,8,1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    console.boxes.clear();
    port->replies.assign(c.replies.begin(), c.replies.end());
    console.press(ops, ids::kCommReset);
    ASSERT_EQ(console.infoTexts(), std::vector<std::string>{c.message});
    ExpectOpenAt(3, 0);
    EXPECT_EQ(console.pane.find("十六进制显示接收数据"), std::string::npos);
    EXPECT_TRUE(console.pane.ends_with("\r\n正在尝试确认重置结果，请稍后...\r\n")) << console.pane;
  }
  port->failReads = true;
  console.boxes.clear();
  console.press(ops, ids::kCommReset);
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"读串口失败!"});
  ExpectOpenAt(3, 0);
}

TEST_F(CommResetScripted, ShortWriteEndsTheScanWhereItHappened) {
  const struct {
    int writeNumber;
    int baudIndex, formatIndex;
  } cases[] = {
      {1, 0, 0},   // the first enable broadcast
      {6, 0, 2},   // the reset broadcast of 1200 "O,8,1"
      {64, 7, 3},  // the last reset broadcast
      {65, 3, 0},  // the confirmation
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.writeNumber);
    console.boxes.clear();
    port->written.clear();
    port->replies = {kConfirm};
    port->shortWriteNumber = c.writeNumber;
    console.press(ops, ids::kCommReset);
    EXPECT_EQ(port->written.size(), static_cast<size_t>(c.writeNumber));
    EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"写串口失败!"});
    ExpectOpenAt(c.baudIndex, c.formatIndex);
  }
}

TEST_F(CommResetScripted, ReopenFailureAtTheConfirmationLeavesThePortClosed) {
  port->failOpenNumber = port->opens + 33;
  console.press(ops, ids::kCommReset);
  EXPECT_EQ(port->written.size(), 64u);
  EXPECT_EQ(console.infoTexts(),
            std::vector<std::string>{ParsePortEntry(kScriptedPortEntry)->device +
                                     "打开失败！\r\n串口已被其他程序占用。"});
  EXPECT_EQ(ops.link().isOpen, 0);
  EXPECT_FALSE(port->isOpen());
  EXPECT_EQ(console.captions[ids::kOpenPort], "打开串口");
  EXPECT_EQ(ops.link().baudRate, 9600);
  EXPECT_EQ(console.combos[ids::kBaudRate], 3);
}

TEST_F(CommResetScripted, ClosedPortOrCancelSendsNothing) {
  console.warningAnswers = {false};
  console.press(ops, ids::kCommReset);
  EXPECT_TRUE(port->written.empty());
  EXPECT_EQ(console.pane, "");
  ASSERT_EQ(console.boxes.size(), 1u);
  EXPECT_EQ(console.boxes[0].text, kWarning);
  EXPECT_EQ(port->opens, 1);
  EXPECT_EQ(ops.link().baudRate, 38400);  // the user's own settings stay
  EXPECT_EQ(ops.link().lineFormat, 1);

  ops.OnBnClickedOpenPort();  // closes
  console.boxes.clear();
  console.press(ops, ids::kCommReset);
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"串口未打开!"});
  EXPECT_TRUE(port->written.empty());
  EXPECT_EQ(console.pane, "");
}

// The scan end to end: Operations, the termios back end on a pseudo-terminal and
// simulated modules. Pauses do not sleep; a pause after a write waits instead
// until the bus has taken that frame, so the line settings it heard are the
// attempt's own, as the real 200 ms guarantee on a wire.
class CommResetOnBus : public BusFixtureWith<ScanConsole> {
 protected:
  size_t framesSent = 0;

  void SetUp() override {
    BusFixtureWith::SetUp();
    console.onPause = [this](int ms) {
      if (IsBroadcastPause(ms)) WaitForFrames(++framesSent);
    };
  }

  void WaitForFrames(size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (bus->receivedFrames().size() < count) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the bus never got frame " << count;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  void RunScan() {
    bus->clearReceived();
    framesSent = 0;
    console.boxes.clear();
    console.progressSteps.clear();
    console.press(ops, ids::kCommReset);
  }

  void ExpectOpenAt9600N81() {
    EXPECT_EQ(ops.link().isOpen, 1);
    EXPECT_EQ(ops.link().baudRate, 9600);
    EXPECT_EQ(ops.link().lineFormat, 0);
    EXPECT_EQ(console.combos[ids::kBaudRate], 3);
    EXPECT_EQ(console.combos[ids::kLineFormat], 0);
    EXPECT_EQ(console.captions[ids::kOpenPort], "关闭串口");
  }

  static std::string AttemptLines(int count) {
    std::string lines;
    for (int k = 0; k < count; ++k) {
      appendf(lines, "正在尝试波特率：%d=%6dBPS。\n校验值号：%d=%s。\r\n", k / 4 + 1,
              kBaudRates[k / 4], k % 4, kLineFormats[k % 4].text);
    }
    return lines;
  }
};

TEST_F(CommResetOnBus, ChangedModuleIsLostThenRecoveredByTheScan) {
  AddModule({.station = 1, .model = SimOf("4SXY"), .writesAllowed = true});
  OpenBus();

  // 38400 "E,8,1", station 9: word 0x1609.
  console.combos[ids::kNewBaud] = 5;
  console.combos[ids::kNewFormat] = 1;
  console.fields[ids::kNewStation] = "9";
  console.press(ops, ids::kChangeCommParams);
  ASSERT_EQ(console.infoTexts(), std::vector<std::string>{"通讯参数设置成功！"});
  EXPECT_EQ(console.pane,
            "十六进制显示发送数据：\r\n01 06 00 03 16 09 B7 AC \r\n\r\n十六进制显示接收数据：\r\n"
            "01 06 00 03 16 09 B7 AC ");
  EXPECT_EQ(bus->moduleConfig(0).station, 9);
  EXPECT_EQ(bus->moduleConfig(0).baudRate, 38400);
  EXPECT_EQ(bus->moduleConfig(0).lineFormat, 1);

  console.boxes.clear();
  console.press(ops, ids::kRead4SXY);
  ASSERT_EQ(console.infoTexts(),
            std::vector<std::string>{"通讯错误或设备型号不兼容！\r\n无应答（等待 1025 ms）；站号 1，9600 N,8,1"});

  RunScan();
  EXPECT_EQ(console.pane, "正在尝试复位模块站号/波特率，请耐心等待...\r\n\r\n" + AttemptLines(32) +
                              "\r\n正在尝试确认重置结果，请稍后...\r\n"
                              "\r\n十六进制显示接收数据：\r\n01 06 00 03 00 01 B8 0A ");
  ASSERT_EQ(console.boxes.size(), 2u);
  EXPECT_EQ(console.boxes[0].text, kWarning);
  EXPECT_EQ(console.boxes[1].kind, "提示");
  EXPECT_EQ(console.boxes[1].text, "重置成功！站号：01，波特率：9600，N，8，1");
  EXPECT_EQ(bus->receivedFrames().size(), 65u);
  const SimModuleConfig config = bus->moduleConfig(0);
  EXPECT_EQ(config.station, 1);
  EXPECT_EQ(config.baudRate, 9600);
  EXPECT_EQ(config.lineFormat, 0);
  ExpectOpenAt9600N81();

  console.boxes.clear();
  console.press(ops, ids::kRead4SXY);
  EXPECT_TRUE(console.boxes.empty()) << console.boxes[0].text;
  EXPECT_NE(console.pane.find("程序版本："), std::string::npos) << console.pane;
}

TEST_F(CommResetOnBus, ProtectedModuleIsUnlockedThenACorruptReplyIsADataError) {
  // Protected, at a setting the scan reaches only in its middle.
  AddModule({.station = 17, .model = SimOf("4SXY"), .baudRate = 2400, .lineFormat = 3, .writesAllowed = false});
  OpenBus();
  console.onPause = [this](int ms) {
    if (IsBroadcastPause(ms)) WaitForFrames(++framesSent);
    if (ms == 2500) bus->injectFault(SimFault::kBadCrc);  // the confirmation's reply
  };
  RunScan();
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"数据错误！\r\n校验错误；站号 1，9600 N,8,1"});
  const SimModuleConfig config = bus->moduleConfig(0);
  EXPECT_EQ(config.station, 1);
  EXPECT_EQ(config.baudRate, 9600);
  EXPECT_EQ(config.lineFormat, 0);
  ExpectOpenAt9600N81();
  EXPECT_EQ(console.pane.find("十六进制显示接收数据"), std::string::npos);
}

TEST_F(CommResetOnBus, SilentLineIsACommunicationError) {
  OpenBus();  // no module at all
  RunScan();
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"通讯错误！\r\n无应答（等待 640 ms）；站号 1，9600 N,8,1"});
  EXPECT_EQ(bus->receivedFrames().size(), 65u);
  ExpectOpenAt9600N81();
  ASSERT_FALSE(console.progressSteps.empty());
  EXPECT_EQ(console.progressSteps.back(), std::make_pair(33, 33));
}

TEST_F(CommResetOnBus, CancelSendsNothing) {
  AddModule({.station = 1, .model = SimOf("4SXY")});
  OpenBus();
  console.warningAnswers = {false};
  RunScan();
  EXPECT_TRUE(bus->receivedFrames().empty());
  EXPECT_EQ(console.pane, "");
  EXPECT_EQ(console.boxes.size(), 1u);
  EXPECT_EQ(ops.link().isOpen, 1);
}

TEST_F(CommResetOnBus, VanishedDeviceEndsTheScanWithThePortClosed) {
  OpenBus();
  const std::string device = bus->devicePath();
  // The device disappears after the fifth attempt's second write.
  int pauses = 0;
  console.onPause = [&](int ms) {
    if (!bus) return;
    if (IsBroadcastPause(ms)) WaitForFrames(++framesSent);
    if (++pauses == 10) bus.reset();
  };
  RunScan();
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{device + "打开失败！\r\n设备不存在。"});
  EXPECT_EQ(ops.link().isOpen, 0);
  EXPECT_FALSE(ops.port().isOpen());
  EXPECT_EQ(console.captions[ids::kOpenPort], "打开串口");
  // Everything shows the attempt at which the open failed: 2400 "E,8,1".
  EXPECT_EQ(ops.link().baudRate, 2400);
  EXPECT_EQ(ops.link().lineFormat, 1);
  EXPECT_EQ(console.combos[ids::kBaudRate], 1);
  EXPECT_EQ(console.combos[ids::kLineFormat], 1);
  EXPECT_TRUE(console.pane.ends_with(AttemptLines(6))) << console.pane;
  EXPECT_EQ(console.progressSteps.size(), 5u);
}

}  // namespace
