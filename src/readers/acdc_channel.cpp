// "5UZ": five-channel AC/DC module of the UZ series.
#include <string>

#include "readers/models.h"
#include "console/texts.h"

namespace {

void Format5UZ(ReportBuilder& report, RegisterWords reply) {
  report.text(Tr("readers", "程序版本：%d\r\n电流量程：%d\r\n电流量程：%d\r\n出厂日期：%02X-%02X\r\n"
              "分频系数：%d\r\n信号阈值：%d\r\n选频系数：%d\r\n\r\n"),
              Word(reply, 0), Word(reply, 1), Word(reply, 2), HighByte(reply, 4), LowByte(reply, 4),
              Word(reply, 6), HighByte(reply, 7), LowByte(reply, 7));
  for (int j = 0; j < 5; ++j) {
    const int n = j + 1;
    const double acdc = Word(reply, 8 + j) / 100.0;
    const double dc = SignedWord(reply, 13 + j) / 100.0;  // the DC part may be negative
    const double ac = Word(reply, 18 + j) / 100.0;
    const double frequency = Word(reply, 23 + j) / 10.0;
    const std::string channel = NumberedChannel(n);
    report.quantity(ChannelKey(n, "i"), "", "A", Tr("readers", "%02d通道->交直流：%06.2f； "), n, acdc);
    report.quantity(ChannelKey(n, "idc"), channel, "A", Tr("readers", "直流：%06.2f； "), dc);
    report.quantity(ChannelKey(n, "iac"), channel, "A", Tr("readers", "交流：%06.2f； "), ac);
    report.quantity(ChannelKey(n, "f"), channel, "Hz", Tr("readers", "频率：%06.1f； "), frequency);
    report.quantity(ChannelKey(n, "ct"), channel, "", Tr("readers", "变比：%05d\r\n\r\n"), Word(reply, 28 + j));
  }
}

}  // namespace

const ReaderModel kReader5UZ{0, 33, AcceptsByVersion, Format5UZ};
