// The termios back end's time-outs over a pseudo-terminal.
#include "link/posix_serial_port.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "link/pty_pair.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

class PosixPortTimeouts : public ::testing::Test {
 protected:
  PtyPair pty;
  PosixSerialPort port;
  void SetUp() override {
    ASSERT_EQ(port.open(pty.slave()), OpenError::kNone);
    ASSERT_TRUE(port.setLine(9600, Parity::kNone, 1));
  }
  // The far end sends one byte each time the port waits, up to `count` bytes.
  void trickle(int count) {
    port.setIdleCallback([this, count, sent = 0]() mutable {
      if (sent < count) pty.send({static_cast<uint8_t>(++sent)});
      std::this_thread::sleep_for(2ms);
    });
  }
};

TEST_F(PosixPortTimeouts, ZeroIntervalOrZeroTotalsWaitForTheWholeReply) {
  const PortTimeouts cases[] = {{0, 0, 0, 0, 0}, {0, 0, 60000, 0, 0}, {60000, 0, 0, 0, 0}};
  for (const PortTimeouts& t : cases) {
    port.setTimeouts(t);
    trickle(6);
    uint8_t buffer[6] = {};
    const IoResult got = port.read(buffer, sizeof buffer);
    EXPECT_TRUE(got.ok);
    EXPECT_EQ(got.count, 6u) << t.readInterval << " " << t.readConstant;
    EXPECT_EQ(buffer[5], 6);
  }
}

TEST_F(PosixPortTimeouts, IntervalEndsAReplyThatStopsShort) {
  port.setTimeouts({50, 0, 60000, 0, 0});
  pty.send({1, 2, 3});
  uint8_t buffer[8];
  const auto start = Clock::now();
  const IoResult got = port.read(buffer, sizeof buffer);
  EXPECT_TRUE(got.ok);
  EXPECT_EQ(got.count, 3u);
  EXPECT_LT(Clock::now() - start, 30s);  // ended by the interval, not the minute
}

TEST_F(PosixPortTimeouts, BytesThatArriveWhileTheIdleCallbackOverrunsAreRead) {
  port.setTimeouts({20, 0, 20, 0, 0});
  bool sent = false;
  port.setIdleCallback([&] {
    if (!sent) pty.send({0x01, 0x03, 0x02, 0x00, 0x2A, 0x39, 0x9B});
    sent = true;
    std::this_thread::sleep_for(100ms);  // a slow repaint, past the deadline
  });
  uint8_t buffer[7];
  const IoResult got = port.read(buffer, sizeof buffer);
  EXPECT_TRUE(got.ok);
  EXPECT_EQ(got.count, 7u);
}

TEST_F(PosixPortTimeouts, WriteStopsAtItsTimeOutWhenTheFarEndDoesNotRead) {
  port.setTimeouts({0, 0, 0, 0, 50});
  const std::vector<uint8_t> big(1 << 20, 0x55);
  const IoResult put = port.write(big.data(), big.size());
  EXPECT_TRUE(put.ok);
  EXPECT_GT(put.count, 0u);
  EXPECT_LT(put.count, big.size());
}

}  // namespace
