// The register tools against a scripted port: requests, annotated layouts,
// the order of the input checks and the boxes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "console/control_ids.h"
#include "operations/operations.h"
#include "console/text.h"
#include "modbus/frames.h"
#include "support/scripted_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

const char* const kNoReply = "通讯错误或设备型号不兼容！";
const char* const kBroadcast = "当前站号0为广播站号，继续操作将修改所有从站数据！";
const char* const kParamsHead =
    "该操作将修改通讯波特率/校验位/模块站号，设置成功后参数持久化保存，请确认当前设置参数：\r\n";

std::string Repeat(const std::string& piece, int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += piece;
  return s;
}

Bytes WithCrc(Bytes frame) {
  frame.resize(frame.size() + 2);
  PlaceCrc(frame.data(), static_cast<uint32_t>(frame.size() - 2));
  return frame;
}

// A function-03 reply of `count` registers whose bytes all read `fill`.
Bytes ReadReply(uint8_t station, int count, uint8_t fill) {
  Bytes reply = {station, 0x03, static_cast<uint8_t>(2 * count)};
  reply.insert(reply.end(), static_cast<size_t>(2 * count), fill);
  return WithCrc(reply);
}

class RegisterTools : public ScriptedFixture {
 protected:
  void SetUp() override {
    ScriptedFixture::SetUp();
    console.fields[ids::kStation] = "1";
    OpenScriptedPort();
    console.boxes.clear();
    console.paneHistory.clear();
  }
};

// ---------------------------------------------------------------- read tool

TEST_F(RegisterTools, ReadWorkedExample) {
  console.fields[ids::kReadStart] = "0";
  console.fields[ids::kReadCount] = "2";
  port->replies.push_back({0x01, 0x03, 0x04, 0x00, 0x0A, 0x00, 0x14, 0xDA, 0x3E});
  console.press(ops, ids::kReadRegisters);
  ASSERT_EQ(port->written.size(), 1u);
  EXPECT_EQ(port->written[0], (Bytes{0x01, 0x03, 0x00, 0x00, 0x00, 0x02, 0xC4, 0x0B}));
  EXPECT_TRUE(console.boxes.empty());
  EXPECT_EQ(console.pane,
            "十六进制显示发送数据：\r\n\r\n"
            "{[模块站号] 01} {[功能码] 03} {[起始地址] 00 00}\r\n"
            "{[读取长度] 00 02} {[校验位] C4 0B}\r\n"
            "\r\n\r\n十六进制显示接收数据：\r\n\r\n"
            "{[模块站号] 01} {[功能码] 03} {[字节长度] 04}\r\n\r\n"
            "{[数据内容]\r\n"
            "00 0A 00 14 \r\n"
            "}\r\n\r\n"
            "{[校验位] DA 3E}");
}

