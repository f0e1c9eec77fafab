#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "console/control_ids.h"
#include "operations/operations.h"
#include "support/scripted_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

const char* const kBroadcast = "当前站号0为广播站号，继续操作将修改所有从站数据！";
const char* const kConfirmHead =
    "该操作将修改通讯波特率/校验位/模块站号，设置成功后参数持久化保存，请确认当前设置参数：\r\n";

// The button with a port that echoes each request, as a module acknowledges a write.
class CommParams : public ScriptedFixture {
 protected:
  void SetUp() override {
    ScriptedFixture::SetUp();
    SetDefaultFields(console);
    OpenScriptedPort();
    console.boxes.clear();
  }

  void Choose(int baudIndex, int formatIndex) {
    console.combos[ids::kNewBaud] = baudIndex;
    console.combos[ids::kNewFormat] = formatIndex;
  }
};

TEST_F(CommParams, WorkedExamplesWriteTheWordAndLeaveTheLinkAlone) {
  const struct {
    int baudIndex, formatIndex;
    const char* newStation;
    Bytes request;
    const char* confirmTail;
    ModuleLine moved;  // where the module answers afterwards: the typed result the window follows
  } cases[] = {
      {3, 1, "5", {0x01, 0x06, 0x00, 0x03, 0x10, 0x05, 0xB4, 0x09},
       "波特率号：0=9600BPS。\r\n校验值号：1=E,8,1。\r\n模块站号：5。", {3, 1, 5}},
      {7, 3, "247", {0x01, 0x06, 0x00, 0x03, 0x38, 0xF7, 0x2B, 0x8C},
       "波特率号：8=115200BPS。\r\n校验值号：3=N,8,2。\r\n模块站号：247。", {7, 3, 247}},
      {1, 0, "1", {0x01, 0x06, 0x00, 0x03, 0x02, 0x01},
       "波特率号：2=2400BPS。\r\n校验值号：0=N,8,1。\r\n模块站号：1。", {1, 0, 1}},
      // Untouched combo boxes: 9600 and "N,8,1" travel as zeros (word 0x0001).
      {3, 0, "1", {0x01, 0x06, 0x00, 0x03, 0x00, 0x01},
       "波特率号：0=9600BPS。\r\n校验值号：0=N,8,1。\r\n模块站号：1。", {3, 0, 1}},
      {2, 2, " 12x", {0x01, 0x06, 0x00, 0x03, 0x23, 0x0C},
       "波特率号：3=4800BPS。\r\n校验值号：2=O,8,1。\r\n模块站号：12。", {2, 2, 12}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.confirmTail);
    console.boxes.clear();
    port->written.clear();
    Bytes request = c.request;
    if (request.size() == 6) {
      request.resize(8);
      PlaceCrc(request.data(), 6);
    }
    Choose(c.baudIndex, c.formatIndex);
    console.fields[ids::kNewStation] = c.newStation;
    port->replies.push_back(request);
    const size_t linesBefore = port->lines.size();
    const int opensBefore = port->opens;

    console.press(ops, ids::kChangeCommParams);

    ASSERT_EQ(port->written, std::vector<Bytes>{request});
    ASSERT_EQ(console.boxes.size(), 2u);
    EXPECT_EQ(console.boxes[0].kind, "警告");
    EXPECT_EQ(console.boxes[0].text, std::string(kConfirmHead) + c.confirmTail);
    EXPECT_EQ(console.boxes[1].kind, "提示");
    EXPECT_EQ(console.boxes[1].text, "通讯参数设置成功！");
    ASSERT_FALSE(console.moved.empty());
    EXPECT_EQ(console.moved.back(), c.moved);
    EXPECT_EQ(console.pane, RequestSection(request) +
                                kReceivedHeading + Hex(request));
    // The module changes, the console does not: same port, same line, same combos.
    EXPECT_EQ(ops.link().isOpen, 1);
    EXPECT_TRUE(port->isOpen());
    EXPECT_EQ(port->opens, opensBefore);
    EXPECT_EQ(port->lines.size(), linesBefore);
    EXPECT_EQ(ops.link().baudRate, 9600);
    EXPECT_EQ(ops.link().lineFormat, 0);
    EXPECT_EQ(console.combos[ids::kBaudRate], 3);
    EXPECT_EQ(console.combos[ids::kLineFormat], 0);
    EXPECT_EQ(console.combos[ids::kNewBaud], c.baudIndex);
    EXPECT_EQ(console.combos[ids::kNewFormat], c.formatIndex);
  }
}

