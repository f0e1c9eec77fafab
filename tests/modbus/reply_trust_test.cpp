// What the console believes and says it wrote: replies that do not answer
// their request, broadcasts, the configuration word by any route, and fields
// left empty. Against a scripted port, so each reply can be exactly wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/control_ids.h"
#include "modbus/frames.h"
#include "support/hex.h"
#include "support/reply.h"
#include "support/scripted_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

const char* const kNoReply = "通讯错误或设备型号不兼容！";
const char* const kWhere = "；站号 1，9600 N,8,1";

Bytes WithCrc(Bytes frame) {
  frame.resize(frame.size() + 2);
  PlaceCrc(frame.data(), static_cast<uint32_t>(frame.size() - 2));
  return frame;
}

class ReplyTrust : public ScriptedFixture {
 protected:
  void SetUp() override {
    ScriptedFixture::SetUp();
    console.fields[ids::kStation] = "1";
    console.fields[ids::kNewStation] = "5";
    console.fields[ids::kReadStart] = "0";
    console.fields[ids::kReadCount] = "2";
    console.fields[ids::kWriteAddress] = "100";
    console.fields[ids::kWriteValue] = "42";
    console.fields[ids::kWriteStart] = "10";
    console.fields[ids::kWriteCount] = "2";
    console.fields[ids::kWriteValues[0]] = "1";
    console.fields[ids::kWriteValues[1]] = "2";
    OpenScriptedPort();
    console.boxes.clear();
  }
};

TEST_F(ReplyTrust, AReplyThatAnswersAnotherRequestIsAMismatchShownWithItsBytes) {
  const struct {
    const char* name;
    int button;
    Bytes reply;
    const char* line;
  } cases[] = {
      {"read from station 2", ids::kReadRegisters, ReplyOf({10, 20}, 2), "应答来自站号 2，请求的是站号 1"},
      {"read answered by 04", ids::kReadRegisters, WithCrc({1, 4, 4, 0, 10, 0, 20}), "应答功能码 04，请求的是 03"},
      {"read with a short byte count", ids::kReadRegisters, WithCrc({1, 3, 2, 0, 10, 0, 20}), "应答字节长度 2，请求的是 4"},
      {"write confirming 43", ids::kWriteRegister, WithCrc({1, 6, 0, 100, 0, 43}), "写入确认的数值 43 与写入的 42 不符"},
      {"block write echoing another start", ids::kWriteRegisters, WithCrc({1, 0x10, 0, 11, 0, 2}),
       "写入确认的起始地址 11 与写入的 10 不符"},
      {"exception from another station", ids::kReadRegisters, WithCrc({9, 0x83, 2}), "应答来自站号 9，请求的是站号 1"},
  };
  for (const auto& c : cases) {
    console.boxes.clear();
    port->replies.push_back(c.reply);
    console.press(ops, c.button);
    EXPECT_EQ(console.infoTexts(), std::vector<std::string>{std::string(kNoReply) + "\r\n" + c.line + kWhere})
        << c.name;
    // The bytes that came stand under the request, so the engineer sees them.
    EXPECT_NE(console.pane.find("十六进制显示接收数据："), std::string::npos) << c.name;
    EXPECT_NE(console.pane.find(Hex(c.reply, 24)), std::string::npos) << c.name;
  }
}

TEST_F(ReplyTrust, FailureBoxesKeepTheirFirstLineAndSayWhatCame) {
  Bytes corrupted = ReplyOf({10, 20});
  corrupted.back() ^= 0xFF;
  const struct {
    const char* name;
    int button;
    std::vector<Bytes> replies;
    std::string box;
  } cases[] = {
      {"silence", ids::kReadRegisters, {}, std::string(kNoReply) + "\r\n无应答（等待 645 ms）" + kWhere},
      {"short", ids::kReadRegisters, {{1, 3, 4, 0}}, std::string(kNoReply) + "\r\n收到 4 / 9 字节" + kWhere},
      {"bad CRC", ids::kReadRegisters, {corrupted}, std::string("数据错误\r\n校验错误") + kWhere},
      {"exception to a read", ids::kReadRegisters, {WithCrc({1, 0x83, 2})},
       std::string(kNoReply) + "\r\n异常响应：功能码 0x83，异常码 0x02（非法数据地址）" + kWhere},
      {"exception 01 to a write", ids::kWriteRegister, {WithCrc({1, 0x86, 1})},
       std::string(kNoReply) + "\r\n异常响应：功能码 0x86，异常码 0x01（非法功能）" + kWhere +
           "\r\n写保护可能已开启：先按“允许写操作”"},
  };
  for (const auto& c : cases) {
    console.boxes.clear();
    for (const Bytes& r : c.replies) port->replies.push_back(r);
    console.press(ops, c.button);
    EXPECT_EQ(console.infoTexts(), std::vector<std::string>{c.box}) << c.name;
  }
  // A CRC failure no longer hides what came.
  port->replies.push_back(corrupted);
  console.press(ops, ids::kReadRegisters);
  EXPECT_NE(console.pane.find(Hex(corrupted)), std::string::npos);
}

