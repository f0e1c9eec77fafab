#include "modbus/frame_verdict.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

TrafficRecord Rx(std::vector<uint8_t> bytes, size_t expected, TrafficEnd end = TrafficEnd::kComplete) {
  TrafficRecord r;
  r.direction = TrafficDirection::kRx;
  r.bytes = std::move(bytes);
  r.expected = expected;
  r.timeoutMs = 66;
  r.end = end;
  return r;
}

TEST(FrameVerdict, TextOfEachKindOfReply) {
  struct Case {
    TrafficRecord record;
    std::string text;
  };
  const Case cases[] = {
      {Rx({0x01, 0x03, 0x02, 0x02, 0xBC, 0xB8, 0x95}, 7), "[CRC ok] function 03, 7 of 7 bytes"},
      {Rx({0x01, 0x03, 0x02, 0x02, 0xBC, 0xB8, 0x6A}, 7), "[CRC bad] function 03, 7 of 7 bytes"},
      {Rx({0x01, 0x83, 0x02, 0xC0, 0xF1}, 7),
       "[CRC ok] function 83, exception 02 非法数据地址, 5 of 7 bytes"},
      {Rx({0x01, 0x03, 0x02, 0x02, 0xBC, 0xB8}, 7, TrafficEnd::kTimeOut),
       "[CRC bad] [time-out after 66 ms] function 03, 6 of 7 bytes"},
      {Rx({0x01, 0x03}, 7, TrafficEnd::kFailed), "[no CRC] [port failed] function 03, 2 of 7 bytes"},
      {Rx({}, 7, TrafficEnd::kTimeOut), "[time-out] nothing in 66 ms, 7 bytes expected"},
      {Rx({}, 7, TrafficEnd::kFailed), "[port failed] nothing transferred"},
  };
  for (const Case& c : cases) EXPECT_EQ(VerdictText(JudgeFrame(c.record)), c.text);
}

TEST(FrameVerdict, AnExceptionFrameWithABadCrcNamesNoException) {
  const FrameVerdict v = JudgeFrame(Rx({0x01, 0x83, 0x02, 0xC0, 0xF2}, 7));
  EXPECT_EQ(v.crc, FrameVerdict::Crc::kBad);
  EXPECT_FALSE(v.exceptionCode);
}

TEST(TraceLine, TimeOfDayDirectionBytesAndForARequestNoVerdict) {
  TrafficRecord tx;
  tx.bytes = {0x01, 0x03, 0x00, 0x00, 0x00, 0x28, 0x45, 0xD4};
  tx.expected = 8;
  EXPECT_TRUE(std::regex_match(TraceLine(tx), std::regex(R"(\d\d:\d\d:\d\d\.\d{6} TX 01 03 00 00 00 28 45 D4)")))
      << TraceLine(tx);
  const std::string rx = TraceLine(Rx({0x01, 0x03, 0x02, 0x02, 0xBC, 0xB8, 0x6A}, 7));
  EXPECT_TRUE(std::regex_match(rx, std::regex(R"(\d\d:\d\d:\d\d\.\d{6} RX 01 03 02 02 BC B8 6A \[CRC bad\] .*)")))
      << rx;
}

// A reply is stamped when it ends, a request when it starts, on one wall clock.
TEST(TraceLine, MicrosecondsCountFromTheFirstFrame) {
  TrafficRecord a = Rx({}, 7, TrafficEnd::kTimeOut);
  a.firstWall = std::chrono::system_clock::time_point{} + std::chrono::hours(24 * 365 * 30);
  a.beginUs = 10;
  a.endUs = 1000123;
  TrafficRecord b = a;
  b.direction = TrafficDirection::kTx;
  EXPECT_EQ(a.wallTime() - b.wallTime(), std::chrono::microseconds(1000113));
}

}  // namespace
