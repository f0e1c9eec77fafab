// The write-protection buttons: one procedure, two texts and two words.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <memory>
#include <string>
#include <vector>

#include "console/control_ids.h"
#include "operations/operations.h"
#include "console/text.h"
#include "support/bus_fixture.h"
#include "support/scripted_fixture.h"
#include "support/models.h"

namespace {

using Bytes = std::vector<uint8_t>;

const char* const kZeroWarning = "警告:当前站号为0，继续操作将修改所有从站数据！";
const char* const kAllowText = "警告:该操作将允许模块寄存器的写功能";
const char* const kForbidText = "警告:该操作将禁用模块寄存器的写功能";

class WriteProtection : public ScriptedFixture {
 protected:
  void SetUp() override {
    ScriptedFixture::SetUp();
    OpenScriptedPort();
  }

  void Reset(const char* station, std::vector<bool> answers) {
    console.boxes.clear();
    console.pane.clear();
    port->written.clear();
    console.fields[ids::kStation] = station;
    console.warningAnswers.assign(answers.begin(), answers.end());
  }
};

const struct Button {
  const char* name;
  int button;
  const char* confirmation;
  Bytes toStation1;
  Bytes broadcast;
} kButtons[] = {
    {"allow", ids::kAllowWrite, kAllowText,
     {0x01, 0x06, 0x00, 0x03, 0x80, 0x00, 0x18, 0x0A},
     {0x00, 0x06, 0x00, 0x03, 0x80, 0x00, 0x19, 0xDB}},
    {"forbid", ids::kForbidWrite, kForbidText,
     {0x01, 0x06, 0x00, 0x03, 0xC0, 0x00, 0x29, 0xCA},
     {0x00, 0x06, 0x00, 0x03, 0xC0, 0x00, 0x28, 0x1B}},
};

// The reply dump is the only sign of success: no box after it, no trailer.
TEST_F(WriteProtection, SendsTheCommandAndShowsBothDumps) {
  for (const Button& b : kButtons) {
    SCOPED_TRACE(b.name);
    Reset("1", {});
    port->replies.push_back(b.toStation1);
    console.press(ops, b.button);
    ASSERT_EQ(port->written.size(), 1u);
    EXPECT_EQ(port->written[0], b.toStation1);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{b.confirmation}));
    EXPECT_EQ(console.pane, RequestSection(b.toStation1) +
                                kReceivedHeading + Hex(b.toStation1));
  }
}

// A broadcast asks twice, both times with Cancel as the default, and awaits no
// reply: no module answers one.
TEST_F(WriteProtection, BroadcastAsksTwiceAndAwaitsNoReply) {
  for (const Button& b : kButtons) {
    SCOPED_TRACE(b.name);
    Reset("0", {});
    console.cautiousWarnings.clear();
    console.press(ops, b.button);
    ASSERT_EQ(port->written.size(), 1u);
    EXPECT_EQ(port->written[0], b.broadcast);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{kZeroWarning, b.confirmation,
                                                 "提示:已广播，广播命令无应答。"}));
    EXPECT_EQ(console.cautiousWarnings.size(), 2u);
    EXPECT_EQ(port->reads, 0);
    EXPECT_EQ(console.pane, RequestSection(b.broadcast));
  }
}

