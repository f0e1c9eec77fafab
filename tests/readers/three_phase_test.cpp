#include <gtest/gtest.h>

#include <string>

#include "readers/models.h"
#include "support/reply.h"

namespace {

TEST(Reader3SXY, FullReport) {
  const std::string report = ReportOfBlock(kReader3SXY, {
      {0, 22133}, {1, 700}, {2, 0x1605}, {3, 0xFFFF}, {4, 5}, {5, 250}, {8, 0xFFFF},
      {9, 0x0001}, {10, 0x0000}, {11, 0xFFFF}, {12, 0xFFFF}, {13, 0x8000}, {14, 0x0000},
      {15, 10000}, {23, 0xFFFF},
      // Phase 1, words 24-37 (36 is never shown).
      {24, 0xFFFF}, {25, 22000}, {26, 38105}, {27, 0xFFFF}, {28, 0xFFFF}, {29, 0xFF38},
      {30, 9950}, {31, 5}, {32, 312}, {33, 0}, {34, 150}, {35, 1}, {36, 777}, {37, 65535},
      {38, 0xFFFF}, {47, 0xFFFF},
      // Phase 2, words 48-61.
      {48, 500}, {49, 23050}, {51, 1100}, {52, 1050}, {53, 0xFF9C}, {59, 10}, {60, 0xFFFF},
      {61, 2},
      // Phase 3, words 72-85.
      {72, 1}, {73, 0xFF38}, {74, 38000}, {75, 0x7FFF}, {76, 0x8000}, {77, 0x7FFF},
      {78, 0xFFFF}, {79, 100}, {80, 200}, {81, 300}, {82, 400}, {84, 9}, {86, 0xFFFF},
      {95, 0xFFFF},
  });
  EXPECT_EQ(report,
            "设备型号：22133\r\n程序版本：700\r\n出厂日期：16-05\r\n电流量程：5\r\n电压量程：250\r\n"
            "三相视在：65536\r\n三相有功：-1\r\n三相无功：-2147483648\r\n功率因数：100.00%\r\n\r\n"
            "一路电流：655.35\r\n一路相电：220.00\r\n一路线电：381.05\r\n一路视在：65535\r\n"
            "一路有功：-1\r\n一路无功：-200\r\n功率因数：99.50%\r\n电流谐波：0.05\r\n"
            "电流畸变：3.12%\r\n电压谐波：0.00\r\n电压畸变：1.50%\r\n电流变比：1\r\n"
            "电压变比：65535\r\n\r\n"
            "二路电流：5.00\r\n二路相电：230.50\r\n二路线电：0.00\r\n二路视在：1100\r\n"
            "二路有功：1050\r\n二路无功：-100\r\n功率因数：0.00%\r\n电流谐波：0.00\r\n"
            "电流畸变：0.00%\r\n电压谐波：0.00\r\n电压畸变：0.00%\r\n电流变比：10\r\n"
            "电压变比：2\r\n\r\n"
            "三路电流：0.01\r\n三路相电：653.36\r\n三路线电：380.00\r\n三路视在：32767\r\n"
            "三路有功：-32768\r\n三路无功：32767\r\n功率因数：655.35%\r\n电流谐波：1.00\r\n"
            "电流畸变：2.00%\r\n电压谐波：3.00\r\n电压畸变：4.00%\r\n电流变比：0\r\n"
            "电压变比：0\r\n\r\n");
}

TEST(Reader3SXY, AcceptsThreeModelCodesOnly) {
  const struct {
    uint16_t code;
    bool accepted;
  } cases[] = {
      {21133, true}, {21144, true},  {22133, true},  {0, false},     {700, false},
      {21132, false}, {21134, false}, {21143, false}, {22134, false}, {65535, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(kReader3SXY.accepts(WordsIn(ReplyOf(WordsOf(96, {{0, c.code}})))), c.accepted)
        << c.code;
}

}  // namespace
