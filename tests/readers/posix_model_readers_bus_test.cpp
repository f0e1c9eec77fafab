// The 3SXY, 8SXY, 3RX, 4RXY and 4WX buttons run whole: console, POSIX serial port,
// pseudo-terminal and simulated modules.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "console/text.h"
#include "readers/models.h"
#include "support/bus_fixture.h"
#include "support/models.h"
#include "support/reply.h"

namespace {

using Bytes = std::vector<uint8_t>;

const struct Model {
  const char* name;
  int station;
  const ReaderModel* reader;
  Bytes request;  // to that station
  const char* firstLine;
} kModels[] = {
    {"3SXY", 1, &kReader3SXY, {0x01, 0x03, 0x00, 0x00, 0x00, 0x60, 0x45, 0xE2}, "设备型号："},
    {"8SXY", 2, &kReader8SXY, {0x02, 0x03, 0x00, 0x00, 0x00, 0x28, 0x45, 0xE7}, "程序版本："},
    {"3RX", 3, &kReader3RX, {0x03, 0x03, 0x00, 0x00, 0x00, 0x2D, 0x84, 0x35}, "程序版本："},
    {"4RXY", 4, &kReader4RXY, {0x04, 0x03, 0x00, 0x00, 0x00, 0x30, 0x45, 0x8B}, "程序版本："},
    {"4WX", 5, &kReader4WX, {0x05, 0x03, 0x00, 0x00, 0x00, 0x78, 0x44, 0x6C}, "程序版本："},
};

class ModelReadersOnBus : public BusFixture {
 protected:
  void SetUp() override {
    BusFixture::SetUp();
    for (const Model& m : kModels) {
      SimModuleConfig config;
      config.station = m.station;
      config.model = SimOf(m.name);
      AddModule(config);
    }
    OpenBus();
  }

  void Press(const Model& m) {
    console.fields[ids::kStation] = std::to_string(m.station);
    console.boxes.clear();
    ASSERT_TRUE(console.press(ops, ModelNamed(m.name).buttonId));
  }
};

// Live readings from the simulated modules decode without a box; the request
// carries each model's register count.
TEST_F(ModelReadersOnBus, RequestsEachBlockAndDecodesLiveReadings) {
  for (const Model& m : kModels) {
    SCOPED_TRACE(m.name);
    Press(m);
    EXPECT_TRUE(console.boxes.empty());
    EXPECT_EQ(Bytes(ops.txFrame().bytes, ops.txFrame().bytes + ops.txFrame().length), m.request);
    const std::string reportStart = "\r\n\r\n" + std::string(m.firstLine);
    EXPECT_NE(console.pane.find(reportStart), std::string::npos) << console.pane;
  }
}

TEST_F(ModelReadersOnBus, FullPaneOf3SXY) {
  const std::vector<uint16_t> words = WordsOf(96, {
      {0, 21144}, {1, 620}, {2, 0x0A0B}, {4, 5}, {5, 250}, {9, 0xFFFF}, {10, 0xFFFF},
      {12, 1100}, {15, 9950}, {24, 250}, {25, 22000}, {28, 0xFFFF}, {85, 3},
  });
  bus->setRegisters(1, RegistersOf(words));
  Press(kModels[0]);
  EXPECT_TRUE(console.boxes.empty());
  EXPECT_EQ(console.pane,
            RequestSection(kModels[0].request) + ReplySection(ReplyOf(words, 1)) +
                "设备型号：21144\r\n程序版本：620\r\n出厂日期：0A-0B\r\n电流量程：5\r\n电压量程：250\r\n"
                "三相视在：-1\r\n三相有功：1100\r\n三相无功：0\r\n功率因数：99.50%\r\n\r\n"
                "一路电流：2.50\r\n一路相电：220.00\r\n一路线电：0.00\r\n一路视在：0\r\n"
                "一路有功：-1\r\n一路无功：0\r\n功率因数：0.00%\r\n电流谐波：0.00\r\n"
                "电流畸变：0.00%\r\n电压谐波：0.00\r\n电压畸变：0.00%\r\n电流变比：0\r\n"
                "电压变比：0\r\n\r\n"
                "二路电流：0.00\r\n二路相电：0.00\r\n二路线电：0.00\r\n二路视在：0\r\n"
                "二路有功：0\r\n二路无功：0\r\n功率因数：0.00%\r\n电流谐波：0.00\r\n"
                "电流畸变：0.00%\r\n电压谐波：0.00\r\n电压畸变：0.00%\r\n电流变比：0\r\n"
                "电压变比：0\r\n\r\n"
                "三路电流：0.00\r\n三路相电：0.00\r\n三路线电：0.00\r\n三路视在：0\r\n"
                "三路有功：0\r\n三路无功：0\r\n功率因数：0.00%\r\n电流谐波：0.00\r\n"
                "电流畸变：0.00%\r\n电压谐波：0.00\r\n电压畸变：0.00%\r\n电流变比：0\r\n"
                "电压变比：3\r\n\r\n");
}

// A refused module leaves the request section alone, though its reply was sound.
TEST_F(ModelReadersOnBus, RefusedModulesLeaveTheRequestOnly) {
  const struct {
    size_t model;
    uint16_t word0;
  } cases[] = {
      {0, 0}, {0, 21134}, {0, 9999}, {1, 10000}, {2, 10000}, {3, 65535}, {4, 10000},
  };
  for (const auto& c : cases) {
    const Model& m = kModels[c.model];
    SCOPED_TRACE(std::string(m.name) + " " + std::to_string(c.word0));
    bus->setRegisters(m.station, {{0, c.word0}});
    Press(m);
    ASSERT_EQ(console.boxes.size(), 1u);
    EXPECT_EQ(console.boxes[0].kind, "提示");
    EXPECT_EQ(console.boxes[0].text, "不支持的设备型号！");
    EXPECT_EQ(console.pane, RequestSection(m.request));
  }
}

}  // namespace
