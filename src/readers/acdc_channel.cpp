// "5UZ": five-channel AC/DC module of the UZ series.
#include "console/text.h"
#include "readers/models.h"

namespace {

void Format5UZ(std::string& report, const uint8_t* reply) {
  appendf(report,
          "程序版本：%d\r\n电流量程：%d\r\n电流量程：%d\r\n出厂日期：%02X-%02X\r\n"
          "分频系数：%d\r\n信号阈值：%d\r\n选频系数：%d\r\n\r\n",
          Word(reply, 0), Word(reply, 1), Word(reply, 2), HighByte(reply, 4), LowByte(reply, 4),
          Word(reply, 6), HighByte(reply, 7), LowByte(reply, 7));
  for (int j = 0; j < 5; ++j) {
    const double acdc = Word(reply, 8 + j) / 100.0;
    const double dc = SignedWord(reply, 13 + j) / 100.0;  // the DC part may be negative
    const double ac = Word(reply, 18 + j) / 100.0;
    const double frequency = Word(reply, 23 + j) / 10.0;
    appendf(report,
            "%02d通道->交直流：%06.2f； 直流：%06.2f； 交流：%06.2f； 频率：%06.1f； 变比：%05d\r\n\r\n",
            j + 1, acdc, dc, ac, frequency, Word(reply, 28 + j));
  }
}

}  // namespace

const ReaderModel kReader5UZ{0, 33, AcceptsByVersion, Format5UZ};