// Where the closing brace lands depends on the count: after the data on the
// same line for multiples of 8, otherwise on a line of its own.
TEST_F(RegisterTools, ReadDataLinesAndClosingBrace) {
  const std::string line = Repeat("5A ", 24) + "\r\n";
  const struct {
    int count;
    std::string data;  // between "{[数据内容]\r\n" and "{[校验位]"
  } cases[] = {
      {2, "5A 5A 5A 5A \r\n}\r\n\r\n"},
      {8, Repeat("5A ", 16) + "}\r\n\r\n"},
      {12, line + "\r\n}\r\n\r\n"},
      {16, line + Repeat("5A ", 8) + "}\r\n\r\n"},
      {120, Repeat(line, 10) + "}\r\n\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    console.fields[ids::kReadStart] = "7";
    console.fields[ids::kReadCount] = std::to_string(c.count);
    const Bytes reply = ReadReply(0x01, c.count, 0x5A);
    port->replies.push_back(reply);
    port->written.clear();
    console.press(ops, ids::kReadRegisters);
    ASSERT_TRUE(console.boxes.empty()) << console.boxes[0].text;
    ASSERT_EQ(port->written.size(), 1u);
    const Bytes request = WithCrc({0x01, 0x03, 0x00, 0x07, 0x00, static_cast<uint8_t>(c.count)});
    EXPECT_EQ(port->written[0], request);
    std::string expected;
    appendf(expected,
            "十六进制显示发送数据：\r\n\r\n"
            "{[模块站号] 01} {[功能码] 03} {[起始地址] 00 07}\r\n"
            "{[读取长度] 00 %02X} {[校验位] %02X %02X}\r\n"
            "\r\n\r\n十六进制显示接收数据：\r\n\r\n"
            "{[模块站号] 01} {[功能码] 03} {[字节长度] %02X}\r\n\r\n"
            "{[数据内容]\r\n",
            c.count, request[6], request[7], 2 * c.count);
    expected += c.data;
    appendf(expected, "{[校验位] %02X %02X}", reply[reply.size() - 2], reply[reply.size() - 1]);
    EXPECT_EQ(console.pane, expected);
  }
}

TEST_F(RegisterTools, ReadRefusesBadInputsInOrder) {
  const struct {
    const char *station, *start, *count, *message;
  } cases[] = {
      {"0", "0", "2", "非法的站号！"},  // this tool never broadcasts
      {"256", "-1", "0", "非法的站号！"},
      {"", "0", "2", "非法的站号！"},
      {"1", "-1", "0", "非法的起始地址！"},
      {"1", "65535", "2", "非法的起始地址！"},
      {"1", "65530", "121", "非法的起始地址！"},
      // A saturated address plus a count must not wrap round into range.
      {"1", "2147483647", "1", "非法的起始地址！"},
      {"1", "99999999999", "120", "非法的起始地址！"},
      {"1", "100", "-5", "非法的读取长度！"},
      {"1", "", "", "非法的读取长度！"},
      {"1", "0", "121", "非法的读取长度！"},
      {"1", "0", "0", "非法的读取长度！"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.station) + "/" + c.start + "/" + c.count);
    console.boxes.clear();
    console.fields[ids::kStation] = c.station;
    console.fields[ids::kReadStart] = c.start;
    console.fields[ids::kReadCount] = c.count;
    console.press(ops, ids::kReadRegisters);
    EXPECT_EQ(BoxHeads(), (std::vector<std::string>{std::string("提示:") + c.message}));
    ExpectNothingSent();
  }
}

TEST_F(RegisterTools, ReadAcceptsTheBlockEndingAtTheLastRegister) {
  const struct {
    const char *start, *count;
    Bytes request;
  } cases[] = {
      {"65535", "1", WithCrc({0x01, 0x03, 0xFF, 0xFF, 0x00, 0x01})},
      {"", "120", WithCrc({0x01, 0x03, 0x00, 0x00, 0x00, 0x78})},
      {"  12abc", "3x", WithCrc({0x01, 0x03, 0x00, 0x0C, 0x00, 0x03})},
  };
  for (const auto& c : cases) {
    console.fields[ids::kReadStart] = c.start;
    console.fields[ids::kReadCount] = c.count;
    port->written.clear();
    console.boxes.clear();
    console.press(ops, ids::kReadRegisters);  // no reply scripted
    ASSERT_EQ(port->written.size(), 1u) << c.start;
    EXPECT_EQ(port->written[0], c.request);
    EXPECT_EQ(BoxHeads(), (std::vector<std::string>{std::string("提示:") + kNoReply}));
  }
}

TEST_F(RegisterTools, ReadFailureLeavesTheAnnotatedRequestAndWhatCame) {
  console.fields[ids::kReadStart] = "0";
  console.fields[ids::kReadCount] = "2";
  Bytes reply = {0x01, 0x03, 0x04, 0x00, 0x0A, 0x00, 0x14, 0xDA, 0x3F};
  port->replies.push_back(reply);
  console.press(ops, ids::kReadRegisters);
  EXPECT_EQ(BoxHeads(), (std::vector<std::string>{"提示:数据错误"}));
  EXPECT_EQ(console.pane,
            "十六进制显示发送数据：\r\n\r\n"
            "{[模块站号] 01} {[功能码] 03} {[起始地址] 00 00}\r\n"
            "{[读取长度] 00 02} {[校验位] C4 0B}\r\n"
            "\r\n\r\n十六进制显示接收数据：\r\n"
            "01 03 04 00 0A 00 14 DA 3F ");
}

