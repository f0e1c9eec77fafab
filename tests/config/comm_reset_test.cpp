#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "config/scripted_port.h"
#include "console/control_ids.h"
#include "console/operations.h"
#include "link/link.h"
#include "support/fake_console.h"

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kEnable{0x00, 0x06, 0x00, 0x03, 0x80, 0x00, 0x19, 0xDB};
const Bytes kReset{0x00, 0x06, 0x00, 0x03, 0x00, 0x01, 0xB9, 0xDB};
const Bytes kConfirm{0x01, 0x06, 0x00, 0x03, 0x00, 0x01, 0xB8, 0x0A};
const char* const kWarning = "继续操作将修改所有从站数据，并重置波特率/站号！";

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
class CommResetScripted : public ::testing::Test {
 protected:
  ScanConsole console;
  ScriptedPort* port = new ScriptedPort;  // owned by ops
  Operations ops{console, std::unique_ptr<SerialPort>(port)};

  void SetUp() override {
    ops.InitLinkDefaults();
    console.combos = {{ids::kBaudRate, 5}, {ids::kLineFormat, 1}};
    ops.OnCbnSelchangeBaudRate();
    ops.OnCbnSelchangeLineFormat();
    console.portAnswer = "/dev/ttyScripted";
    ops.OnBnClickedOpenPort();
    ASSERT_EQ(ops.link().isOpen, 1);
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
  ops.OnBnClickedCommReset();

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
  EXPECT_EQ(console.pausedMs, 32 * 400 + 2500);
  ASSERT_EQ(console.progressSteps.size(), 33u);
  for (int k = 0; k < 33; ++k) EXPECT_EQ(console.progressSteps[k], std::make_pair(k + 1, 33));

  ASSERT_EQ(console.boxes.size(), 2u);
  EXPECT_EQ(console.boxes[0].kind, "警告");
  EXPECT_EQ(console.boxes[0].text, kWarning);
  EXPECT_EQ(console.boxes[1].kind, "提示");
  EXPECT_EQ(console.boxes[1].text, "重置成功！站号：01，波特率：9600，N，8，1");
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
      {"silence", {}, "通讯错误！"},
      {"one byte short", {Bytes(kConfirm.begin(), kConfirm.end() - 1)}, "通讯错误！"},
      {"bad crc", {badCrc}, "数据错误！"},
      // Only length and CRC count, as for every reply.
      {"foreign echo", {otherStation}, "重置成功！站号：01，波特率：9600，N，8，1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    console.boxes.clear();
    port->replies.assign(c.replies.begin(), c.replies.end());
    ops.OnBnClickedCommReset();
    ASSERT_EQ(console.infoTexts(), std::vector<std::string>{c.message});
    ExpectOpenAt(3, 0);
    if (std::string(c.message).rfind("重置成功", 0) != 0) {
      EXPECT_EQ(console.pane.find("十六进制显示接收数据"), std::string::npos);
      EXPECT_TRUE(console.pane.ends_with("\r\n正在尝试确认重置结果，请稍后...\r\n")) << console.pane;
    }
  }
  port->failReads = true;
  console.boxes.clear();
  ops.OnBnClickedCommReset();
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
    ops.OnBnClickedCommReset();
    EXPECT_EQ(port->written.size(), static_cast<size_t>(c.writeNumber));
    EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"写串口失败!"});
    ExpectOpenAt(c.baudIndex, c.formatIndex);
  }
}

TEST_F(CommResetScripted, ReopenFailureAtTheConfirmationLeavesThePortClosed) {
  port->failOpenNumber = port->opens + 33;
  ops.OnBnClickedCommReset();
  EXPECT_EQ(port->written.size(), 64u);
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"/dev/ttyScripted打开失败！"});
  EXPECT_EQ(ops.link().isOpen, 0);
  EXPECT_FALSE(port->isOpen());
  EXPECT_EQ(console.captions[ids::kOpenPort], "打开串口");
  EXPECT_EQ(ops.link().baudRate, 9600);
  EXPECT_EQ(console.combos[ids::kBaudRate], 3);
}

TEST_F(CommResetScripted, ClosedPortOrCancelSendsNothing) {
  console.warningAnswers = {false};
  ops.OnBnClickedCommReset();
  EXPECT_TRUE(port->written.empty());
  EXPECT_EQ(console.pane, "");
  ASSERT_EQ(console.boxes.size(), 1u);
  EXPECT_EQ(console.boxes[0].text, kWarning);
  EXPECT_EQ(port->opens, 1);
  EXPECT_EQ(ops.link().baudRate, 38400);  // the user's own settings stay
  EXPECT_EQ(ops.link().lineFormat, 1);

  ops.OnBnClickedOpenPort();  // closes
  console.boxes.clear();
  ops.OnBnClickedCommReset();
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"串口未打开!"});
  EXPECT_TRUE(port->written.empty());
  EXPECT_EQ(console.pane, "");
}

}  // namespace