// A non-numeric station reads as 0 and so meets the broadcast warning; an empty
// one is refused as not typed.
TEST_F(WriteProtection, RefusalsAndCancelSendNothing) {
  const std::string confirm = "C";  // stands for the button's confirmation
  const struct {
    const char* station;
    std::vector<bool> answers;
    std::vector<std::string> boxes;
  } cases[] = {
      {"256", {}, {"提示:非法的站号！"}},  // refused before any box
      {"-1", {}, {"提示:非法的站号！"}},
      {"0", {false}, {kZeroWarning}},
      {"x", {false}, {kZeroWarning}},
      {"", {}, {"提示:非法的站号！\r\n模块站号未填写。"}},
      {"0", {true, false}, {kZeroWarning, confirm}},
      {"1", {false}, {confirm}},
  };
  for (const Button& b : kButtons) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(b.name) + " '" + c.station + "'");
      Reset(c.station, c.answers);
      console.press(ops, b.button);
      std::vector<std::string> expected = c.boxes;
      for (auto& text : expected)
        if (text == confirm) text = b.confirmation;
      EXPECT_EQ(Boxes(), expected);
      EXPECT_TRUE(port->written.empty());
      EXPECT_EQ(console.pane, "");
    }
  }
}

// ------------------------------------------------- on the simulated bus

const char* const kRefusedHead = "通讯错误或设备型号不兼容！\r\n异常响应：功能码 0x";

class WriteProtectionOnBus : public BusFixture {
 protected:
  void Write(const char* address, const char* value) {
    console.fields[ids::kWriteAddress] = address;
    console.fields[ids::kWriteValue] = value;
    console.press(ops, ids::kWriteRegister);
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> out;
    for (const auto& b : console.boxes) out.push_back(b.text);
    console.boxes.clear();
    return out;
  }
};

// The whole round: a protected module refuses a write with an exception
// reply, takes it once allowed, shows it on reading, and refuses again.
TEST_F(WriteProtectionOnBus, ForbidAllowWriteReadForbid) {
  AddModule({.station = 1, .model = SimOf("4SXY")});
  OpenBus();

  console.press(ops, ids::kForbidWrite);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"该操作将禁用模块寄存器的写功能"}));
  EXPECT_FALSE(bus->moduleConfig(0).writesAllowed);

  Write("10", "1234");
  std::vector<std::string> texts = Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].rfind(std::string(kRefusedHead) + "86，", 0), 0u) << texts[0];
  EXPECT_EQ(console.pane.rfind(RequestSection(ops.txFrame().bytes, 8) + kReceivedHeading + "01 86 ", 0), 0u)
      << console.pane;
  EXPECT_NE(bus->registerValue(1, 10), 1234);

  console.press(ops, ids::kAllowWrite);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"该操作将允许模块寄存器的写功能"}));
  EXPECT_EQ(console.pane,
            "十六进制显示发送数据：\r\n01 06 00 03 80 00 18 0A "
            "\r\n\r\n十六进制显示接收数据：\r\n01 06 00 03 80 00 18 0A ");
  EXPECT_TRUE(bus->moduleConfig(0).writesAllowed);

  Write("10", "1234");
  EXPECT_TRUE(Texts().empty());
  console.fields[ids::kWriteStart] = "11";
  console.fields[ids::kWriteCount] = "2";
  console.fields[ids::kWriteValues[0]] = "65535";
  console.fields[ids::kWriteValues[1]] = "0";
  console.press(ops, ids::kWriteRegisters);
  EXPECT_TRUE(Texts().empty());
  EXPECT_EQ(bus->registerValue(1, 10), 1234);
  EXPECT_EQ(bus->registerValue(1, 11), 65535);
  EXPECT_EQ(bus->registerValue(1, 12), 0);

  console.fields[ids::kReadStart] = "10";
  console.fields[ids::kReadCount] = "3";
  console.press(ops, ids::kReadRegisters);
  EXPECT_TRUE(Texts().empty());
  EXPECT_NE(console.pane.find("{[模块站号] 01} {[功能码] 03} {[字节长度] 06}\r\n\r\n"
                              "{[数据内容]\r\n04 D2 FF FF 00 00 \r\n}\r\n\r\n{[校验位] "),
            std::string::npos)
      << console.pane;

  console.press(ops, ids::kForbidWrite);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"该操作将禁用模块寄存器的写功能"}));
  EXPECT_FALSE(bus->moduleConfig(0).writesAllowed);
  console.press(ops, ids::kWriteRegisters);
  texts = Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].rfind(std::string(kRefusedHead) + "90，", 0), 0u) << texts[0];
  EXPECT_EQ(bus->registerValue(1, 11), 65535);
}

