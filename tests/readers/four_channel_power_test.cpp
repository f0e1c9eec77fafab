#include <gtest/gtest.h>

#include <string>

#include "readers/models.h"
#include "support/reply.h"

namespace {

// Channel 4 reads words 11, 15, ..., 47; every channel gets its own values.
TEST(Reader4RXY, FullReport) {
  const auto reply = ReplyOf(WordsOf(48, {
      {0, 0}, {1, 10}, {2, 400}, {3, 0xFFFF}, {4, 0x0A0B}, {5, 0xFFFF}, {6, 65535}, {7, 0xFF00},
      {8, 500}, {9, 0xFFFF}, {10, 0}, {11, 1234},          // current
      {12, 2200}, {13, 2201}, {14, 0}, {15, 0xFFFF},       // voltage
      {16, 0xFF9C}, {17, 100}, {18, 0}, {19, 5},           // apparent
      {20, 0xFF38}, {21, 0x7FFF}, {22, 0}, {23, 0xFFFF},   // active, signed
      {24, 0xFF9C}, {25, 0x8000}, {26, 1}, {27, 99},       // reactive, signed
      {28, 10000}, {29, 9950}, {30, 0}, {31, 1},           // power factor
      {32, 500}, {33, 0}, {34, 1}, {35, 600},              // current frequency
      {36, 500}, {37, 501}, {38, 0}, {39, 499},            // voltage frequency
      {40, 1}, {41, 65535}, {42, 0}, {43, 43},             // current ratio
      {44, 2}, {45, 0}, {46, 100}, {47, 47},               // voltage ratio
  }));
  std::string report;
  kReader4RXY.format(report, WordsIn(reply));
  EXPECT_EQ(report,
            "程序版本：0\r\n电流量程：10\r\n电压量程：400\r\n出厂日期：0A-0B\r\n分频系数：65535\r\n"
            "信号阈值：255\r\n选频系数：0\r\n\r\n"
            "通道一\r\n电流    ：005.00A\r\n电压    ：0220.0V\r\n视在功率：654.36kVA\r\n"
            "有功功率：-02.00kW\r\n无功功率：-01.00kVar\r\n功率因数：100.00%\r\n"
            "电流频率：0050.0Hz\r\n电压频率：0050.0Hz\r\n电流变比：00001\r\n电压变比：00002\r\n\r\n"
            "通道二\r\n电流    ：655.35A\r\n电压    ：0220.1V\r\n视在功率：001.00kVA\r\n"
            "有功功率：327.67kW\r\n无功功率：-327.68kVar\r\n功率因数：099.50%\r\n"
            "电流频率：0000.0Hz\r\n电压频率：0050.1Hz\r\n电流变比：65535\r\n电压变比：00000\r\n\r\n"
            "通道三\r\n电流    ：000.00A\r\n电压    ：0000.0V\r\n视在功率：000.00kVA\r\n"
            "有功功率：000.00kW\r\n无功功率：000.01kVar\r\n功率因数：000.00%\r\n"
            "电流频率：0000.1Hz\r\n电压频率：0000.0Hz\r\n电流变比：00000\r\n电压变比：00100\r\n\r\n"
            "通道四\r\n电流    ：012.34A\r\n电压    ：6553.5V\r\n视在功率：000.05kVA\r\n"
            "有功功率：-00.01kW\r\n无功功率：000.99kVar\r\n功率因数：000.01%\r\n"
            "电流频率：0060.0Hz\r\n电压频率：0049.9Hz\r\n电流变比：00043\r\n电压变比：00047\r\n\r\n");
}

}  // namespace