TEST_F(ReplyTrust, ABroadcastAwaitsNoReplyAndSaysSo) {
  console.fields[ids::kStation] = "0";
  for (int button : {ids::kWriteRegister, ids::kAllowWrite, ids::kForbidWrite, ids::kChangeCommParams}) {
    console.boxes.clear();
    console.pausedMs = 0;
    port->written.clear();
    const int readsBefore = port->reads;
    console.press(ops, button);
    ASSERT_EQ(port->written.size(), 1u) << button;
    EXPECT_EQ(port->written[0][0], 0) << button;
    EXPECT_EQ(port->reads, readsBefore) << button;
    // 8 bytes at 9600 N,8,1 take 9 ms on the wire; the modules 200 ms more.
    EXPECT_EQ(console.pausedMs, 209) << button;
    ASSERT_FALSE(console.boxes.empty());
    EXPECT_EQ(console.boxes.back().kind + console.boxes.back().text, "提示已广播，广播命令无应答。") << button;
    EXPECT_EQ(console.pane, RequestSection(port->written[0])) << button;
  }
}

TEST_F(ReplyTrust, BusWideAndProtectionWarningsDefaultToCancel) {
  console.fields[ids::kStation] = "0";
  for (int button : {ids::kWriteRegister, ids::kAllowWrite, ids::kChangeCommParams, ids::kCommReset}) {
    console.cautiousWarnings.clear();
    console.warningAnswers = {false};
    console.press(ops, button);
    EXPECT_EQ(console.cautiousWarnings.size(), 1u) << button;
  }
  EXPECT_TRUE(port->written.empty());
  console.fields[ids::kStation] = "1";
  console.cautiousWarnings.clear();
  console.warningAnswers = {false};
  console.press(ops, ids::kForbidWrite);
  EXPECT_EQ(console.cautiousWarnings, std::vector<std::string>{"该操作将禁用模块寄存器的写功能"});
}

TEST_F(ReplyTrust, TheResetWarningSaysWhatBecomesOfTheBus) {
  console.warningAnswers = {false};
  console.press(ops, ids::kCommReset);
  ASSERT_EQ(console.cautiousWarnings.size(), 1u);
  EXPECT_EQ(console.cautiousWarnings[0],
            "继续操作将修改所有从站数据，并重置波特率/站号！\r\n"
            "总线上的所有模块都将变为站号 1、9600 N,8,1，约需 15 秒。");
}

