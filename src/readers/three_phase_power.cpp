// "3RX": three-phase power module of the RX series; each quantity is an array of
// three words, one per phase.
#include <cstdint>

#include "console/text.h"
#include "readers/models.h"

namespace {

void Format3RX(std::string& report, const uint8_t* reply) {
  appendf(report,
          "程序版本：%d\r\n电流量程：%d\r\n电压量程：%d\r\n出厂日期：%02X-%02X\r\n分频系数：%d\r\n"
          "信号阈值：%d\r\n选频系数：%d\r\n\r\n",
          Word(reply, 0), Word(reply, 1), Word(reply, 2), HighByte(reply, 4),
          LowByte(reply, 4), Word(reply, 6), HighByte(reply, 7), LowByte(reply, 7));
  for (int p = 0; p < 3; ++p) {
    appendf(report,
            "%s\r\n电流    ：%06.2fA\r\n相电压  ：%06.1fV\r\n线电压  ：%06.1fV\r\n"
            "视在功率：%06.2fkVA\r\n有功功率：%06.2fkW\r\n无功功率：%06.2fkVar\r\n"
            "功率因数：%06.2f%%\r\n电流频率：%06.1fHz\r\n电压频率：%06.1fHz\r\n"
            "电流变比：%05d\r\n电压变比：%05d\r\n\r\n",
            kChannelNames[p], Word(reply, 8 + p) / 100.0, Word(reply, 11 + p) / 10.0,
            Word(reply, 14 + p) / 10.0, Word(reply, 17 + p) / 100.0,
            SignedWord(reply, 20 + p) / 100.0, SignedWord(reply, 23 + p) / 100.0,
            Word(reply, 26 + p) / 100.0, Word(reply, 33 + p) / 10.0, Word(reply, 36 + p) / 10.0,
            Word(reply, 39 + p), Word(reply, 42 + p));
  }
  appendf(report,
          "总视在  ：%06.2fkVA\r\n总有功  ：%06.2fkW\r\n总无功  ：%06.2fkVar\r\n"
          "功率因数：%06.2f%%\r\n",
          Word(reply, 29) / 100.0, SignedWord(reply, 30) / 100.0, SignedWord(reply, 31) / 100.0,
          Word(reply, 32) / 100.0);
}

}  // namespace

const ReaderModel kReader3RX{0, 45, AcceptsByVersion, Format3RX};
