// The write-protection buttons: one procedure, two texts and two words.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/scripted_port.h"
#include "console/control_ids.h"
#include "console/operations.h"
#include "console/text.h"
#include "support/fake_console.h"

namespace {

using Bytes = std::vector<uint8_t>;

const char* const kZeroWarning = "警告:当前站号为0，继续操作将修改所有从站数据！";
const char* const kAllowText = "警告:该操作将允许模块寄存器的写功能";
const char* const kForbidText = "警告:该操作将禁用模块寄存器的写功能";

std::string Hex(const Bytes& bytes) {
  std::string s;
  for (uint8_t b : bytes) appendf(s, "%02X ", b);
  return s;
}

class WriteProtection : public ::testing::Test {
 protected:
  FakeConsole console;
  ScriptedPort* port = new ScriptedPort;  // owned by ops
  Operations ops{console, std::unique_ptr<SerialPort>(port)};

  void SetUp() override {
    ops.InitLinkDefaults();
    console.portAnswer = "/dev/ttyScripted";
    ops.OnBnClickedOpenPort();
    ASSERT_EQ(ops.link().isOpen, 1);
  }

  void Reset(const char* station, std::vector<bool> answers) {
    console.boxes.clear();
    console.pane.clear();
    port->written.clear();
    console.fields[ids::kStation] = station;
    console.warningAnswers.assign(answers.begin(), answers.end());
  }

  std::vector<std::string> Boxes() const {
    std::vector<std::string> out;
    for (const auto& b : console.boxes) out.push_back(b.kind + ":" + b.text);
    return out;
  }
};

const struct Button {
  const char* name;
  void (Operations::*handler)();
  const char* confirmation;
  Bytes toStation1;
  Bytes broadcast;
} kButtons[] = {
    {"allow", &Operations::OnBnClickedAllowWrite, kAllowText,
     {0x01, 0x06, 0x00, 0x03, 0x80, 0x00, 0x18, 0x0A},
     {0x00, 0x06, 0x00, 0x03, 0x80, 0x00, 0x19, 0xDB}},
    {"forbid", &Operations::OnBnClickedForbidWrite, kForbidText,
     {0x01, 0x06, 0x00, 0x03, 0xC0, 0x00, 0x29, 0xCA},
     {0x00, 0x06, 0x00, 0x03, 0xC0, 0x00, 0x28, 0x1B}},
};

// The reply dump is the only sign of success: no box after it, no trailer.
TEST_F(WriteProtection, SendsTheCommandAndShowsBothDumps) {
  for (const Button& b : kButtons) {
    SCOPED_TRACE(b.name);
    Reset("1", {});
    port->replies.push_back(b.toStation1);
    (ops.*b.handler)();
    ASSERT_EQ(port->written.size(), 1u);
    EXPECT_EQ(port->written[0], b.toStation1);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{b.confirmation}));
    EXPECT_EQ(console.pane, "十六进制显示发送数据：\r\n" + Hex(b.toStation1) +
                                "\r\n\r\n十六进制显示接收数据：\r\n" + Hex(b.toStation1));
  }
}

// A broadcast asks twice and still waits for a reply that no module sends.
TEST_F(WriteProtection, BroadcastAsksTwiceThenTimesOut) {
  for (const Button& b : kButtons) {
    SCOPED_TRACE(b.name);
    Reset("0", {});
    (ops.*b.handler)();
    ASSERT_EQ(port->written.size(), 1u);
    EXPECT_EQ(port->written[0], b.broadcast);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{kZeroWarning, b.confirmation,
                                                 "提示:通讯错误或设备型号不兼容！"}));
    EXPECT_EQ(console.pane, "十六进制显示发送数据：\r\n" + Hex(b.broadcast));
  }
}

// An empty or non-numeric station reads as 0 and so meets the broadcast warning.
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
      {"", {false}, {kZeroWarning}},
      {"0", {true, false}, {kZeroWarning, confirm}},
      {"1", {false}, {confirm}},
  };
  for (const Button& b : kButtons) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(b.name) + " '" + c.station + "'");
      Reset(c.station, c.answers);
      (ops.*b.handler)();
      std::vector<std::string> expected = c.boxes;
      for (auto& text : expected)
        if (text == confirm) text = b.confirmation;
      EXPECT_EQ(Boxes(), expected);
      EXPECT_TRUE(port->written.empty());
      EXPECT_EQ(console.pane, "");
    }
  }
}

}  // namespace
