// "4RX/Y": four-channel power module of the RX/RY series; each quantity is an
// array of four words, one per channel.
#include <cstdint>

#include "readers/models.h"
#include "console/texts.h"

namespace {

void Format4RXY(ReportBuilder& report, RegisterWords reply) {
  report.text(Tr("readers", "程序版本：%d\r\n电流量程：%d\r\n电压量程：%d\r\n出厂日期：%02X-%02X\r\n分频系数：%d\r\n"
              "信号阈值：%d\r\n选频系数：%d\r\n\r\n"),
              Word(reply, 0), Word(reply, 1), Word(reply, 2), HighByte(reply, 4),
              LowByte(reply, 4), Word(reply, 6), HighByte(reply, 7), LowByte(reply, 7));
  for (int c = 0; c < 4; ++c) {
    const int n = c + 1;
    const char* channel = kChannelNames[c];
    report.text("%s\r\n", channel);
    report.quantity(ChannelKey(n, "i"), channel, "A", Tr("readers", "电流    ：%06.2fA\r\n"), Word(reply, 8 + c) / 100.0);
    report.quantity(ChannelKey(n, "u"), channel, "V", Tr("readers", "电压    ：%06.1fV\r\n"), Word(reply, 12 + c) / 10.0);
    report.quantity(ChannelKey(n, "s"), channel, "kVA", Tr("readers", "视在功率：%06.2fkVA\r\n"), Word(reply, 16 + c) / 100.0);
    report.quantity(ChannelKey(n, "p"), channel, "kW", Tr("readers", "有功功率：%06.2fkW\r\n"), SignedWord(reply, 20 + c) / 100.0);
    report.quantity(ChannelKey(n, "q"), channel, "kVar", Tr("readers", "无功功率：%06.2fkVar\r\n"), SignedWord(reply, 24 + c) / 100.0);
    report.quantity(ChannelKey(n, "pf"), channel, "%", Tr("readers", "功率因数：%06.2f%%\r\n"), Word(reply, 28 + c) / 100.0);
    report.quantity(ChannelKey(n, "fi"), channel, "Hz", Tr("readers", "电流频率：%06.1fHz\r\n"), Word(reply, 32 + c) / 10.0);
    report.quantity(ChannelKey(n, "fu"), channel, "Hz", Tr("readers", "电压频率：%06.1fHz\r\n"), Word(reply, 36 + c) / 10.0);
    report.quantity(ChannelKey(n, "ct"), channel, "", Tr("readers", "电流变比：%05d\r\n"), Word(reply, 40 + c));
    report.quantity(ChannelKey(n, "vt"), channel, "", Tr("readers", "电压变比：%05d\r\n\r\n"), Word(reply, 44 + c));
  }
}

}  // namespace

const ReaderModel kReader4RXY{0, 48, AcceptsByVersion, Format4RXY};
