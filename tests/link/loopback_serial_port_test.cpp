#include "link/loopback_serial_port.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using Bytes = std::vector<uint8_t>;

// A far end that answers every write with `reply` and notes the line it heard.
struct FarEnd {
  explicit FarEnd(Bytes answer = {}) : reply(std::move(answer)) {}
  Bytes reply;
  Bytes heard;
  LoopbackLine line;
  LoopbackSerialPort::FarEnd function() {
    return [this](const uint8_t* bytes, size_t count, const LoopbackLine& on) {
      heard.assign(bytes, bytes + count);
      line = on;
      return reply;
    };
  }
};

constexpr PortTimeouts kShort{40, 1, 40, 1, 40};  // a read of n bytes: n + 40 ms

TEST(LoopbackSerialPort, OpensOnlyByItsNameAndDoesNothingClosed) {
  FarEnd far;
  LoopbackSerialPort port("SIM", far.function());
  uint8_t byte = 0;
  EXPECT_FALSE(port.write(&byte, 1).ok);
  EXPECT_FALSE(port.read(&byte, 1).ok);
  EXPECT_EQ(port.open("COM5"), OpenError::kNotFound);
  EXPECT_EQ(port.open("SIM"), OpenError::kNone);
  EXPECT_TRUE(port.isOpen());
  port.close();
  EXPECT_FALSE(port.isOpen());
}

TEST(LoopbackSerialPort, TheFarEndHearsTheWriteOnTheLineSetAndItsReplyIsRead) {
  FarEnd far(Bytes{0x01, 0x03, 0x02, 0x12, 0x34, 0xB5, 0x33});
  LoopbackSerialPort port("SIM", far.function());
  ASSERT_EQ(port.open("SIM"), OpenError::kNone);
  port.setTimeouts(kShort);
  port.setLine(19200, Parity::kEven, 2);
  const Bytes request{0x01, 0x03, 0x00, 0x00, 0x00, 0x01, 0x84, 0x0A};
  EXPECT_EQ(port.write(request.data(), request.size()).count, request.size());
  EXPECT_EQ(far.heard, request);
  EXPECT_EQ(far.line.baudRate, 19200);
  EXPECT_EQ(far.line.parity, Parity::kEven);
  EXPECT_EQ(far.line.stopBits, 2);
  // Read in two parts, as the exchange may.
  Bytes got(7);
  EXPECT_EQ(port.read(got.data(), 3).count, 3u);
  EXPECT_EQ(port.read(got.data() + 3, 4).count, 4u);
  EXPECT_EQ(got, far.reply);
}

TEST(LoopbackSerialPort, AShortOrMissingReplyWaitsOutTheTimeOutWhileIdling) {
  for (const Bytes& reply : {Bytes{}, Bytes{0x01, 0x03}}) {
    FarEnd far(reply);
    LoopbackSerialPort port("SIM", far.function());
    ASSERT_EQ(port.open("SIM"), OpenError::kNone);
    port.setTimeouts(kShort);
    int idles = 0;
    port.setIdleCallback([&] { ++idles; });
    const uint8_t request = 0;
    port.write(&request, 1);
    Bytes got(20);
    const auto start = std::chrono::steady_clock::now();
    const IoResult result = port.read(got.data(), got.size());
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.count, reply.size());
    // Silence ends at 20 + 40 ms; after bytes, the 40 ms interval ends it.
    EXPECT_GE(waited, std::chrono::milliseconds(40));
    EXPECT_LT(waited, std::chrono::seconds(5));  // a hang fails
    EXPECT_GE(idles, 2);
  }
}

TEST(LoopbackSerialPort, ACompleteFrameEndsTheReadAndPurgeDropsWhatWasSent) {
  FarEnd far(Bytes{0x01, 0x83, 0x02, 0xC0, 0xF1});
  LoopbackSerialPort port("SIM", far.function());
  ASSERT_EQ(port.open("SIM"), OpenError::kNone);
  port.setTimeouts(PortTimeouts{5000, 0, 5000, 0, 5000});
  const uint8_t request = 0;
  port.write(&request, 1);
  Bytes got(37);
  const auto start = std::chrono::steady_clock::now();
  const IoResult result = port.read(got.data(), got.size(),
                                    [](const uint8_t*, size_t count) { return count == 5; });
  EXPECT_EQ(result.count, 5u);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  port.write(&request, 1);
  port.purge();
  port.setTimeouts(kShort);
  EXPECT_EQ(port.read(got.data(), 1).count, 0u);
}

}  // namespace
