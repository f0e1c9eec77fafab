#include <gtest/gtest.h>

#include <string>

#include "readers/models.h"
#include "support/reply.h"

namespace {

TEST(Reader5UZ, ReportByteForByte) {
  const std::vector<uint8_t> reply = ReplyOf(WordsOf(33, {
      {0, 9999}, {1, 5}, {2, 10}, {3, 0xAAAA}, {4, 0x1605}, {5, 0xBBBB}, {6, 0x0A05}, {7, 0x3C02},
      {8, 22000}, {9, 0xFFFF}, {10, 500}, {11, 0}, {12, 1},                  // AC+DC
      {13, 0xFF6A}, {14, 0xFFFF}, {15, 0xFF9C}, {16, 0x7FFF}, {17, 0x8000},  // DC, signed
      {18, 0xFF6A}, {19, 0xFFFF}, {20, 123}, {21, 0}, {22, 2},               // AC
      {23, 500}, {24, 0xFFFF}, {25, 0}, {26, 1}, {27, 499},                  // frequency
      {28, 1}, {29, 0}, {30, 65535}, {31, 100}, {32, 5},                     // ratio
  }));
  std::string report;
  kReader5UZ.format(report, WordsIn(reply));
  EXPECT_EQ(report,
            "程序版本：9999\r\n电流量程：5\r\n电流量程：10\r\n出厂日期：16-05\r\n"
            "分频系数：2565\r\n信号阈值：60\r\n选频系数：2\r\n\r\n"
            "01通道->交直流：220.00； 直流：-01.50； 交流：653.86； 频率：0050.0； 变比：00001\r\n\r\n"
            "02通道->交直流：655.35； 直流：-00.01； 交流：655.35； 频率：6553.5； 变比：00000\r\n\r\n"
            "03通道->交直流：005.00； 直流：-01.00； 交流：001.23； 频率：0000.0； 变比：65535\r\n\r\n"
            "04通道->交直流：000.00； 直流：327.67； 交流：000.00； 频率：0000.1； 变比：00100\r\n\r\n"
            "05通道->交直流：000.01； 直流：-327.68； 交流：000.02； 频率：0049.9； 变比：00005\r\n\r\n");
}

}  // namespace
