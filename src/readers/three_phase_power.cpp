// "3RX": three-phase power module of the RX series; each quantity is an array of
// three words, one per phase.
#include <cstdint>

#include "readers/models.h"
#include "console/texts.h"

namespace {

void Format3RX(ReportBuilder& report, RegisterWords reply) {
  report.text(Tr("readers", "程序版本：%d\r\n电流量程：%d\r\n电压量程：%d\r\n出厂日期：%02X-%02X\r\n分频系数：%d\r\n"
              "信号阈值：%d\r\n选频系数：%d\r\n\r\n"),
              Word(reply, 0), Word(reply, 1), Word(reply, 2), HighByte(reply, 4),
              LowByte(reply, 4), Word(reply, 6), HighByte(reply, 7), LowByte(reply, 7));
  for (int p = 0; p < 3; ++p) {
    const int n = p + 1;
    const char* phase = kChannelNames[p];
    report.text("%s\r\n", phase);
    report.quantity(ChannelKey(n, "i"), phase, "A", Tr("readers", "电流    ：%06.2fA\r\n"), Word(reply, 8 + p) / 100.0);
    report.quantity(ChannelKey(n, "u"), phase, "V", Tr("readers", "相电压  ：%06.1fV\r\n"), Word(reply, 11 + p) / 10.0);
    report.quantity(ChannelKey(n, "ul"), phase, "V", Tr("readers", "线电压  ：%06.1fV\r\n"), Word(reply, 14 + p) / 10.0);
    report.quantity(ChannelKey(n, "s"), phase, "kVA", Tr("readers", "视在功率：%06.2fkVA\r\n"), Word(reply, 17 + p) / 100.0);
    report.quantity(ChannelKey(n, "p"), phase, "kW", Tr("readers", "有功功率：%06.2fkW\r\n"), SignedWord(reply, 20 + p) / 100.0);
    report.quantity(ChannelKey(n, "q"), phase, "kVar", Tr("readers", "无功功率：%06.2fkVar\r\n"), SignedWord(reply, 23 + p) / 100.0);
    report.quantity(ChannelKey(n, "pf"), phase, "%", Tr("readers", "功率因数：%06.2f%%\r\n"), Word(reply, 26 + p) / 100.0);
    report.quantity(ChannelKey(n, "fi"), phase, "Hz", Tr("readers", "电流频率：%06.1fHz\r\n"), Word(reply, 33 + p) / 10.0);
    report.quantity(ChannelKey(n, "fu"), phase, "Hz", Tr("readers", "电压频率：%06.1fHz\r\n"), Word(reply, 36 + p) / 10.0);
    report.quantity(ChannelKey(n, "ct"), phase, "", Tr("readers", "电流变比：%05d\r\n"), Word(reply, 39 + p));
    report.quantity(ChannelKey(n, "vt"), phase, "", Tr("readers", "电压变比：%05d\r\n\r\n"), Word(reply, 42 + p));
  }
  report.quantity("total.s", "", "kVA", Tr("readers", "总视在  ：%06.2fkVA\r\n"), Word(reply, 29) / 100.0);
  report.quantity("total.p", "", "kW", Tr("readers", "总有功  ：%06.2fkW\r\n"), SignedWord(reply, 30) / 100.0);
  report.quantity("total.q", "", "kVar", Tr("readers", "总无功  ：%06.2fkVar\r\n"), SignedWord(reply, 31) / 100.0);
  report.quantity("total.pf", "", "%", Tr("readers", "功率因数：%06.2f%%\r\n"), Word(reply, 32) / 100.0);
}

}  // namespace

const ReaderModel kReader3RX{0, 45, AcceptsByVersion, Format3RX};
