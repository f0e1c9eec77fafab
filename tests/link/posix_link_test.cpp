#include <gtest/gtest.h>

#include <sys/stat.h>

#include <memory>

#include "console/control_ids.h"
#include "operations/operations.h"
#include "link/link.h"
#include "link/posix_serial_port.h"
#include "link/pty_pair.h"
#include "support/fake_console.h"

namespace {

TEST(ParsePortEntry, NumbersAndPaths) {
  const struct {
    const char* text;
    bool accepted;
    const char* device;
  } cases[] = {
      {"1", true, "/dev/ttyS0"},   {"9", true, "/dev/ttyS8"},     {"10", true, "/dev/ttyS9"},
      {"255", true, "/dev/ttyS254"}, {" 3x", true, "/dev/ttyS2"}, {"0", false, ""},
      {"256", false, ""},          {"", false, ""},               {"COM3", false, ""},
      {"-1", false, ""},           {"/dev/ttyUSB0", true, "/dev/ttyUSB0"},
  };
  for (const auto& c : cases) {
    const auto entry = ParsePortEntry(c.text);
    ASSERT_EQ(entry.has_value(), c.accepted) << c.text;
    if (entry) {
      EXPECT_EQ(entry->device, c.device) << c.text;
    }
  }
}

TEST(TimeoutsFor, FollowsTheBaudRateTable) {
  const int expected[8][2] = {{4100, 12}, {2100, 8}, {1100, 6}, {600, 5},
                              {350, 4},   {225, 4},  {183, 4},  {141, 4}};
  for (int i = 0; i < 8; ++i) {
    const PortTimeouts t = TimeoutsFor(kBaudRates[i]);
    EXPECT_EQ(t.readInterval, expected[i][0]);
    EXPECT_EQ(t.readConstant, expected[i][0]);
    EXPECT_EQ(t.writeConstant, expected[i][0]);
    EXPECT_EQ(t.readMultiplier, expected[i][1]);
    EXPECT_EQ(t.writeMultiplier, expected[i][1]);
  }
}

struct OpenCase {
  int baudRate;
  int lineFormat;
  speed_t speed;
  bool twoStopBits;
};

TEST(OpenPort, AppliesRateAndStopBitsEvenWhenThePtyRefusesParity) {
  const OpenCase cases[] = {{19200, 3, B19200, true}, {2400, 1, B2400, false},
                            {115200, 2, B115200, false}, {9600, 0, B9600, false}};
  for (const auto& c : cases) {
    PtyPair pty;
    FakeConsole console;
    PosixSerialPort port;
    LinkState link;
    link.portName = pty.slave();
    link.baudRate = c.baudRate;
    link.lineFormat = c.lineFormat;
    ASSERT_EQ(OpenPort(link, port, console), 0);
    EXPECT_EQ(link.isOpen, 1);
    EXPECT_EQ(link.portHandle, &port);
    EXPECT_EQ(console.captions[ids::kOpenPort], "关闭串口");
    const termios seen = pty.lineSeenByMaster();
    EXPECT_EQ(cfgetospeed(&seen), c.speed) << c.baudRate;
    EXPECT_EQ((seen.c_cflag & CSTOPB) != 0, c.twoStopBits) << c.baudRate;
    EXPECT_TRUE(console.boxes.empty());
  }
}

// The box keeps its first line and says why on the second.
std::vector<FakeConsole::Box> BoxesOfOpening(const std::string& device) {
  FakeConsole console;
  PosixSerialPort port;
  LinkState link;
  link.portName = device;
  link.baudRate = 9600;
  if (OpenPort(link, port, console) != -1 || link.isOpen != 0 || port.isOpen() ||
      console.captions.count(ids::kOpenPort) != 0) {
    return {};  // opened, or changed the caption: neither is allowed
  }
  return console.boxes;
}

constexpr const char* kNoPermission =
    "没有权限：请把当前用户加入 dialout 组（sudo usermod -aG dialout $USER），重新登录后再试。";

TEST(OpenPort, FailureBoxSaysWhyTheDeviceCannotBeOpened) {
  PtyPair pty;
  PosixSerialPort first;
  ASSERT_EQ(first.open(pty.slave()), OpenError::kNone);
  const struct {
    std::string device;
    std::string reason;
  } cases[] = {
      {pty.slave(), "串口已被其他程序占用。"},
      {"/dev/no-such-serial-port", "设备不存在。"},
      {"/dev/no-such-dir/ttyUSB0", "设备不存在。"},
  };
  for (const auto& c : cases) {
    const auto boxes = BoxesOfOpening(c.device);
    ASSERT_EQ(boxes.size(), 1u) << c.device;
    EXPECT_EQ(boxes[0].kind, "提示");
    EXPECT_EQ(boxes[0].text, c.device + "打开失败！\r\n" + c.reason);
  }
}

TEST(OpenPort, PermissionDeniedNamesTheDialoutGroup) {
  PtyPair pty;
  ASSERT_EQ(::chmod(pty.slave().c_str(), 0), 0);
  const std::string device = pty.slave();
  const int status = RunUnprivileged([&] {
    const auto boxes = BoxesOfOpening(device);
    return boxes.size() == 1 && boxes[0].text == device + "打开失败！\r\n" + kNoPermission;
  });
  EXPECT_EQ(status, kBodyPassed);
}

// Exclusive mode is a flag of the tty: it must not outlive our close, or a user
// who is not root can never open the device again while its far side stays open.
TEST(PosixSerialPort, UnprivilegedUserCanReopenAndIsStillRefusedWhileHeld) {
  PtyPair pty;
  ASSERT_EQ(::chmod(pty.slave().c_str(), 0666), 0);
  const std::string device = pty.slave();
  const int status = RunUnprivileged([&] {
    PosixSerialPort port, other;
    if (port.open(device) != OpenError::kNone) return false;
    if (other.open(device) != OpenError::kBusy) return false;
    port.close();
    if (other.open(device) != OpenError::kNone) return false;
    other.close();
    return port.open(device) == OpenError::kNone;
  });
  EXPECT_EQ(status, kBodyPassed);
}

TEST(PosixSerialPort, VanishedDeviceFailsTheReadInsteadOfTimingOut) {
  PtyPair pty;
  PosixSerialPort port;
  ASSERT_EQ(port.open(pty.slave()), OpenError::kNone);
  port.setTimeouts(TimeoutsFor(1200));
  port.setLine(9600, Parity::kNone, 1);
  pty.closeMaster();
  uint8_t buffer[8];
  const IoResult read = port.read(buffer, sizeof buffer);
  EXPECT_FALSE(read.ok);
  const IoResult written = port.write(buffer, sizeof buffer);
  EXPECT_FALSE(written.ok);
}

class OpenCloseTest : public ::testing::Test {
 protected:
  PtyPair pty;
  FakeConsole console;
  Operations ops{console, std::make_unique<PosixSerialPort>()};
  void SetUp() override { ops.InitLinkDefaults(); }
};

TEST_F(OpenCloseTest, OpenThenCloseShowsTheirPaneTexts) {
  console.portAnswer = pty.slave();
  ops.OnBnClickedOpenPort();
  EXPECT_EQ(console.pane, "串口打开成功！");
  EXPECT_EQ(ops.link().isOpen, 1);
  ops.OnBnClickedOpenPort();
  EXPECT_EQ(console.pane, "串口已关闭！");
  EXPECT_EQ(ops.link().isOpen, 0);
  EXPECT_EQ(console.captions[ids::kOpenPort], "打开串口");
}

TEST_F(OpenCloseTest, CancelledDialogLeavesThePaneEmpty) {
  console.pane = "old";
  console.portAnswer.reset();
  ops.OnBnClickedOpenPort();
  EXPECT_EQ(console.pane, "");
  EXPECT_EQ(ops.link().isOpen, 0);
}

TEST_F(OpenCloseTest, NewBaudRateWaitsForTheNextOpen) {
  console.portAnswer = pty.slave();
  ops.OnBnClickedOpenPort();
  console.combos[ids::kBaudRate] = 4;  // "19200"
  console.press(ops, ids::kBaudRate);
  EXPECT_EQ(ops.link().baudRate, 19200);
  termios seen = pty.lineSeenByMaster();
  EXPECT_EQ(cfgetospeed(&seen), static_cast<speed_t>(B9600));
  ops.OnBnClickedOpenPort();
  ops.OnBnClickedOpenPort();
  seen = pty.lineSeenByMaster();
  EXPECT_EQ(cfgetospeed(&seen), static_cast<speed_t>(B19200));
}

}  // namespace
