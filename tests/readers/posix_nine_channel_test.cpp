#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "readers/models.h"
#include "support/bus_fixture.h"
#include "support/models.h"
#include "support/reply.h"

namespace {

// Channels 1, 5 and 9 carry the edge values (the ends of every array).
std::vector<uint16_t> EdgeBlock() {
  return WordsOf(156, {
      {0, 9999}, {1, 5}, {2, 250}, {3, 0xAAAA}, {4, 0x0A0B}, {6, 10}, {7, 0x3C02}, {8, 0xBBBB},
      {9, 60}, {10, 0xCCCC}, {11, 200}, {23, 0xDDDD},
      // channel 1 (j = 0)
      {24, 123}, {34, 0xFFFF}, {43, 500}, {53, 0xFFFF}, {63, 1}, {72, 0xFFFF}, {81, 10000},
      {91, 0x0001}, {92, 0x0000}, {109, 0xFFFF}, {110, 0xFFFF}, {127, 1000}, {137, 0}, {146, 1},
      // channel 5 (j = 4)
      {85, 0xFFFF}, {99, 0}, {100, 1}, {117, 0}, {118, 0xFFFF},
      // channel 9 (j = 8)
      {32, 5}, {42, 1100}, {51, 499}, {61, 7}, {71, 65535}, {80, 0xFF38}, {89, 0xEC78},
      {107, 0x7FFF}, {108, 0xFFFF}, {125, 0x8000}, {126, 0x0000}, {135, 9}, {145, 8}, {154, 100},
      // voltage input
      {33, 22000}, {52, 500}, {62, 21990}, {90, 5000}, {136, 1}, {155, 0xFFFF},
  });
}

std::string ZeroChannel(const char* name) {
  return std::string(name) +
         "\r\n快速值->电流：00000 视在：00000 基频：0000.0\r\n"
         "慢速值->电流：00000 视在：00000 有功：00000 因数：0.0000\r\n"
         "正向：0000000000 反向：0000000000 电流系数：00000 功率系数：00000 电流变比：00000\r\n\r\n";
}

TEST(Reader9VXY, ReportOfTheJoinedBlockByteForByte) {
  const std::string report = ReportOf(kReader9VXY, EdgeBlock());
  const std::string expected =
      "程序版本：9999\r\n电流量程：5\r\n电压量程：250\r\n出厂日期：0A-0B\r\n分频系数：10\r\n"
      "信号阈值：60\r\n选频系数：2\r\n存储时间：60\r\n更新速率：00C8\r\n\r\n"
      "通道一\r\n快速值->电流：00123 视在：65535 基频：0050.0\r\n"
      "慢速值->电流：65535 视在：00001 有功：-0001 因数：1.0000\r\n"
      "正向：0000065536 反向：-000000001 电流系数：01000 功率系数：00000 电流变比：00001\r\n\r\n" +
      ZeroChannel("通道二") + ZeroChannel("通道三") + ZeroChannel("通道四") +
      "通道五\r\n快速值->电流：00000 视在：00000 基频：0000.0\r\n"
      "慢速值->电流：00000 视在：00000 有功：00000 因数：-0.0001\r\n"
      "正向：0000000001 反向：0000065535 电流系数：00000 功率系数：00000 电流变比：00000\r\n\r\n" +
      ZeroChannel("通道六") + ZeroChannel("通道七") + ZeroChannel("通道八") +
      "通道九\r\n快速值->电流：00005 视在：01100 基频：0049.9\r\n"
      "慢速值->电流：00007 视在：65535 有功：-0200 因数：-0.5000\r\n"
      "正向：2147483647 反向：-2147483648 电流系数：00009 功率系数：00008 电流变比：00100\r\n\r\n"
      "电压通道\r\n快速值->电压：22000 基频：0050.0\r\n慢速值->电压：21990 频率：050.00\r\n"
      "电压系数：00001 电压变比：65535";
  EXPECT_EQ(report, expected);
}

const uint8_t kFirstRequest[] = {0x01, 0x03, 0x00, 0x00, 0x00, 0x78, 0x45, 0xE8};
const uint8_t kSecondRequest[] = {0x01, 0x03, 0x00, 0x78, 0x00, 0x24, 0xC5, 0xC8};

// The reader pauses between its two exchanges; a fault armed there hits the
// second reply only.
class PausingConsole : public FakeConsole {
 public:
  SimBus* bus = nullptr;
  SimFault faultAtPause = SimFault::kNone;
  void pause(int ms) override {
    FakeConsole::pause(ms);
    if (faultAtPause != SimFault::kNone) bus->injectFault(faultAtPause);
  }
};

class NineChannelOnBus : public BusFixtureWith<PausingConsole> {
 protected:
  void SetUp() override {
    BusFixtureWith::SetUp();
    console.bus = bus.get();
    AddModule({.station = 1, .model = SimOf("9VXY")});
    OpenBus();
  }