TEST_F(RegisterTools, ClosedPortComesFirst) {
  ops.link().isOpen = 0;
  console.fields[ids::kStation] = "0";
  for (int button : {ids::kReadRegisters, ids::kWriteRegister, ids::kWriteRegisters}) {
    console.boxes.clear();
    console.press(ops, button);
    EXPECT_EQ(BoxHeads(), (std::vector<std::string>{"提示:串口未打开!"}));
    ExpectNothingSent();
  }
}

// -------------------------------------------------------- single register

TEST_F(RegisterTools, WriteRegisterWorkedExample) {
  const Bytes request = {0x01, 0x06, 0x00, 0x64, 0x04, 0x57, 0x8B, 0x2B};
  console.fields[ids::kWriteAddress] = "100";
  console.fields[ids::kWriteValue] = "1111";
  port->replies.push_back(request);
  console.press(ops, ids::kWriteRegister);
  ASSERT_EQ(port->written.size(), 1u);
  EXPECT_EQ(port->written[0], request);
  EXPECT_TRUE(console.boxes.empty());  // no success box outside register 3
  EXPECT_EQ(console.pane, RequestSection(request) +
                              kReceivedHeading + Hex(request));
}

// Boxes in order; the frame sent (empty: nothing sent). A sent frame is echoed.
TEST_F(RegisterTools, WriteRegisterChecksAndConfirmations) {
  const std::string enable = "警告:该操作将设置允许寄存器的写操作";
  const std::string disable = "警告:该操作将设置禁用寄存器的写操作";
  const std::string done = "提示:通讯参数设置成功！";
  const std::string broadcastSent = "提示:已广播，广播命令无应答。";
  const std::string broadcast = std::string("警告:") + kBroadcast;
  const std::string params0001 = std::string("警告:") + kParamsHead +
                                 "波特率号：0=9600BPS。\r\n校验值号：0=N,8,1。\r\n模块站号：1。";
  const struct {
    const char *station, *address, *value;
    std::vector<bool> answers;
    std::vector<std::string> boxes;
    Bytes frame;
  } cases[] = {
      {"-1", "-1", "65536", {}, {"提示:非法的站号！"}, {}},
      {"256", "4", "1", {}, {"提示:非法的站号！"}, {}},
      {"1", "-1", "65536", {}, {"提示:非法的寄存器地址！"}, {}},
      {"1", "65536", "1", {}, {"提示:非法的寄存器地址！"}, {}},
      {"1", "4", "65536", {}, {"提示:非法的寄存器数值！"}, {}},
      {"1", "4", "-1", {}, {"提示:非法的寄存器数值！"}, {}},
      // Words a module would not know are refused before any confirmation.
      {"1", "3", "2304", {}, {"提示:非法的寄存器数值！"}, {}},   // baud number 9
      {"1", "3", "16385", {}, {"提示:非法的寄存器数值！"}, {}},  // format number 4
      {"1", "3", "32769", {}, {"提示:非法的寄存器数值！"}, {}},  // format 8, not a command
      {"0", "-1", "1", {}, {broadcast, "提示:非法的寄存器地址！"}, {}},
      {"0", "3", "1", {false}, {broadcast}, {}},
      {"0", "3", "1", {true, false}, {broadcast, params0001}, {}},
      {"1", "3", "32768", {false}, {enable}, {}},
      {"1", "3", "1", {}, {params0001, done}, WithCrc({0x01, 0x06, 0x00, 0x03, 0x00, 0x01})},
      {"1", "3", "32768", {}, {enable, done}, WithCrc({0x01, 0x06, 0x00, 0x03, 0x80, 0x00})},
      {"1", "3", "49152", {}, {disable, done}, WithCrc({0x01, 0x06, 0x00, 0x03, 0xC0, 0x00})},
      // A broadcast awaits no reply, so no success is claimed.
      {"0", "3", "1", {}, {broadcast, params0001, broadcastSent},
       WithCrc({0x00, 0x06, 0x00, 0x03, 0x00, 0x01})},
      {"0", "4", "7", {}, {broadcast, broadcastSent}, WithCrc({0x00, 0x06, 0x00, 0x04, 0x00, 0x07})},
      {"255", "65535", "65535", {}, {}, WithCrc({0xFF, 0x06, 0xFF, 0xFF, 0xFF, 0xFF})},
      // Nothing typed is nothing written.
      {"1", "", "", {}, {"提示:非法的寄存器地址！\r\n写入地址未填写。"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.station) + "/" + c.address + "/" + c.value);
    console.boxes.clear();
    console.paneHistory.clear();
    console.pane.clear();
    port->written.clear();
    console.warningAnswers.assign(c.answers.begin(), c.answers.end());
    console.fields[ids::kStation] = c.station;
    console.fields[ids::kWriteAddress] = c.address;
    console.fields[ids::kWriteValue] = c.value;
    const bool broadcast = !c.frame.empty() && c.frame[0] == 0;
    if (!c.frame.empty() && !broadcast) port->replies.push_back(c.frame);
    console.press(ops, ids::kWriteRegister);
    EXPECT_EQ(Boxes(), c.boxes);
    if (c.frame.empty()) {
      ExpectNothingSent();
    } else {
      ASSERT_EQ(port->written.size(), 1u);
      EXPECT_EQ(port->written[0], c.frame);
      EXPECT_EQ(console.pane, RequestSection(c.frame) +
                                  (broadcast ? "" : kReceivedHeading + Hex(c.frame)));
    }
  }
}

