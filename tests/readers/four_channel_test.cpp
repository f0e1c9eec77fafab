#include <gtest/gtest.h>

#include <string>

#include "readers/models.h"
#include "support/reply.h"

namespace {

TEST(Reader4SXY, FullReportFromVersion620) {
  const std::string report = ReportOfBlock(kReader4SXY, {
      {0, 620}, {1, 5}, {2, 250}, {4, 0x1605}, {5, 0xFF00},  // high byte of word 5 never matters
      {8, 1234}, {9, 22000}, {10, 0xFF38}, {11, 0xFF38}, {12, 100}, {13, 1},
      {16, 0xFFFF}, {17, 0}, {18, 0}, {19, 0xFF9C}, {20, 0}, {21, 0},
      {24, 500}, {25, 23050}, {26, 1100}, {27, 1050}, {28, 5}, {29, 10},
      {32, 1}, {33, 1}, {34, 1}, {35, 0x7FFF}, {36, 65535}, {37, 2},
  });
  EXPECT_EQ(report,
            "程序版本：620\r\n电流量程：5\r\n电压量程：250\r\n出厂日期：16-05\r\n\r\n"
            "电流系数：100\r\n\r\n"
            "一路电流：12.34\r\n一路电压：220.00\r\n一路视在：65336\r\n一路有功：-200\r\n"
            "电流变比：100\r\n电压变比：1\r\n\r\n"
            "二路电流：655.35\r\n二路电压：0.00\r\n二路视在：0\r\n二路有功：-100\r\n"
            "电流变比：0\r\n电压变比：0\r\n\r\n"
            "三路电流：5.00\r\n三路电压：230.50\r\n三路视在：1100\r\n三路有功：1050\r\n"
            "电流变比：5\r\n电压变比：10\r\n\r\n"
            "四路电流：0.01\r\n四路电压：0.01\r\n四路视在：1\r\n四路有功：32767\r\n"
            "电流变比：65535\r\n电压变比：2\r\n");
}

// Version thresholds: divisor, coefficient line, ratio lines.
TEST(Reader4SXY, VersionRules) {
  const struct {
    uint16_t version;
    uint16_t word5;
    const char* current;      // channel 1 current for word 1234
    const char* coefficient;  // expected coefficient line, or "" for none
    bool ratios;
  } cases[] = {
      {0, 0, "2.47", "", false},         {299, 0, "2.47", "", false},
      {300, 1, "12.34", "", false},      {409, 1, "12.34", "", false},
      {410, 0, "12.34", "电流系数：100\r\n\r\n", false},
      {410, 0x0100, "12.34", "电流系数：100\r\n\r\n", false},
      {410, 0x0001, "2.47", "电流系数：500\r\n\r\n", false},
      {619, 0, "12.34", "电流系数：100\r\n\r\n", false},
      {620, 0, "12.34", "电流系数：100\r\n\r\n", true},
      {9999, 7, "2.47", "电流系数：500\r\n\r\n", true},
  };
  for (const auto& c : cases) {
    const std::string report = ReportOfBlock(kReader4SXY, {{0, c.version}, {5, c.word5}, {8, 1234}});
    const std::string head = "出厂日期：00-00\r\n\r\n";
    const size_t afterHead = report.find(head) + head.size();
    EXPECT_EQ(report.substr(afterHead, std::string(c.coefficient).size()), c.coefficient)
        << c.version;
    EXPECT_NE(report.find(std::string("一路电流：") + c.current + "\r\n"), std::string::npos)
        << c.version;
    EXPECT_EQ(report.find("电流变比：") != std::string::npos, c.ratios) << c.version;
  }
}

TEST(Reader4SXY, AcceptsVersionsUpTo9999) {
  EXPECT_TRUE(kReader4SXY.accepts(WordsIn(ReplyOf(WordsOf(40, {{0, 9999}})))));
  EXPECT_FALSE(kReader4SXY.accepts(WordsIn(ReplyOf(WordsOf(40, {{0, 10000}})))));
  EXPECT_FALSE(kReader4SXY.accepts(WordsIn(ReplyOf(WordsOf(40, {{0, 65535}})))));
}

}  // namespace
