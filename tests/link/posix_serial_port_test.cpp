// The termios back end's time-outs over a pseudo-terminal.
#include "link/posix_serial_port.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

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

// The port's clock stands still until the first idle call, a slow repaint,
// moves it past the deadline; the reply came meanwhile and is read all the same.
TEST_F(PosixPortTimeouts, BytesThatArriveWhileTheIdleCallbackOverrunsAreRead) {
  // A second descriptor on the device, opened before the port makes it
  // exclusive, only to see when the bytes have reached the port's side.
  port.close();
  const int watch = ::open(pty.slave().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(watch, 0);
  ASSERT_EQ(port.open(pty.slave()), OpenError::kNone);
  ASSERT_TRUE(port.setLine(9600, Parity::kNone, 1));
  Clock::time_point now = Clock::now();
  port.setClock([&] { return now; });
  port.setTimeouts({20, 0, 20, 0, 0});
  const std::vector<uint8_t> reply = {0x01, 0x03, 0x02, 0x00, 0x2A, 0x39, 0x9B};
  int idleCalls = 0;
  port.setIdleCallback([&] {
    if (++idleCalls > 1) return;
    pty.send(reply);
    int waiting = 0;
    for (int i = 0; i < 5000 && waiting < static_cast<int>(reply.size()); ++i) {
      std::this_thread::sleep_for(1ms);
      ::ioctl(watch, FIONREAD, &waiting);
    }
    now += 100ms;
  });
  uint8_t buffer[7];
  const IoResult got = port.read(buffer, sizeof buffer);
  ::close(watch);
  EXPECT_TRUE(got.ok);
  EXPECT_EQ(got.count, 7u);
  EXPECT_EQ(idleCalls, 1);
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