// A write to register 3 that goes unanswered ends in the time-out box, without
// the success box, and shows the request alone; so does a broadcast, with its
// own box.
TEST_F(RegisterTools, UnansweredConfigWriteShowsNoSuccess) {
  console.fields[ids::kStation] = "0";
  console.fields[ids::kWriteAddress] = "3";
  console.fields[ids::kWriteValue] = "49152";
  console.press(ops, ids::kWriteRegister);
  EXPECT_EQ(BoxHeads(), (std::vector<std::string>{std::string("警告:") + kBroadcast,
                                               "警告:该操作将设置禁用寄存器的写操作",
                                               "提示:已广播，广播命令无应答。"}));
  EXPECT_EQ(console.pane, "十六进制显示发送数据：\r\n00 06 00 03 C0 00 28 1B ");
  console.boxes.clear();
  console.fields[ids::kStation] = "1";
  console.press(ops, ids::kWriteRegister);
  EXPECT_EQ(BoxHeads(), (std::vector<std::string>{"警告:该操作将设置禁用寄存器的写操作",
                                                  std::string("提示:") + kNoReply}));
  EXPECT_EQ(console.pane, "十六进制显示发送数据：\r\n01 06 00 03 C0 00 29 CA ");
}

// The register table's words: what a read read and an acknowledged write
// wrote, never what failed. A request's own warning comes after the fields'
// checks, and register 3 keeps its box instead.
TEST_F(RegisterTools, ToolsSayTheWordsTheyReadAndWrote) {
  const auto words = [](const std::vector<StationRegisters>& said) {
    std::vector<std::vector<uint16_t>> out;
    for (const StationRegisters& block : said) out.push_back(block.words);
    return out;
  };
  console.fields[ids::kReadStart] = "7";
  console.fields[ids::kReadCount] = "2";
  port->replies.push_back(WithCrc({0x01, 0x03, 0x04, 0x00, 0x0A, 0xFF, 0x14}));
  console.press(ops, ids::kReadRegisters);
  port->replies.push_back(WithCrc({0x01, 0x03, 0x04, 0x00, 0x0A, 0xFF, 0x14, 0x00}));  // bad CRC
  console.press(ops, ids::kReadRegisters);
  ASSERT_EQ(console.registersReadSaid.size(), 1u);
  EXPECT_EQ(console.registersReadSaid[0].station, 1);
  EXPECT_EQ(console.registersReadSaid[0].start, 7);
  EXPECT_EQ(words(console.registersReadSaid), (std::vector<std::vector<uint16_t>>{{0x000A, 0xFF14}}));

  console.boxes.clear();
  const Bytes single = WithCrc({0x01, 0x06, 0x00, 0x64, 0x04, 0x57});
  const Bytes pair = WithCrc({0x01, 0x10, 0x00, 0x0A, 0x00, 0x02});
  port->replies = {single, pair};
  ops.OnBnClickedWriteRegister({StationInput::Of(1), Checked<uint16_t>::Of(100), Checked<uint16_t>::Of(1111), "写吗？"});
  ops.OnBnClickedWriteRegisters({StationInput::Of(1), Checked<RegisterBlock>::Of({10, 2}),
                                 Checked<std::vector<uint16_t>>::Of({1, 2}), "写两个吗？"});
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"警告:写吗？", "警告:写两个吗？"}));
  EXPECT_EQ(words(console.registersWrittenSaid), (std::vector<std::vector<uint16_t>>{{1111}, {1, 2}}));
  EXPECT_EQ(console.registersWrittenSaid[1].start, 10);

  // Cancelled, refused first, or register 3's own box: nothing sent, nothing said.
  console.boxes.clear();
  port->written.clear();
  console.warningAnswers = {false, false};
  ops.OnBnClickedWriteRegister({StationInput::Of(1), Checked<uint16_t>::Of(100), Checked<uint16_t>::Of(5), "写吗？"});
  ops.OnBnClickedWriteRegister(
      {StationInput::Of(1), Checked<uint16_t>::Of(100), Checked<uint16_t>::Refused(kBadRegisterValue), "写吗？"});
  ops.OnBnClickedWriteRegisters({StationInput::Of(1), Checked<RegisterBlock>::Of({2, 2}),
                                 Checked<std::vector<uint16_t>>::Of({0, 0x8000}), "写两个吗？"});
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"警告:写吗？", std::string("提示:") + kBadRegisterValue,
                                               "警告:该操作将设置允许寄存器的写操作"}));
  ExpectNothingSent();
  EXPECT_EQ(console.registersWrittenSaid.size(), 2u);
}

