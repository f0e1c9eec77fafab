// The exchange run whole: Operations, the POSIX serial back end on a
// pseudo-terminal and a simulated module at the far end.
#include <gtest/gtest.h>

#include <chrono>

#include "console/text.h"
#include "modbus/exchange.h"
#include "readers/models.h"
#include "support/bus_fixture.h"
#include "support/reply.h"
#include "support/models.h"

namespace {

const uint8_t kRequest4SXY[] = {0x01, 0x03, 0x00, 0x00, 0x00, 0x28, 0x45, 0xD4};

std::vector<uint16_t> FixedBlock() {
  return WordsOf(40, {{0, 620}, {1, 5}, {2, 250}, {4, 0x1605}, {8, 1234}, {9, 22000},
                      {10, 0xFF38}, {11, 0xFF38}, {12, 100}, {13, 1}});
}

class ExchangeTest : public BusFixture {
 protected:
  void SetUp() override {
    BusFixture::SetUp();
    AddModule({.station = 1, .model = SimOf("4SXY")});
    AddModule({.station = 12, .model = SimOf("4SXY")});
    bus->setRegisters(1, RegistersOf(FixedBlock()));
  }
  const std::string kRequestOnly = RequestSection(kRequest4SXY, 8);
};

TEST_F(ExchangeTest, ReportOfAFixedModuleByteForByte) {
  OpenBus();
  console.press(ops, ids::kRead4SXY);
  const std::vector<uint8_t> reply = ReplyOf(FixedBlock());
  const std::string decoded = ReportOf(kReader4SXY, FixedBlock());
  // 85 bytes: lines end after bytes 24, 48 and 72; the last 13 follow.
  const std::string expected = kRequestOnly + ReplySection(reply) + decoded;
  EXPECT_EQ(console.pane, expected);
  EXPECT_TRUE(console.boxes.empty());
  EXPECT_EQ(decoded.rfind("程序版本：620\r\n", 0), 0u);
}

TEST_F(ExchangeTest, PortClosedEndsBeforeTheStationIsRead) {
  console.fields[ids::kStation] = "abc";
  console.pane = "old";
  console.press(ops, ids::kRead4SXY);
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"串口未打开!"});
  EXPECT_EQ(console.pane, "");
}

TEST_F(ExchangeTest, StationTexts) {
  OpenBus();
  for (const char* bad : {"256", "0", "-1", "abc", "99999999999"}) {
    console.boxes.clear();
    console.fields[ids::kStation] = bad;
    console.press(ops, ids::kRead4SXY);
    EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"非法的站号！"}) << bad;
    EXPECT_EQ(console.pane, "") << bad;
  }
  // A field left empty is named, never read as a station.
  console.boxes.clear();
  console.fields[ids::kStation] = " ";
  console.press(ops, ids::kRead4SXY);
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"非法的站号！\r\n模块站号未填写。"});
  EXPECT_TRUE(bus->receivedFrames().empty());
  for (const char* twelve : {"  12", "12ab", "+12"}) {
    console.boxes.clear();
    console.fields[ids::kStation] = twelve;
    console.press(ops, ids::kRead4SXY);
    EXPECT_TRUE(console.boxes.empty()) << twelve;
    EXPECT_EQ(ops.txFrame().bytes[0], 12) << twelve;
    EXPECT_NE(console.pane.find("程序版本："), std::string::npos) << twelve;
  }
}

TEST_F(ExchangeTest, RefusedModuleLeavesTheRequestSectionAlone) {
  bus->setRegisters(1, {{0, 10000}});
  OpenBus();
  console.press(ops, ids::kRead4SXY);
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"不支持的设备型号！"});
  EXPECT_EQ(console.pane, kRequestOnly);
}

