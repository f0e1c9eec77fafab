#include <gtest/gtest.h>

#include <string>

#include "readers/models.h"
#include "support/reply.h"

namespace {

// Word 0 is register 72; active, reactive power and power factor are signed.
TEST(ReaderForeignMeter, RawValueLine) {
  const struct {
    std::vector<uint16_t> words;
    const char* line;
  } cases[] = {
      {{2200, 0xFFFF, 0xFFFF, 0xFC18, 0xFF38, 0xFF9C, 5000},
       "电压：02200； 电流：65535； 有功：-0001； 无功：-1000； 视在：65336； 因数：-0100； 频率：05000\r\n"},
      {{0xFFFF, 0, 0xFC18, 0xFFFF, 0, 0xFFFF, 0},
       "电压：65535； 电流：00000； 有功：-1000； 无功：-0001； 视在：00000； 因数：-0001； 频率：00000\r\n"},
  };
  for (const auto& c : cases) {
    std::string report;
    kReaderForeignMeter.format(report, WordsIn(ReplyOf(c.words)));
    EXPECT_EQ(report, c.line);
  }
  EXPECT_EQ(kReaderForeignMeter.start, 72);
  EXPECT_EQ(kReaderForeignMeter.count, 7);
  EXPECT_EQ(kReaderForeignMeter.accepts, nullptr);  // another make: no version word
}

}  // namespace