// ----------------------------------------------------- multiple registers

TEST_F(RegisterTools, WriteRegistersWorkedExample) {
  console.fields[ids::kWriteStart] = "10";
  console.fields[ids::kWriteCount] = "2";
  console.fields[ids::kWriteValues[0]] = "1";
  console.fields[ids::kWriteValues[1]] = "2";
  port->replies.push_back({0x01, 0x10, 0x00, 0x0A, 0x00, 0x02, 0x61, 0xCA});
  console.press(ops, ids::kWriteRegisters);
  ASSERT_EQ(port->written.size(), 1u);
  EXPECT_EQ(port->written[0],
            (Bytes{0x01, 0x10, 0x00, 0x0A, 0x00, 0x02, 0x04, 0x00, 0x01, 0x00, 0x02, 0xA3, 0xD1}));
  EXPECT_TRUE(console.boxes.empty());
  EXPECT_EQ(console.pane,
            "十六进制显示发送数据：\r\n\r\n"
            "{[模块站号] 01} {[功能码] 10} {[起始地址] 00 0A}\r\n"
            "{[写入长度] 00 02}{[字节长度] 04}\r\n\r\n"
            "{[数据内容]\r\n"
            "00 01 00 02 \r\n"
            "}\r\n\r\n"
            "{[校验位] A3 D1}"
            "\r\n\r\n十六进制显示接收数据：\r\n\r\n"
            "{[模块站号] 01} {[功能码] 10} {[起始地址] 00 0A}\r\n"
            "{[写入长度] 00 02} {[校验位] 61 CA}\r\n");
}

