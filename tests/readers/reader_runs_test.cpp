// The single-request readers run whole against simulated modules: the request
// each one sends, the reply length it takes, and the version refusal.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "readers/models.h"
#include "support/bus_fixture.h"

namespace {

struct ModelRun {
  const ReaderModel* model;
  int station;
  uint16_t versionRegister;
  std::array<uint8_t, 8> request;
  uint32_t replyLength;
};

const ModelRun kRuns[] = {
    {&kReader16RXY, 1, 0, {0x01, 0x03, 0x00, 0x00, 0x00, 0x38, 0x44, 0x18}, 117},
    {&kReader8RXYZ, 2, 0, {0x02, 0x03, 0x00, 0x00, 0x00, 0x20, 0x44, 0x21}, 69},
    {&kReader12RX, 3, 0, {0x03, 0x03, 0x00, 0x00, 0x00, 0x2C, 0x45, 0xF5}, 93},
    {&kReader10RX, 4, 0, {0x04, 0x03, 0x00, 0x00, 0x00, 0x30, 0x45, 0x8B}, 101},
    {&kReader5RXZ, 5, 0, {0x05, 0x03, 0x00, 0x00, 0x00, 0x17, 0x04, 0x40}, 51},
    {&kReader5UZ, 6, 0, {0x06, 0x03, 0x00, 0x00, 0x00, 0x21, 0x84, 0x65}, 71},
    // The foreign meter's first word is register 72, and it is never refused.
    {&kReaderForeignMeter, 7, 72, {0x07, 0x03, 0x00, 0x48, 0x00, 0x07, 0x84, 0x78}, 19},
};

class ReaderRuns : public BusFixture {
 protected:
  void SetUp() override {
    BusFixture::SetUp();
    for (const ModelRun& r : kRuns) AddModule({.station = r.station, .model = r.model->cliName});
    OpenBus();
  }

  void Press(const ModelRun& r) {
    console.boxes.clear();
    console.fields[ids::kStation] = std::to_string(r.station);
    ASSERT_TRUE(ops.Dispatch(r.model->buttonId));
  }
};

TEST_F(ReaderRuns, RequestReplyAndDecodedReport) {
  for (const ModelRun& r : kRuns) {
    SCOPED_TRACE(r.model->cliName);
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
    r.model->format(decoded, ops.rxFrame().bytes);
    const std::string head = RequestSection(r.request.data(), 8) + "\r\n\r\n十六进制显示接收数据：\r\n";
    EXPECT_EQ(console.pane.rfind(head, 0), 0u);
    ASSERT_GT(console.pane.size(), decoded.size());
    EXPECT_EQ(console.pane.substr(console.pane.size() - decoded.size()), decoded);
  }
}

TEST_F(ReaderRuns, Version10000LeavesTheRequestAlone) {
  for (const ModelRun& r : kRuns) {
    SCOPED_TRACE(r.model->cliName);
    bus->setRegisters(r.station, {{r.versionRegister, 10000}});
    Press(r);
    if (r.model->accepts == nullptr) {
      EXPECT_TRUE(console.boxes.empty());
      EXPECT_NE(console.pane.find("电压：10000； "), std::string::npos);
      continue;
    }
    EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"不支持的设备型号！"});
    EXPECT_EQ(console.pane, RequestSection(r.request.data(), 8));
  }
}

}  // namespace
