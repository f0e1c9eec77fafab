// "4WX": four-channel AC/DC power module of the WX series; each quantity is an
// array of four words (or four 32-bit pairs), one per channel.
#include <cstdint>

#include "console/text.h"
#include "readers/models.h"

namespace {

void Format4WX(std::string& report, const uint8_t* reply) {
  appendf(report,
          "程序版本：%d\r\n电流量程：%d\r\n电压量程：%d\r\n出厂日期：%02X-%02X\r\n分频系数：%d\r\n"
          "信号阈值：%d\r\n选频系数：%d\r\n存储时间：%d\r\n更新速率：%04X\r\n\r\n",
          Word(reply, 0), Word(reply, 1), Word(reply, 2), HighByte(reply, 4),
          LowByte(reply, 4), Word(reply, 6), HighByte(reply, 7), LowByte(reply, 7),
          Word(reply, 9), Word(reply, 11));
  for (int c = 0; c < 4; ++c) {
    appendf(report,
            "%s\r\n"
            "电流快速值->交直流：%05d 直流：%05d 交流：%05d 基频：%06.1f\r\n"
            "电压快速值->交直流：%05d 直流：%05d 交流：%05d 基频：%06.1f 视在功率：%05d\r\n"
            "慢速值->电流：%05d 电压：%05d 视在：%05d 有功：%05d 因数：%06.4f 频率：%06.2f\r\n"
            "正向：%010d 反向：%010d 电流系数：%05d 电压系数：%05d 功率系数：%05d\r\n"
            "电流变比：%05d 电压变比：%05d\r\n\r\n",
            kChannelNames[c],
            Word(reply, 24 + c), SignedWord(reply, 32 + c), Word(reply, 40 + c),
            Word(reply, 52 + c) / 10.0,
            Word(reply, 28 + c), SignedWord(reply, 36 + c), Word(reply, 44 + c),
            Word(reply, 56 + c) / 10.0, Word(reply, 48 + c),
            Word(reply, 60 + c), Word(reply, 64 + c), Word(reply, 68 + c),
            SignedWord(reply, 72 + c), SignedWord(reply, 76 + c) / 10000.0,
            Word(reply, 80 + c) / 100.0,
            SignedPair(reply, 84 + 2 * c), SignedPair(reply, 92 + 2 * c),
            Word(reply, 100 + c), Word(reply, 104 + c), Word(reply, 108 + c),
            Word(reply, 112 + c), Word(reply, 116 + c));
  }
}

}  // namespace

const ReaderModel kReader4WX{0, 120, AcceptsByVersion, Format4WX};
