#include <gtest/gtest.h>

#include <string>

#include "readers/models.h"
#include "support/reply.h"

namespace {

TEST(Reader3RX, FullReport) {
  const auto reply = ReplyOf(WordsOf(45, {
      {0, 9999}, {1, 5}, {2, 250}, {3, 0xFFFF}, {4, 0x1605}, {5, 0xFFFF}, {6, 10}, {7, 0x0A05},
      {8, 500}, {9, 0xFFFF}, {10, 1},           // current
      {11, 2200}, {12, 0xFFFF}, {13, 0},        // phase voltage
      {14, 3810}, {15, 3811}, {16, 3809},       // line voltage
      {17, 0xFF9C}, {18, 110}, {19, 0},         // apparent
      {20, 0xFF9C}, {21, 0x8000}, {22, 0x7FFF}, // active, signed
      {23, 0xFFFF}, {24, 50}, {25, 0xFF38},     // reactive, signed
      {26, 10000}, {27, 9950}, {28, 0},         // power factor
      {29, 0xFFFF}, {30, 0xFF9C}, {31, 0x8000}, {32, 9900},  // totals
      {33, 500}, {34, 499}, {35, 501},          // current frequency
      {36, 500}, {37, 0}, {38, 0xFFFF},         // voltage frequency
      {39, 1}, {40, 65535}, {41, 100},          // current ratio
      {42, 0}, {43, 12}, {44, 0xFFFF},          // voltage ratio
  }));
  std::string report;
  kReader3RX.format(report, WordsIn(reply));
  EXPECT_EQ(report,
            "程序版本：9999\r\n电流量程：5\r\n电压量程：250\r\n出厂日期：16-05\r\n分频系数：10\r\n"
            "信号阈值：10\r\n选频系数：5\r\n\r\n"
            "通道一\r\n电流    ：005.00A\r\n相电压  ：0220.0V\r\n线电压  ：0381.0V\r\n"
            "视在功率：654.36kVA\r\n有功功率：-01.00kW\r\n无功功率：-00.01kVar\r\n"
            "功率因数：100.00%\r\n电流频率：0050.0Hz\r\n电压频率：0050.0Hz\r\n"
            "电流变比：00001\r\n电压变比：00000\r\n\r\n"
            "通道二\r\n电流    ：655.35A\r\n相电压  ：6553.5V\r\n线电压  ：0381.1V\r\n"
            "视在功率：001.10kVA\r\n有功功率：-327.68kW\r\n无功功率：000.50kVar\r\n"
            "功率因数：099.50%\r\n电流频率：0049.9Hz\r\n电压频率：0000.0Hz\r\n"
            "电流变比：65535\r\n电压变比：00012\r\n\r\n"
            "通道三\r\n电流    ：000.01A\r\n相电压  ：0000.0V\r\n线电压  ：0380.9V\r\n"
            "视在功率：000.00kVA\r\n有功功率：327.67kW\r\n无功功率：-02.00kVar\r\n"
            "功率因数：000.00%\r\n电流频率：0050.1Hz\r\n电压频率：6553.5Hz\r\n"
            "电流变比：00100\r\n电压变比：65535\r\n\r\n"
            "总视在  ：655.35kVA\r\n总有功  ：-01.00kW\r\n总无功  ：-327.68kVar\r\n"
            "功率因数：099.00%\r\n");
}

}  // namespace