TEST_F(RegisterTools, WriteRegistersDataLinesAndClosingBrace) {
  const std::string word = "01 02 ";  // every value 258
  const std::string line = Repeat(word, 12) + "\r\n";
  const struct {
    int count;
    std::string data;
  } cases[] = {
      {1, word + "\r\n}\r\n\r\n"},
      {8, Repeat(word, 8) + "}\r\n\r\n"},
      {12, line + "\r\n}\r\n\r\n"},
      {16, line + Repeat(word, 4) + "}\r\n\r\n"},
      {20, line + Repeat(word, 8) + "\r\n}\r\n\r\n"},
  };
  for (int k = 0; k < 20; ++k) console.fields[ids::kWriteValues[k]] = "258";
  console.fields[ids::kWriteStart] = "65516";  // the last 20 registers
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    console.fields[ids::kWriteCount] = std::to_string(c.count);
    const Bytes reply = WithCrc({0x01, 0x10, 0xFF, 0xEC, 0x00, static_cast<uint8_t>(c.count)});
    port->replies.push_back(reply);
    port->written.clear();
    console.press(ops, ids::kWriteRegisters);
    ASSERT_TRUE(console.boxes.empty()) << console.boxes[0].text;
    ASSERT_EQ(port->written.size(), 1u);
    const Bytes& sent = port->written[0];
    ASSERT_EQ(sent.size(), 9u + 2u * c.count);
    EXPECT_TRUE(CrcMatches(sent.data(), static_cast<uint32_t>(sent.size())));
    std::string expected;
    appendf(expected,
            "十六进制显示发送数据：\r\n\r\n"
            "{[模块站号] 01} {[功能码] 10} {[起始地址] FF EC}\r\n"
            "{[写入长度] 00 %02X}{[字节长度] %02X}\r\n\r\n"
            "{[数据内容]\r\n",
            c.count, 2 * c.count);
    expected += c.data;
    appendf(expected, "{[校验位] %02X %02X}", sent[sent.size() - 2], sent[sent.size() - 1]);
    appendf(expected,
            "\r\n\r\n十六进制显示接收数据：\r\n\r\n"
            "{[模块站号] 01} {[功能码] 10} {[起始地址] FF EC}\r\n"
            "{[写入长度] 00 %02X} {[校验位] %02X %02X}\r\n",
            c.count, reply[6], reply[7]);
    EXPECT_EQ(console.pane, expected);
  }
}

TEST_F(RegisterTools, WriteRegistersRefusesBadInputsInOrder) {
  const struct {
    const char *station, *start, *count;
    std::vector<std::string> values;  // value edits 0.. (the rest empty)
    const char* message;
  } cases[] = {
      {"0", "0", "1", {"1"}, "非法的站号！"},  // no broadcast here
      {"256", "-1", "21", {}, "非法的站号！"},
      {"1", "-1", "21", {"65536"}, "非法的起始地址！"},
      {"1", "65530", "7", {}, "非法的起始地址！"},
      {"1", "2147483647", "1", {"1"}, "非法的起始地址！"},
      {"1", "0", "21", {"65536"}, "非法的写入长度！"},
      {"1", "0", "0", {}, "非法的写入长度！"},
      {"1", "0", "", {}, "非法的写入长度！"},
      {"1", "100", "-5", {}, "非法的写入长度！"},
      {"1", "0", "1", {"65536"}, "写入数据非法，允许范围0-65535!"},
      {"1", "0", "3", {"", "-1", "70000"}, "写入数据非法，允许范围0-65535!"},
      {"1", "0", "20", {"", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
                        "", "65536"}, "写入数据非法，允许范围0-65535!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.station) + "/" + c.start + "/" + c.count);
    console.boxes.clear();
    console.fields[ids::kStation] = c.station;
    console.fields[ids::kWriteStart] = c.start;
    console.fields[ids::kWriteCount] = c.count;
    for (size_t k = 0; k < 20; ++k)
      console.fields[ids::kWriteValues[k]] = k < c.values.size() ? c.values[k] : "";
    console.press(ops, ids::kWriteRegisters);
    EXPECT_EQ(BoxHeads(), (std::vector<std::string>{std::string("提示:") + c.message}));
    ExpectNothingSent();
  }
}

// Only the first N edits count.
TEST_F(RegisterTools, WriteRegistersTakesTheFirstNValues) {
  const std::vector<std::string> edits = {"0", "7", "65536", "letters", "-1"};
  for (size_t k = 0; k < 20; ++k)
    console.fields[ids::kWriteValues[k]] = k < edits.size() ? edits[k] : "99999";
  console.fields[ids::kWriteStart] = "1";
  console.fields[ids::kWriteCount] = "2";
  console.press(ops, ids::kWriteRegisters);
  ASSERT_EQ(port->written.size(), 1u);
  EXPECT_EQ(port->written[0], WithCrc({0x01, 0x10, 0x00, 0x01, 0x00, 0x02, 0x04, 0, 0, 0, 7}));
  EXPECT_EQ(BoxHeads(), (std::vector<std::string>{std::string("提示:") + kNoReply}));
}

}  // namespace
