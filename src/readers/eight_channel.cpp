// "8SX/Y": eight-channel current module of the SX/SY series. Each group of eight
// words holds two channels: A with E, B with F, C with G, D with H.
#include <cstdint>

#include "readers/decode.h"
#include "readers/models.h"
#include "console/texts.h"

namespace {

struct GroupLine {
  int offset;
  Decode decode;
  int firstChannel;  // channel of group 1: A is 1, E is 5
  const char* key;
  const char* unit;
  const char* format[4];  // groups 1 to 4
};

const GroupLine kLines[] = {
    {0, Decode::kHundredths, 1, "i", "A", {TrMark("readers", "A路电流：%.2f\r\n"), TrMark("readers", "B路电流：%.2f\r\n"), TrMark("readers", "C路电流：%.2f\r\n"), TrMark("readers", "D路电流：%.2f\r\n")}},
    {1, Decode::kHundredths, 5, "i", "A", {TrMark("readers", "E路电流：%.2f\r\n"), TrMark("readers", "F路电流：%.2f\r\n"), TrMark("readers", "G路电流：%.2f\r\n"), TrMark("readers", "H路电流：%.2f\r\n")}},
    // The firmware keeps the second channel's harmonic signed, the first's not.
    {2, Decode::kUnsigned, 1, "h", "", {TrMark("readers", "A路谐波：%d\r\n"), TrMark("readers", "B路谐波：%d\r\n"), TrMark("readers", "C路谐波：%d\r\n"), TrMark("readers", "D路谐波：%d\r\n")}},
    {3, Decode::kSigned, 5, "h", "", {TrMark("readers", "E路谐波：%d\r\n"), TrMark("readers", "F路谐波：%d\r\n"), TrMark("readers", "G路谐波：%d\r\n"), TrMark("readers", "H路谐波：%d\r\n")}},
};
// Shown from program version 620 on.
const GroupLine kRatioLines[] = {
    {4, Decode::kUnsigned, 1, "ct", "", {TrMark("readers", "A路变比：%d\r\n"), TrMark("readers", "B路变比：%d\r\n"), TrMark("readers", "C路变比：%d\r\n"), TrMark("readers", "D路变比：%d\r\n")}},
    {5, Decode::kUnsigned, 5, "ct", "", {TrMark("readers", "E路变比：%d\r\n"), TrMark("readers", "F路变比：%d\r\n"), TrMark("readers", "G路变比：%d\r\n"), TrMark("readers", "H路变比：%d\r\n")}},
};

void AppendLine(ReportBuilder& report, const GroupLine& line, int group, RegisterWords reply) {
  const int k = 8 * (group + 1) + line.offset;
  AppendDecodedWord(report, ChannelKey(line.firstChannel + group, line.key), "", line.unit,
                    Tr("readers", line.format[group]), line.decode, reply, k);
}

void Format8SXY(ReportBuilder& report, RegisterWords reply) {
  const uint16_t version = Word(reply, 0);
  report.text(Tr("readers", "程序版本：%d\r\n电流量程：%d\r\n电流量程：%d\r\n出厂日期：%02X-%02X\r\n\r\n"),
              Word(reply, 0), Word(reply, 1), Word(reply, 2), HighByte(reply, 4),
              LowByte(reply, 4));
  for (int group = 0; group < 4; ++group) {
    for (const GroupLine& line : kLines) AppendLine(report, line, group, reply);
    if (version >= 620)
      for (const GroupLine& line : kRatioLines) AppendLine(report, line, group, reply);
    if (group < 3) report.text("\r\n");
  }
}

}  // namespace

const ReaderModel kReader8SXY{0, 40, AcceptsByVersion, Format8SXY};
