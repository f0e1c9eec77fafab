// Hidden button 1016: basic quantities of a meter of another make, raw words.
#include "console/text.h"
#include "readers/models.h"

namespace {

void FormatForeignMeter(std::string& report, const uint8_t* reply) {
  appendf(report,
          "电压：%05d； 电流：%05d； 有功：%05d； 无功：%05d； 视在：%05d； 因数：%05d； 频率：%05d\r\n",
          Word(reply, 0), Word(reply, 1), SignedWord(reply, 2), SignedWord(reply, 3),
          Word(reply, 4), SignedWord(reply, 5), Word(reply, 6));
}

}  // namespace

// Registers 72 to 78; another make's meter has no version word to test.
const ReaderModel kReaderForeignMeter{72, 7, nullptr,
                                      FormatForeignMeter};
