// "4WX": four-channel AC/DC power module of the WX series; each quantity is an
// array of four words (or four 32-bit pairs), one per channel.
#include <cstdint>
#include <string>

#include "readers/models.h"
#include "console/texts.h"

namespace {

void Format4WX(ReportBuilder& report, RegisterWords reply) {
  report.text(Tr("readers", "程序版本：%d\r\n电流量程：%d\r\n电压量程：%d\r\n出厂日期：%02X-%02X\r\n分频系数：%d\r\n"
              "信号阈值：%d\r\n选频系数：%d\r\n存储时间：%d\r\n更新速率：%04X\r\n\r\n"),
              Word(reply, 0), Word(reply, 1), Word(reply, 2), HighByte(reply, 4),
              LowByte(reply, 4), Word(reply, 6), HighByte(reply, 7), LowByte(reply, 7),
              Word(reply, 9), Word(reply, 11));
  for (int c = 0; c < 4; ++c) {
    const int n = c + 1;
    const std::string channel = kChannelNames[c].text();
    const std::string fastCurrent = channel + Tr("readers", " 电流快速值");
    const std::string fastVoltage = channel + Tr("readers", " 电压快速值");
    const std::string slow = channel + Tr("readers", " 慢速值");
    report.text("%s\r\n", kChannelNames[c].text());
    report.text(Tr("readers", "电流快速值->"));
    report.quantity(ChannelKey(n, "fast.i"), fastCurrent, "", Tr("readers", "交直流：%05d "), Word(reply, 24 + c));
    report.quantity(ChannelKey(n, "fast.idc"), fastCurrent, "", Tr("readers", "直流：%05d "), SignedWord(reply, 32 + c));
    report.quantity(ChannelKey(n, "fast.iac"), fastCurrent, "", Tr("readers", "交流：%05d "), Word(reply, 40 + c));
    report.quantity(ChannelKey(n, "fast.fi"), fastCurrent, "Hz", Tr("readers", "基频：%06.1f\r\n"), Word(reply, 52 + c) / 10.0);
    report.text(Tr("readers", "电压快速值->"));
    report.quantity(ChannelKey(n, "fast.u"), fastVoltage, "", Tr("readers", "交直流：%05d "), Word(reply, 28 + c));
    report.quantity(ChannelKey(n, "fast.udc"), fastVoltage, "", Tr("readers", "直流：%05d "), SignedWord(reply, 36 + c));
    report.quantity(ChannelKey(n, "fast.uac"), fastVoltage, "", Tr("readers", "交流：%05d "), Word(reply, 44 + c));
    report.quantity(ChannelKey(n, "fast.fu"), fastVoltage, "Hz", Tr("readers", "基频：%06.1f "), Word(reply, 56 + c) / 10.0);
    report.quantity(ChannelKey(n, "fast.s"), fastVoltage, "", Tr("readers", "视在功率：%05d\r\n"), Word(reply, 48 + c));
    report.text(Tr("readers", "慢速值->"));
    report.quantity(ChannelKey(n, "i"), slow, "", Tr("readers", "电流：%05d "), Word(reply, 60 + c));
    report.quantity(ChannelKey(n, "u"), slow, "", Tr("readers", "电压：%05d "), Word(reply, 64 + c));
    report.quantity(ChannelKey(n, "s"), slow, "", Tr("readers", "视在：%05d "), Word(reply, 68 + c));
    report.quantity(ChannelKey(n, "p"), slow, "", Tr("readers", "有功：%05d "), SignedWord(reply, 72 + c));
    report.quantity(ChannelKey(n, "pf"), slow, "", Tr("readers", "因数：%06.4f "), SignedWord(reply, 76 + c) / 10000.0);
    report.quantity(ChannelKey(n, "f"), slow, "Hz", Tr("readers", "频率：%06.2f\r\n"), Word(reply, 80 + c) / 100.0);
    report.quantity(ChannelKey(n, "ep"), channel, "", Tr("readers", "正向：%010d "), SignedPair(reply, 84 + 2 * c));
    report.quantity(ChannelKey(n, "en"), channel, "", Tr("readers", "反向：%010d "), SignedPair(reply, 92 + 2 * c));
    report.quantity(ChannelKey(n, "ki"), channel, "", Tr("readers", "电流系数：%05d "), Word(reply, 100 + c));
    report.quantity(ChannelKey(n, "ku"), channel, "", Tr("readers", "电压系数：%05d "), Word(reply, 104 + c));
    report.quantity(ChannelKey(n, "kp"), channel, "", Tr("readers", "功率系数：%05d\r\n"), Word(reply, 108 + c));
    report.quantity(ChannelKey(n, "ct"), channel, "", Tr("readers", "电流变比：%05d "), Word(reply, 112 + c));
    report.quantity(ChannelKey(n, "vt"), channel, "", Tr("readers", "电压变比：%05d\r\n\r\n"), Word(reply, 116 + c));
  }
}

}  // namespace

const ReaderModel kReader4WX{0, 120, AcceptsByVersion, Format4WX};