// No module answers a broadcast: the command goes out to all, and the handler
// says it was broadcast.
TEST_F(WriteProtectionOnBus, BroadcastAllowReachesEveryModule) {
  AddModule({.station = 1, .model = SimOf("4SXY")});
  AddModule({.station = 7, .model = SimOf("4SXY")});
  OpenBus();
  console.fields[ids::kStation] = "0";
  console.press(ops, ids::kAllowWrite);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"当前站号为0，继续操作将修改所有从站数据！",
                                               "该操作将允许模块寄存器的写功能",
                                               "已广播，广播命令无应答。"}));
  const uint8_t broadcast[] = {0x00, 0x06, 0x00, 0x03, 0x80, 0x00, 0x19, 0xDB};
  EXPECT_EQ(console.pane, RequestSection(broadcast, 8));
  // The test's console does not wait out the broadcast; the modules take it in their time.
  for (int i = 0; i < 500 && bus->receivedFrames().empty(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(bus->receivedFrames(),
            (std::vector<std::vector<uint8_t>>{{std::begin(broadcast), std::end(broadcast)}}));
  EXPECT_TRUE(bus->moduleConfig(0).writesAllowed);
  EXPECT_TRUE(bus->moduleConfig(1).writesAllowed);

  console.fields[ids::kStation] = "7";
  Write("20", "42");
  EXPECT_TRUE(Texts().empty());
  EXPECT_EQ(bus->registerValue(7, 20), 42);
}

// Cancel in any warning: the far end never sees a frame.
TEST_F(WriteProtectionOnBus, CancelSendsNothing) {
  AddModule({.station = 1, .model = SimOf("4SXY"), .writesAllowed = true});
  OpenBus();
  const struct {
    const char* station;
    std::vector<bool> answers;
    int button;
  } cases[] = {
      {"0", {false}, ids::kForbidWrite},
      {"0", {true, false}, ids::kAllowWrite},
      {"1", {false}, ids::kForbidWrite},
      {"0", {false}, ids::kWriteRegister},
      {"0", {true, false}, ids::kWriteRegister},
      {"1", {false}, ids::kWriteRegister},
  };
  console.fields[ids::kWriteAddress] = "3";
  console.fields[ids::kWriteValue] = "49152";
  for (const auto& c : cases) {
    console.fields[ids::kStation] = c.station;
    console.warningAnswers.assign(c.answers.begin(), c.answers.end());
    console.boxes.clear();
    console.press(ops, c.button);
    EXPECT_EQ(console.boxes.size(), c.answers.size());
    EXPECT_EQ(console.pane, "");
  }
  EXPECT_TRUE(bus->receivedFrames().empty());
  EXPECT_TRUE(bus->moduleConfig(0).writesAllowed);
}

// Register 3 through the single-register tool: the module takes its new
// parameters, and the success box follows.
TEST_F(WriteProtectionOnBus, ParameterWordThroughTheRegisterTool) {
  AddModule({.station = 1, .model = SimOf("4SXY"), .writesAllowed = true});
  OpenBus();
  Write("3", "4357");  // 0x1105: station 5, 1200 baud, E,8,1
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{
                "该操作将修改通讯波特率/校验位/模块站号，设置成功后参数持久化保存，请确认当前设置参数："
                "\r\n波特率号：1=1200BPS。\r\n校验值号：1=E,8,1。\r\n模块站号：5。",
                "通讯参数设置成功！"}));
  const SimModuleConfig config = bus->moduleConfig(0);
  EXPECT_EQ(config.station, 5);
  EXPECT_EQ(config.baudRate, 1200);
  EXPECT_EQ(config.lineFormat, 1);
}

}  // namespace
