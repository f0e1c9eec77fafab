// "4RX/Y": four-channel power module of the RX/RY series; each quantity is an
// array of four words, one per channel.
#include <cstdint>

#include "console/text.h"
#include "readers/models.h"

namespace {

void Format4RXY(std::string& report, const uint8_t* reply) {
  appendf(report,
          "程序版本：%d\r\n电流量程：%d\r\n电压量程：%d\r\n出厂日期：%02X-%02X\r\n分频系数：%d\r\n"
          "信号阈值：%d\r\n选频系数：%d\r\n\r\n",
          Word(reply, 0), Word(reply, 1), Word(reply, 2), HighByte(reply, 4),
          LowByte(reply, 4), Word(reply, 6), HighByte(reply, 7), LowByte(reply, 7));
  for (int c = 0; c < 4; ++c) {
    appendf(report,
            "%s\r\n电流    ：%06.2fA\r\n电压    ：%06.1fV\r\n视在功率：%06.2fkVA\r\n"
            "有功功率：%06.2fkW\r\n无功功率：%06.2fkVar\r\n功率因数：%06.2f%%\r\n"
            "电流频率：%06.1fHz\r\n电压频率：%06.1fHz\r\n电流变比：%05d\r\n电压变比：%05d\r\n\r\n",
            kChannelNames[c], Word(reply, 8 + c) / 100.0, Word(reply, 12 + c) / 10.0,
            Word(reply, 16 + c) / 100.0, SignedWord(reply, 20 + c) / 100.0,
            SignedWord(reply, 24 + c) / 100.0, Word(reply, 28 + c) / 100.0,
            Word(reply, 32 + c) / 10.0, Word(reply, 36 + c) / 10.0, Word(reply, 40 + c),
            Word(reply, 44 + c));
  }
}

}  // namespace

const ReaderModel kReader4RXY{0, 48, AcceptsByVersion, Format4RXY};
