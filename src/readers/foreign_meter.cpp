// Hidden button 1016: basic quantities of a meter of another make, raw words.
#include "readers/models.h"
#include "console/texts.h"

namespace {

void FormatForeignMeter(ReportBuilder& report, RegisterWords reply) {
  report.quantity("u", "", "", Tr("readers", "电压：%05d； "), Word(reply, 0));
  report.quantity("i", "", "", Tr("readers", "电流：%05d； "), Word(reply, 1));
  report.quantity("p", "", "", Tr("readers", "有功：%05d； "), SignedWord(reply, 2));
  report.quantity("q", "", "", Tr("readers", "无功：%05d； "), SignedWord(reply, 3));
  report.quantity("s", "", "", Tr("readers", "视在：%05d； "), Word(reply, 4));
  report.quantity("pf", "", "", Tr("readers", "因数：%05d； "), SignedWord(reply, 5));
  report.quantity("f", "", "", Tr("readers", "频率：%05d\r\n"), Word(reply, 6));
}

}  // namespace

// Registers 72 to 78; another make's meter has no version word to test.
const ReaderModel kReaderForeignMeter{72, 7, nullptr,
                                      FormatForeignMeter};