TEST_F(ExchangeTest, FaultsEndWithTheirBoxAndTheRequestSection) {
  const struct {
    SimFault fault;
    ExchangeError kind;
    const char* box;
  } cases[] = {
      {SimFault::kSilence, ExchangeError::kNoReply, "通讯错误或设备型号不兼容！\r\n无应答（等待 1025 ms）"},
      {SimFault::kShortReply, ExchangeError::kShortReply, "通讯错误或设备型号不兼容！\r\n收到 84 / 85 字节"},
      {SimFault::kGap, ExchangeError::kShortReply, "通讯错误或设备型号不兼容！\r\n收到 42 / 85 字节"},
      {SimFault::kBadCrc, ExchangeError::kBadCrc, "数据错误\r\n校验错误"},
      {SimFault::kException, ExchangeError::kException,
       "通讯错误或设备型号不兼容！\r\n异常响应：功能码 0x83，异常码 0x04（从站设备故障）"},
  };
  OpenBus();
  ExchangeParams read4SXY;
  read4SXY.replyPduLength = ReadReplyPduLength(40);
  read4SXY.request = [this](int station, Framing framing) {
    BuildReadRequest(ops.context().tx, framing, static_cast<uint8_t>(station), 0, 40);
    return true;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.fault));
    console.boxes.clear();
    bus->injectFault(c.fault);
    console.press(ops, ids::kRead4SXY);
    bus->waitUntilSent();  // the late half of a gapped reply
    // The system's own line, then what came and where it was asked.
    EXPECT_EQ(console.infoTexts(), std::vector<std::string>{std::string(c.box) + "；站号 1，9600 N,8,1"});
    // The bytes that came stand under the request.
    if (c.fault == SimFault::kSilence)
      EXPECT_EQ(console.pane, kRequestOnly);
    else
      EXPECT_EQ(console.pane.rfind(kRequestOnly + kReceivedHeading + "01 ", 0), 0u) << console.pane;
    EXPECT_EQ(ops.link().isOpen, 1);
    bus->injectFault(c.fault);
    EXPECT_EQ(RunExchange(ops.context(), StationInput::Of(1), read4SXY).error, c.kind);
    bus->waitUntilSent();
  }
  // Stray bytes after a whole reply do not spoil it, nor the next exchange.
  console.boxes.clear();
  bus->injectFault(SimFault::kExtraBytes);
  console.press(ops, ids::kRead4SXY);
  console.press(ops, ids::kRead4SXY);
  EXPECT_TRUE(console.boxes.empty());
  EXPECT_NE(console.pane.find("程序版本：620"), std::string::npos);
}

TEST_F(ExchangeTest, ReadBeyondTheRegisterFileNamesTheException) {
  OpenBus();
  console.fields[ids::kReadStart] = "100";
  console.fields[ids::kReadCount] = "2";
  console.press(ops, ids::kReadRegisters);
  ASSERT_EQ(console.infoTexts().size(), 1u);
  EXPECT_EQ(console.infoTexts()[0],
            "通讯错误或设备型号不兼容！\r\n异常响应：功能码 0x83，异常码 0x02（非法数据地址）；站号 1，9600 N,8,1");
}

TEST_F(ExchangeTest, ExceptionReplyEndsTheReadWithoutWaitingForTheTimeOut) {
  // At 1200 baud a silent module costs 12 x 85 + 4100 ms; an exception ends at once.
  bus = std::make_unique<SimBus>();
  AddModule({.station = 1, .model = SimOf("4SXY"), .baudRate = 1200});
  console.combos[ids::kBaudRate] = 0;
  console.press(ops, ids::kBaudRate);
  OpenBus();
  bus->injectFault(SimFault::kException);
  const auto start = std::chrono::steady_clock::now();
  console.press(ops, ids::kRead4SXY);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::milliseconds(3000));
  EXPECT_EQ(console.infoTexts().size(), 1u);
}

TEST_F(ExchangeTest, VanishedDeviceIsAReadFailure) {
  OpenBus();
  bus->injectFault(SimFault::kVanish);
  console.press(ops, ids::kRead4SXY);
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"读串口失败!"});
  EXPECT_EQ(console.pane, kRequestOnly);
  EXPECT_EQ(ops.link().isOpen, 1);  // a failed exchange never changes the link
}

TEST_F(ExchangeTest, UnusedReceiveBytesReadAsZero) {
  OpenBus();
  console.press(ops, ids::kRead4SXY);
  const RxFrame& rx = ops.rxFrame();
  EXPECT_EQ(rx.count, 85u);
  for (int i = 85; i < 256; ++i) ASSERT_EQ(rx.bytes[i], 0) << i;
}

}  // namespace
