// The tap records what crossed the port, as it crossed, and nothing else.
#include <gtest/gtest.h>

#include <memory>

#include "link/traffic_tap.h"
#include "support/scripted_port.h"

namespace {

class TrafficTapTest : public ::testing::Test {
 protected:
  ScriptedPort* inner = nullptr;
  std::unique_ptr<TrafficTap> tap;
  std::vector<TrafficRecord> records;

  void SetUp() override {
    auto port = std::make_unique<ScriptedPort>();
    inner = port.get();
    tap = std::make_unique<TrafficTap>(std::move(port));
    tap->addListener([this](const TrafficRecord& r) { records.push_back(r); });
    ASSERT_EQ(tap->open("scripted"), OpenError::kNone);
    tap->setTimeouts(PortTimeouts{0, 2, 100, 1, 40});
  }

  IoResult Read(size_t count, const SerialPort::CompleteTest& complete = {}) {
    uint8_t buffer[64] = {};
    return tap->read(buffer, count, complete);
  }
};

TEST_F(TrafficTapTest, RecordsEachTransferWithItsBytesLengthAndEnd) {
  const std::vector<uint8_t> request{0x01, 0x03, 0x00, 0x00, 0x00, 0x01, 0x84, 0x0A};
  tap->write(request.data(), request.size());
  inner->replies.push_back({0x01, 0x03, 0x02, 0x02});  // short: 4 of 7
  Read(7);
  Read(7);  // nothing at all
  inner->failReads = true;
  Read(7);

  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].direction, TrafficDirection::kTx);
  EXPECT_EQ(records[0].bytes, request);
  EXPECT_EQ(records[0].end, TrafficEnd::kComplete);
  EXPECT_EQ(records[0].timeoutMs, 1 * 8 + 40);

  EXPECT_EQ(records[1].direction, TrafficDirection::kRx);
  EXPECT_EQ(records[1].bytes, (std::vector<uint8_t>{0x01, 0x03, 0x02, 0x02}));
  EXPECT_EQ(records[1].expected, 7u);
  EXPECT_EQ(records[1].end, TrafficEnd::kTimeOut);
  EXPECT_EQ(records[1].timeoutMs, 2 * 7 + 100);

  EXPECT_TRUE(records[2].bytes.empty());
  EXPECT_EQ(records[2].end, TrafficEnd::kTimeOut);
  EXPECT_EQ(records[3].end, TrafficEnd::kFailed);

  // One time base, first record at 0, in order.
  EXPECT_EQ(records[0].beginUs, 0);
  for (size_t i = 1; i < records.size(); ++i) EXPECT_GE(records[i].beginUs, records[i - 1].endUs);
  EXPECT_EQ(records[3].firstWall, records[0].firstWall);
}

TEST_F(TrafficTapTest, EachRecordCarriesTheLineItCrossed) {
  tap->setLine(19200, Parity::kEven, 1);
  Read(7);
  tap->setLine(1200, Parity::kNone, 2);
  Read(7);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].baudRate, 19200);
  EXPECT_EQ(records[0].parity, Parity::kEven);
  EXPECT_EQ(records[1].baudRate, 1200);
  EXPECT_EQ(records[1].stopBits, 2);
  EXPECT_EQ(inner->lines.back().baudRate, 1200);
}

TEST_F(TrafficTapTest, AReadTheCompletenessTestEndsEarlyIsComplete) {
  inner->replies.push_back({0x01, 0x83, 0x02, 0xC0, 0xF1});
  const IoResult got = Read(7, [](const uint8_t*, size_t n) { return n == 5; });
  EXPECT_EQ(got.count, 5u);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].end, TrafficEnd::kComplete);
}

TEST_F(TrafficTapTest, APartialWriteShowsWhatThePortTook) {
  inner->shortWriteNumber = 1;
  const uint8_t request[] = {1, 2, 3, 4};
  tap->write(request, 4);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].bytes, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(records[0].end, TrafficEnd::kTimeOut);
}

TEST_F(TrafficTapTest, ARemovedListenerHearsNoMore) {
  TrafficQueue queue;
  const int id = tap->addListener([&](const TrafficRecord& r) { queue.push(r); });
  Read(1);
  tap->removeListener(id);
  Read(1);
  EXPECT_EQ(queue.drain().size(), 1u);
  EXPECT_EQ(records.size(), 2u);
}

TEST(TrafficQueue, DrainsInOrderAndDropsTheOldestBeyondItsLimit) {
  TrafficQueue queue(3);
  for (uint8_t i = 0; i < 5; ++i) {
    TrafficRecord r;
    r.bytes = {i};
    queue.push(r);
  }
  const std::vector<TrafficRecord> drained = queue.drain();
  ASSERT_EQ(drained.size(), 3u);
  EXPECT_EQ(drained[0].bytes[0], 2);
  EXPECT_EQ(drained[2].bytes[0], 4);
  EXPECT_EQ(queue.dropped(), 2u);
  EXPECT_TRUE(queue.drain().empty());
}

}  // namespace
