// "3SX/Y": three-phase module of the SX/SY series.
#include <cstdint>

#include "readers/decode.h"
#include "readers/models.h"
#include "console/texts.h"

namespace {

// This module names itself by a model code in word 0, not by a program version.
bool Accepts3SXY(RegisterWords reply) {
  const uint16_t code = Word(reply, 0);
  return code == 21133 || code == 21144 || code == 22133;
}

constexpr TrText kPhaseNames[3] = {TrNoop("readers", "一路"), TrNoop("readers", "二路"), TrNoop("readers", "三路")};

// Lines whose label names the phase, offsets from the phase base.
struct PhaseLine {
  int offset;
  Decode decode;
  const char* key;
  const char* unit;
  const char* format[3];
};
const PhaseLine kPhaseLines[] = {
    {0, Decode::kHundredths, "i", "A", {TrMark("readers", "一路电流：%.2f\r\n"), TrMark("readers", "二路电流：%.2f\r\n"), TrMark("readers", "三路电流：%.2f\r\n")}},
    {1, Decode::kHundredths, "u", "V", {TrMark("readers", "一路相电：%.2f\r\n"), TrMark("readers", "二路相电：%.2f\r\n"), TrMark("readers", "三路相电：%.2f\r\n")}},
    {2, Decode::kHundredths, "ul", "V", {TrMark("readers", "一路线电：%.2f\r\n"), TrMark("readers", "二路线电：%.2f\r\n"), TrMark("readers", "三路线电：%.2f\r\n")}},
    {3, Decode::kUnsigned, "s", "VA", {TrMark("readers", "一路视在：%d\r\n"), TrMark("readers", "二路视在：%d\r\n"), TrMark("readers", "三路视在：%d\r\n")}},
    {4, Decode::kSigned, "p", "W", {TrMark("readers", "一路有功：%d\r\n"), TrMark("readers", "二路有功：%d\r\n"), TrMark("readers", "三路有功：%d\r\n")}},
    {5, Decode::kSigned, "q", "var", {TrMark("readers", "一路无功：%d\r\n"), TrMark("readers", "二路无功：%d\r\n"), TrMark("readers", "三路无功：%d\r\n")}},
};

// Lines every phase prints alike; offset 12 is never shown.
struct CommonLine {
  int offset;
  Decode decode;
  const char* key;
  const char* unit;
  const char* format;
};
const CommonLine kCommonLines[] = {
    {6, Decode::kHundredths, "pf", "%", TrMark("readers", "功率因数：%.2f%%\r\n")},
    {7, Decode::kHundredths, "ih", "", TrMark("readers", "电流谐波：%.2f\r\n")},
    {8, Decode::kHundredths, "ithd", "%", TrMark("readers", "电流畸变：%.2f%%\r\n")},
    {9, Decode::kHundredths, "uh", "", TrMark("readers", "电压谐波：%.2f\r\n")},
    {10, Decode::kHundredths, "uthd", "%", TrMark("readers", "电压畸变：%.2f%%\r\n")},
    {11, Decode::kUnsigned, "ct", "", TrMark("readers", "电流变比：%d\r\n")},
    {13, Decode::kUnsigned, "vt", "", TrMark("readers", "电压变比：%d\r\n\r\n")},
};

void Format3SXY(ReportBuilder& report, RegisterWords reply) {
  report.text(Tr("readers", "设备型号：%d\r\n程序版本：%d\r\n出厂日期：%02X-%02X\r\n电流量程：%d\r\n电压量程：%d\r\n"),
              Word(reply, 0), Word(reply, 1), HighByte(reply, 2), LowByte(reply, 2),
              Word(reply, 4), Word(reply, 5));
  report.quantity("total.s", "", "VA", Tr("readers", "三相视在：%d\r\n"), SignedPair(reply, 9));
  report.quantity("total.p", "", "W", Tr("readers", "三相有功：%d\r\n"), SignedPair(reply, 11));
  report.quantity("total.q", "", "var", Tr("readers", "三相无功：%d\r\n"), SignedPair(reply, 13));
  report.quantity("total.pf", "", "%", Tr("readers", "功率因数：%.2f%%\r\n\r\n"), Word(reply, 15) / 100.0);
  for (int phase = 0; phase < 3; ++phase) {
    const int base = 24 * (phase + 1);
    for (const PhaseLine& line : kPhaseLines)
      AppendDecodedWord(report, ChannelKey(phase + 1, line.key), "", line.unit,
                        Tr("readers", line.format[phase]), line.decode, reply, base + line.offset);
    for (const CommonLine& line : kCommonLines)
      AppendDecodedWord(report, ChannelKey(phase + 1, line.key), kPhaseNames[phase], line.unit,
                        Tr("readers", line.format), line.decode, reply, base + line.offset);
  }
}

}  // namespace

const ReaderModel kReader3SXY{0, 96, Accepts3SXY, Format3SXY};