TEST_F(CommParams, RefusesBadInputBeforeAnythingIsSent) {
  const struct {
    const char* station;
    const char* newStation;
    int baudIndex, formatIndex;
    const char* message;
  } cases[] = {
      // Only stations 1-247 can be addressed alone afterwards.
      {"1", "0", 3, 0, "非法的新站号！\r\n模块站号允许范围 1-247。"},
      {"1", "248", 3, 0, "非法的新站号！\r\n模块站号允许范围 1-247。"},
      {"1", "256", 3, 0, "非法的新站号！\r\n模块站号允许范围 1-247。"},
      {"1", "", 3, 0, "非法的新站号！\r\n新站号未填写。"},
      {"1", "abc", 3, 0, "非法的新站号！\r\n模块站号允许范围 1-247。"},
      {"256", "0", 3, 0, "非法的站号！"},  // the addressed station is checked first
      {"-1", "5", 3, 0, "非法的站号！"},
      // A combo box without a selection reports -1; that is no baud rate or format.
      {"1", "5", -1, 0, "非法的参数！"},
      {"1", "5", 8, 0, "非法的参数！"},
      {"1", "5", 3, -1, "非法的参数！"},
      {"1", "5", 3, 4, "非法的参数！"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.station) + "/" + c.newStation);
    console.boxes.clear();
    console.fields[ids::kStation] = c.station;
    console.fields[ids::kNewStation] = c.newStation;
    Choose(c.baudIndex, c.formatIndex);
    console.press(ops, ids::kChangeCommParams);
    ASSERT_EQ(console.boxes.size(), 1u);
    EXPECT_EQ(console.boxes[0].kind, "提示");
    EXPECT_EQ(console.boxes[0].text, c.message);
    ExpectNothingSent();
  }
}

TEST_F(CommParams, PortClosedIsReportedBeforeTheStations) {
  ops.OnBnClickedOpenPort();  // closes
  console.boxes.clear();
  console.fields[ids::kStation] = "999";
  console.press(ops, ids::kChangeCommParams);
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"串口未打开!"});
  ExpectNothingSent();
}

TEST_F(CommParams, BroadcastAsksTwiceAndCancelInEitherBoxSendsNothing) {
  console.fields[ids::kStation] = "0";
  console.fields[ids::kNewStation] = "7";

  console.warningAnswers = {false};
  console.press(ops, ids::kChangeCommParams);
  ASSERT_EQ(console.boxes.size(), 1u);
  EXPECT_EQ(console.boxes[0].text, kBroadcast);
  ExpectNothingSent();

  console.boxes.clear();
  console.warningAnswers = {true, false};
  console.press(ops, ids::kChangeCommParams);
  ASSERT_EQ(console.boxes.size(), 2u);
  EXPECT_EQ(console.boxes[1].text.rfind(kConfirmHead, 0), 0u);
  ExpectNothingSent();

  // OK in both: the word goes to every module, which answer nothing, and no
  // success is claimed.
  console.boxes.clear();
  console.press(ops, ids::kChangeCommParams);
  Bytes request{0x00, 0x06, 0x00, 0x03, 0x00, 0x07, 0, 0};
  PlaceCrc(request.data(), 6);
  EXPECT_EQ(port->written, std::vector<Bytes>{request});
  ASSERT_EQ(console.boxes.size(), 3u);
  EXPECT_EQ(console.boxes[0].text, kBroadcast);
  EXPECT_EQ(console.boxes[1].kind, "警告");
  EXPECT_EQ(console.boxes[2].text, "已广播，广播命令无应答。");
  EXPECT_EQ(port->reads, 0);
  EXPECT_EQ(console.pane, RequestSection(request));
}

}  // namespace
