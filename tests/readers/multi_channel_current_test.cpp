#include <gtest/gtest.h>

#include <string>

#include "readers/models.h"
#include "support/reply.h"

namespace {

TEST(MultiChannelCurrent, FiveChannelReportByteForByte) {
  const std::string report = ReportOf(kReader5RXZ, WordsOf(23, {
      {0, 9999}, {1, 5}, {2, 10}, {3, 0xAAAA}, {4, 0x1605}, {5, 0xBBBB}, {6, 0x0A05}, {7, 0x3C02},
      {8, 123}, {9, 0xFFFF}, {10, 0}, {11, 22000}, {12, 500},     // currents
      {13, 500}, {14, 0xFFFF}, {15, 0}, {16, 499}, {17, 1},       // frequencies
      {18, 1}, {19, 0}, {20, 65535}, {21, 100}, {22, 5},          // ratios
  }));
  EXPECT_EQ(report,
            "程序版本：9999\r\n电流量程：5\r\n电流量程：10\r\n出厂日期：16-05\r\n"
            "分频系数：2565\r\n信号阈值：60\r\n选频系数：2\r\n\r\n"
            "01通道  电流：001.23； 频率：0050.0； 变比：00001\r\n"
            "02通道  电流：655.35； 频率：6553.5； 变比：00000\r\n"
            "03通道  电流：000.00； 频率：0000.0； 变比：65535\r\n"
            "04通道  电流：220.00； 频率：0049.9； 变比：00100\r\n"
            "05通道  电流：005.00； 频率：0000.1； 变比：00005\r\n");
}

// Header B splits word 6 into the slow and fast update settings; each line has a
// fourth value, and the ratios move behind the fast values.
TEST(MultiChannelCurrent, TenChannelReportByteForByte) {
  std::vector<uint16_t> words = WordsOf(48, {
      {0, 312}, {1, 1}, {2, 5}, {4, 0x0A0B}, {6, 0x0A05}, {7, 0x3C02},
      {8, 123}, {18, 500}, {28, 0xFFFF}, {38, 1},             // channel 1
      {17, 0xFFFF}, {27, 0xFFFF}, {37, 1}, {47, 65535},       // channel 10
  });
  EXPECT_EQ(ReportOf(kReader10RX, words),
            "程序版本：312\r\n二次额定：1\r\n二次额定：5\r\n出厂日期：0A-0B\r\n"
            "慢速更新：10\r\n快速更新：5\r\n信号阈值：60\r\n选频系数：2\r\n\r\n"
            "01通道  电流：001.23； 频率：0050.0； 快速：655.35； 变比：00001\r\n"
            "02通道  电流：000.00； 频率：0000.0； 快速：000.00； 变比：00000\r\n"
            "03通道  电流：000.00； 频率：0000.0； 快速：000.00； 变比：00000\r\n"
            "04通道  电流：000.00； 频率：0000.0； 快速：000.00； 变比：00000\r\n"
            "05通道  电流：000.00； 频率：0000.0； 快速：000.00； 变比：00000\r\n"
            "06通道  电流：000.00； 频率：0000.0； 快速：000.00； 变比：00000\r\n"
            "07通道  电流：000.00； 频率：0000.0； 快速：000.00； 变比：00000\r\n"
            "08通道  电流：000.00； 频率：0000.0； 快速：000.00； 变比：00000\r\n"
            "09通道  电流：000.00； 频率：0000.0； 快速：000.00； 变比：00000\r\n"
            "10通道  电流：655.35； 频率：6553.5； 快速：000.01； 变比：65535\r\n");
}

// Every word k holds k, so each array position shows in the first and last lines.
TEST(MultiChannelCurrent, ArrayPositionsOfEveryMember) {
  const struct {
    const ReaderModel* model;
    uint16_t registers;
    int channels;
    const char* header6;  // what word 6 (= 6) prints as
    const char* first;
    const char* last;
  } members[] = {
      {&kReader16RXY, 56, 16, "分频系数：6\r\n",
       "01通道  电流：000.08； 频率：0002.4； 变比：00040\r\n",
       "16通道  电流：000.23； 频率：0003.9； 变比：00055\r\n"},
      {&kReader8RXYZ, 32, 8, "分频系数：6\r\n",
       "01通道  电流：000.08； 频率：0001.6； 变比：00024\r\n",
       "08通道  电流：000.15； 频率：0002.3； 变比：00031\r\n"},
      {&kReader12RX, 44, 12, "分频系数：6\r\n",
       "01通道  电流：000.08； 频率：0002.0； 变比：00032\r\n",
       "12通道  电流：000.19； 频率：0003.1； 变比：00043\r\n"},
      {&kReader10RX, 48, 10, "慢速更新：0\r\n快速更新：6\r\n",
       "01通道  电流：000.08； 频率：0001.8； 快速：000.28； 变比：00038\r\n",
       "10通道  电流：000.17； 频率：0002.7； 快速：000.37； 变比：00047\r\n"},
      {&kReader5RXZ, 23, 5, "分频系数：6\r\n",
       "01通道  电流：000.08； 频率：0001.3； 变比：00018\r\n",
       "05通道  电流：000.12； 频率：0001.7； 变比：00022\r\n"},
  };
  for (const auto& m : members) {
    SCOPED_TRACE(m.registers);
    EXPECT_EQ(m.model->start, 0);
    ASSERT_EQ(m.model->count, m.registers);
    std::vector<uint16_t> words(m.registers);
    for (size_t k = 0; k < words.size(); ++k) words[k] = static_cast<uint16_t>(k);
    const std::string report = ReportOf(*m.model, words);
    const std::string header = std::string("出厂日期：00-04\r\n") + m.header6 +
                               "信号阈值：0\r\n选频系数：7\r\n\r\n" + m.first;
    EXPECT_NE(report.find(header), std::string::npos) << report;
    ASSERT_GE(report.size(), std::string(m.last).size());
    EXPECT_EQ(report.substr(report.size() - std::string(m.last).size()), m.last);
    size_t lines = 0;
    for (size_t at = report.find("通道  "); at != std::string::npos; at = report.find("通道  ", at + 1))
      ++lines;
    EXPECT_EQ(lines, static_cast<size_t>(m.channels));
  }
}

}  // namespace