  void SetBlock(const std::vector<uint16_t>& words) { bus->setRegisters(1, RegistersOf(words)); }

  void Press() {
    console.boxes.clear();
    console.paneHistory.clear();
    console.pausedMs = 0;
    bus->clearReceived();
    console.press(ops, ids::kRead9VXY);
  }

  static std::string RequestSection(const uint8_t* request) { return ::RequestSection(request, 8); }
  static std::vector<uint8_t> FirstReply(const std::vector<uint16_t>& block) {
    return ReplyOf(std::vector<uint16_t>(block.begin(), block.begin() + 120));
  }
  static std::vector<uint8_t> SecondReply(const std::vector<uint16_t>& block) {
    return ReplyOf(std::vector<uint16_t>(block.begin() + 120, block.end()));
  }
  std::vector<std::vector<uint8_t>> Requests(size_t count) const {
    std::vector<std::vector<uint8_t>> frames{{std::begin(kFirstRequest), std::end(kFirstRequest)},
                                             {std::begin(kSecondRequest), std::end(kSecondRequest)}};
    frames.resize(count);
    return frames;
  }
};

TEST_F(NineChannelOnBus, TwoExchangesJoinedIntoOneReport) {
  const std::vector<uint16_t> block = EdgeBlock();
  SetBlock(block);
  Press();
  EXPECT_TRUE(console.boxes.empty());
  EXPECT_EQ(bus->receivedFrames(), Requests(2));
  EXPECT_EQ(console.pausedMs, 20);
  const std::string decoded = ReportOf(kReader9VXY, block);
  const std::string beforeSecondSend = RequestSection(kFirstRequest) +
                                       ReplySection(FirstReply(block)) +
                                       RequestSection(kSecondRequest);
  // 245 bytes: ten full dump lines and five bytes; 77 bytes: three lines and five.
  EXPECT_EQ(console.pane, beforeSecondSend + ReplySection(SecondReply(block)) + decoded);
  EXPECT_EQ(console.paneHistory,
            (std::vector<std::string>{"", RequestSection(kFirstRequest), beforeSecondSend,
                                      console.pane}));
}

TEST_F(NineChannelOnBus, FailuresKeepWhatWasShownBeforeTheFailingSend) {
  std::vector<uint16_t> refused = EdgeBlock();
  refused[0] = 10000;
  const struct {
    const char* name;
    std::vector<uint16_t> block;
    SimFault firstFault;
    SimFault secondFault;
    const char* box;
    size_t requests;
    bool replyShown;  // what came to the failing request stands under it
  } cases[] = {
      {"short first reply", EdgeBlock(), SimFault::kShortReply, SimFault::kNone,
       "通讯错误或设备型号不兼容！\r\n收到 244 / 245 字节；站号 1，9600 N,8,1", 1, true},
      {"short second reply", EdgeBlock(), SimFault::kNone, SimFault::kShortReply,
       "通讯错误或设备型号不兼容！\r\n收到 76 / 77 字节；站号 1，9600 N,8,1", 2, true},
      {"bad CRC in the second reply", EdgeBlock(), SimFault::kNone, SimFault::kBadCrc,
       "数据错误\r\n校验错误；站号 1，9600 N,8,1", 2, true},
      {"version 10000, judged after both replies", refused, SimFault::kNone, SimFault::kNone,
       "不支持的设备型号！", 2, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetBlock(c.block);
    console.faultAtPause = c.secondFault;
    if (c.firstFault != SimFault::kNone) bus->injectFault(c.firstFault);
    Press();
    EXPECT_EQ(console.infoTexts(), std::vector<std::string>{c.box});
    EXPECT_EQ(bus->receivedFrames(), Requests(c.requests));
    const std::string expected =
        c.requests == 1 ? RequestSection(kFirstRequest)
                        : RequestSection(kFirstRequest) + ReplySection(FirstReply(c.block)) +
                              RequestSection(kSecondRequest);
    if (c.replyShown)
      EXPECT_EQ(console.pane.rfind(expected + kReceivedHeading + "01 03 ", 0), 0u) << console.pane;
    else
      EXPECT_EQ(console.pane, expected);
  }
}

}  // namespace
