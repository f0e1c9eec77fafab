// The single-request readers run whole against simulated modules: the request
// each one sends, the reply length it takes, and the version refusal.
#include <gtest/gtest.h>

#include <array>
#include <iterator>
#include <regex>
#include <string>

#include "support/bus_fixture.h"
#include "support/models.h"

namespace {

struct ModelRun {
  const char* name;
  int station;
  uint16_t versionRegister;
  std::array<uint8_t, 8> request;
  uint32_t replyLength;
};

const ModelRun kRuns[] = {
    {"16RXY", 1, 0, {0x01, 0x03, 0x00, 0x00, 0x00, 0x38, 0x44, 0x18}, 117},
    {"8RXYZ", 2, 0, {0x02, 0x03, 0x00, 0x00, 0x00, 0x20, 0x44, 0x21}, 69},
    {"12RX", 3, 0, {0x03, 0x03, 0x00, 0x00, 0x00, 0x2C, 0x45, 0xF5}, 93},
    {"10RX", 4, 0, {0x04, 0x03, 0x00, 0x00, 0x00, 0x30, 0x45, 0x8B}, 101},
    {"5RXZ", 5, 0, {0x05, 0x03, 0x00, 0x00, 0x00, 0x17, 0x04, 0x40}, 51},
    {"5UZ", 6, 0, {0x06, 0x03, 0x00, 0x00, 0x00, 0x21, 0x84, 0x65}, 71},
    // The foreign meter's first word is register 72, and it is never refused.
    {"foreign", 7, 72, {0x07, 0x03, 0x00, 0x48, 0x00, 0x07, 0x84, 0x78}, 19},
};

class ReaderRuns : public BusFixture {
 protected:
  void SetUp() override {
    BusFixture::SetUp();
    for (const ModelRun& r : kRuns) AddModule({.station = r.station, .model = SimOf(r.name)});
    AddModule({.station = 8, .model = SimOf("9VXY")});
    OpenBus();
  }

  void Press(const ModelRun& r) {
    console.boxes.clear();
    console.fields[ids::kStation] = std::to_string(r.station);
    ASSERT_TRUE(console.press(ops, ModelNamed(r.name).buttonId));
  }
};

TEST_F(ReaderRuns, RequestReplyAndDecodedReport) {
  for (const ModelRun& r : kRuns) {
    SCOPED_TRACE(r.name);
    bus->setRegisters(r.station, {{r.versionRegister, 9999}});
    Press(r);
    EXPECT_TRUE(console.boxes.empty());
    const TxFrame& tx = ops.txFrame();
    EXPECT_EQ(std::vector<uint8_t>(tx.bytes, tx.bytes + 8),
              std::vector<uint8_t>(r.request.begin(), r.request.end()));
    ASSERT_FALSE(bus->receivedFrames().empty());
    EXPECT_EQ(bus->receivedFrames().back(), std::vector<uint8_t>(r.request.begin(), r.request.end()));
    EXPECT_EQ(ops.rxFrame().count, r.replyLength);
    std::string decoded;
    ModelNamed(r.name).reader.format(decoded, WordsOf(ops.rxFrame()));
    const std::string head = RequestSection(r.request.data(), 8) + "\r\n\r\n十六进制显示接收数据：\r\n";
    EXPECT_EQ(console.pane.rfind(head, 0), 0u);
    ASSERT_GT(console.pane.size(), decoded.size());
    EXPECT_EQ(console.pane.substr(console.pane.size() - decoded.size()), decoded);
  }
}

TEST_F(ReaderRuns, Version10000LeavesTheRequestAlone) {
  for (const ModelRun& r : kRuns) {
    SCOPED_TRACE(r.name);
    bus->setRegisters(r.station, {{r.versionRegister, 10000}});
    Press(r);
    if (ModelNamed(r.name).reader.accepts == nullptr) {
      EXPECT_TRUE(console.boxes.empty());
      EXPECT_NE(console.pane.find("电压：10000； "), std::string::npos);
      continue;
    }
    EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"不支持的设备型号！"});
    EXPECT_EQ(console.pane, RequestSection(r.request.data(), 8));
  }
}

size_t Matches(const std::string& text, const char* pattern) {
  const std::regex re(pattern);
  return static_cast<size_t>(
      std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
}

// The simulated modules' live readings land where the decoders look: a few
// amperes, about 50 Hz, about 220 V, unit ratios.
TEST_F(ReaderRuns, LiveReadingsDecodeAsPlausibleValues) {
  bus->setLiveValues(true);
  const char* kHertz = "00(49\\.9|50\\.[01])";
  const std::string current = std::string("通道  电流：00[1-5]\\.\\d\\d； 频率：") + kHertz;
  const std::string acdc = std::string("通道->交直流：00[1-4]\\.\\d\\d； 直流：(-0|00)[0-2]\\.\\d\\d； "
                                       "交流：00[1-4]\\.\\d\\d； 频率：") + kHertz + "； 变比：00001";
  const struct {
    int station;
    const char* name;
    std::string pattern;
    size_t matches;
  } cases[] = {
      {1, "16RXY", current + "； 变比：00001", 16},
      {2, "8RXYZ", current + "； 变比：00001", 8},
      {3, "12RX", current + "； 变比：00001", 12},
      {4, "10RX", current + "； 快速：00[1-5]\\.\\d\\d； 变比：00001", 10},
      {5, "5RXZ", current + "； 变比：00001", 5},
      {6, "5UZ", acdc, 5},
      {6, "5UZ", "直流：-01\\.\\d\\d", 1},  // one DC part flows the other way
      {8, "9VXY", std::string("基频：") + kHertz, 10},
      {8, "9VXY", "因数：0\\.9[45]\\d\\d\\r\\n正向：0000\\d{6} ", 8},
      {8, "9VXY", "有功：-\\d{4} 因数：-0\\.(89|90)\\d\\d\\r\\n正向：\\d{10} 反向：0000\\d{6}", 1},
      {8, "9VXY", "快速值->电压：2[12]\\d{3} 基频：.*\\r\\n慢速值->电压：2[12]\\d{3} 频率：0(49\\.9\\d|50\\.0\\d)", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    console.boxes.clear();
    console.fields[ids::kStation] = std::to_string(c.station);
    ASSERT_TRUE(console.press(ops, ModelNamed(c.name).buttonId));
    EXPECT_TRUE(console.boxes.empty());
    EXPECT_EQ(Matches(console.pane, c.pattern.c_str()), c.matches) << c.pattern << "\n" << console.pane;
  }
}

}  // namespace