TEST_F(ReplyTrust, NothingIsWrittenThatWasNotTyped) {
  const struct {
    const char* name;
    int button;
    int emptied;
    const char* box;
  } cases[] = {
      {"station of a read", ids::kReadRegisters, ids::kStation, "非法的站号！\r\n模块站号未填写。"},
      {"station of a write", ids::kWriteRegister, ids::kStation, "非法的站号！\r\n模块站号未填写。"},
      {"station of the protection", ids::kAllowWrite, ids::kStation, "非法的站号！\r\n模块站号未填写。"},
      {"address of the single write", ids::kWriteRegister, ids::kWriteAddress, "非法的寄存器地址！\r\n写入地址未填写。"},
      {"value of the single write", ids::kWriteRegister, ids::kWriteValue, "非法的寄存器数值！\r\n写入数值未填写。"},
      {"start of the block write", ids::kWriteRegisters, ids::kWriteStart, "非法的起始地址！\r\n写入地址未填写。"},
      {"count of the block write", ids::kWriteRegisters, ids::kWriteCount, "非法的写入长度！\r\n写入长度未填写。"},
      {"second value of the block write", ids::kWriteRegisters, ids::kWriteValues[1],
       "写入数据非法，允许范围0-65535!\r\n第 2 个写入数据未填写。"},
      {"new station", ids::kChangeCommParams, ids::kNewStation, "非法的新站号！\r\n新站号未填写。"},
  };
  for (const auto& c : cases) {
    const std::string kept = console.fields[c.emptied];
    console.boxes.clear();
    console.fields[c.emptied] = "  ";
    console.press(ops, c.button);
    console.fields[c.emptied] = kept;
    EXPECT_EQ(console.infoTexts(), std::vector<std::string>{c.box}) << c.name;
    ExpectNothingSent();
  }
  // Values beyond the count are not written, so they may stay empty.
  console.fields[ids::kWriteValues[2]] = "";
  port->replies.push_back(WithCrc({1, 0x10, 0, 10, 0, 2}));
  console.boxes.clear();
  console.press(ops, ids::kWriteRegisters);
  EXPECT_TRUE(console.boxes.empty());
  // The read tool writes nothing: its empty address still reads as 0.
  console.fields[ids::kReadStart] = "";
  port->replies.push_back(ReplyOf({10, 20}));
  console.press(ops, ids::kReadRegisters);
  EXPECT_TRUE(console.boxes.empty());
  EXPECT_EQ(port->written.back(), WithCrc({1, 3, 0, 0, 0, 2}));
}

TEST_F(ReplyTrust, TheBlockWriteGuardsTheConfigurationWordAsTheSingleWriteDoes) {
  console.fields[ids::kWriteStart] = "2";
  console.fields[ids::kWriteCount] = "3";
  console.fields[ids::kWriteValues[0]] = "7";
  console.fields[ids::kWriteValues[2]] = "9";

  console.fields[ids::kWriteValues[1]] = std::to_string(0x0900);  // baud number 9
  console.press(ops, ids::kWriteRegisters);
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"非法的寄存器数值！"});
  ExpectNothingSent();

  // The same confirmation as the single write to register 3, and Cancel sends nothing.
  console.fields[ids::kWriteValues[1]] = std::to_string(0x1005);
  console.fields[ids::kWriteAddress] = "3";
  console.fields[ids::kWriteValue] = std::to_string(0x1005);
  console.boxes.clear();
  console.warningAnswers = {false};
  console.press(ops, ids::kWriteRegister);
  const std::vector<FakeConsole::Box> single = console.boxes;
  console.boxes.clear();
  console.warningAnswers = {false};
  console.press(ops, ids::kWriteRegisters);
  ASSERT_EQ(console.boxes.size(), 1u);
  EXPECT_EQ(console.boxes[0].kind, "警告");
  EXPECT_EQ(console.boxes[0].text, single.at(0).text);
  ExpectNothingSent();

  // A block that ends before register 3 asks nothing.
  console.fields[ids::kWriteStart] = "0";
  console.fields[ids::kWriteCount] = "3";
  console.boxes.clear();
  port->replies.push_back(WithCrc({1, 0x10, 0, 0, 0, 3}));
  console.press(ops, ids::kWriteRegisters);
  EXPECT_TRUE(console.boxes.empty());
}

TEST_F(ReplyTrust, NoModuleIsGivenAStationItCannotBeReachedAt) {
  for (const char* station : {"0", "248", "255"}) {
    console.boxes.clear();
    console.fields[ids::kNewStation] = station;
    console.press(ops, ids::kChangeCommParams);
    EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"非法的新站号！\r\n模块站号允许范围 1-247。"}) << station;
  }
  console.fields[ids::kWriteAddress] = "3";
  for (int word : {0x0000, 0x00F8, 0x10FF}) {
    console.boxes.clear();
    console.fields[ids::kWriteValue] = std::to_string(word);
    console.press(ops, ids::kWriteRegister);
    EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"非法的寄存器数值！\r\n模块站号允许范围 1-247。"}) << word;
  }
  ExpectNothingSent();
  // A module already at 250 can still be reached and mended.
  console.fields[ids::kStation] = "250";
  console.fields[ids::kNewStation] = "7";
  console.boxes.clear();
  port->replies.push_back(WithCrc({250, 6, 0, 3, 0, 7}));
  console.press(ops, ids::kChangeCommParams);
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"通讯参数设置成功！"});
}

}  // namespace
