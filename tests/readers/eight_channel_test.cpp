#include <gtest/gtest.h>

#include <string>

#include "readers/models.h"
#include "support/reply.h"

namespace {

TEST(Reader8SXY, FullReportFromVersion620) {
  const std::string report = ReportOfBlock(kReader8SXY, {
      {0, 620}, {1, 5}, {2, 10}, {3, 0xFFFF}, {4, 0x0A0B}, {5, 0xFFFF}, {7, 0xFFFF},
      {8, 0xFFFF}, {9, 5}, {10, 0xFFFF}, {11, 0xFFFF}, {12, 100}, {13, 65535}, {14, 0x1111},
      {15, 0x1111},
      {16, 500}, {17, 123}, {18, 0x8000}, {19, 0x8000}, {20, 1}, {21, 2},
      {24, 0}, {25, 1}, {26, 7}, {27, 0xFF38},
      {32, 250}, {33, 20000}, {34, 12}, {35, 0x7FFF}, {36, 3}, {37, 4}, {38, 0xFFFF},
      {39, 0xFFFF},
  });
  EXPECT_EQ(report,
            "程序版本：620\r\n电流量程：5\r\n电流量程：10\r\n出厂日期：0A-0B\r\n\r\n"
            "A路电流：655.35\r\nE路电流：0.05\r\nA路谐波：65535\r\nE路谐波：-1\r\n"
            "A路变比：100\r\nE路变比：65535\r\n\r\n"
            "B路电流：5.00\r\nF路电流：1.23\r\nB路谐波：32768\r\nF路谐波：-32768\r\n"
            "B路变比：1\r\nF路变比：2\r\n\r\n"
            "C路电流：0.00\r\nG路电流：0.01\r\nC路谐波：7\r\nG路谐波：-200\r\n"
            "C路变比：0\r\nG路变比：0\r\n\r\n"
            "D路电流：2.50\r\nH路电流：200.00\r\nD路谐波：12\r\nH路谐波：32767\r\n"
            "D路变比：3\r\nH路变比：4\r\n");
}

// Below 620 the ratio lines go, the empty lines between groups stay.
TEST(Reader8SXY, NoRatiosBefore620) {
  for (uint16_t version : {0, 619}) {
    const std::string report =
        ReportOfBlock(kReader8SXY, {{0, version}, {8, 100}, {12, 7}, {13, 7}, {36, 7}, {37, 7}});
    EXPECT_EQ(report,
              "程序版本：" + std::to_string(version) +
                  "\r\n电流量程：0\r\n电流量程：0\r\n出厂日期：00-00\r\n\r\n"
                  "A路电流：1.00\r\nE路电流：0.00\r\nA路谐波：0\r\nE路谐波：0\r\n\r\n"
                  "B路电流：0.00\r\nF路电流：0.00\r\nB路谐波：0\r\nF路谐波：0\r\n\r\n"
                  "C路电流：0.00\r\nG路电流：0.00\r\nC路谐波：0\r\nG路谐波：0\r\n\r\n"
                  "D路电流：0.00\r\nH路电流：0.00\r\nD路谐波：0\r\nH路谐波：0\r\n");
  }
}

}  // namespace
