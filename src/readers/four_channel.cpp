// "4SX/Y": four-channel module of the SX/SY series.
#include "console/text.h"
#include "readers/models.h"
#include "console/texts.h"

namespace {

constexpr TrText kOrdinals[4] = {TrNoop("readers", "一"), TrNoop("readers", "二"), TrNoop("readers", "三"), TrNoop("readers", "四")};

float CurrentDivisor(RegisterWords reply) {
  const uint16_t version = Word(reply, 0);
  if (version < 300) return 500.0f;
  if (version < 410) return 100.0f;
  return LowByte(reply, 5) != 0 ? 500.0f : 100.0f;
}

void Format4SXY(ReportBuilder& report, RegisterWords reply) {
  const uint16_t version = Word(reply, 0);
  report.text(Tr("readers", "程序版本：%d\r\n电流量程：%d\r\n电压量程：%d\r\n出厂日期：%02X-%02X\r\n\r\n"),
              Word(reply, 0), Word(reply, 1), Word(reply, 2), HighByte(reply, 4), LowByte(reply, 4));
  const float divisor = CurrentDivisor(reply);
  if (version >= 410) report.text(Tr("readers", "电流系数：%d\r\n\r\n"), static_cast<int>(divisor));
  for (int n = 1; n <= 4; ++n) {
    const int base = 8 * n;
    const char* ordinal = kOrdinals[n - 1];
    std::string channel;
    appendf(channel, Tr("readers", "%s路"), ordinal);
    // Single precision, as the module's firmware stores these values.
    const float current = static_cast<float>(Word(reply, base)) / divisor;
    const float voltage = static_cast<float>(Word(reply, base + 1)) / 100.0f;
    report.quantity(ChannelKey(n, "i"), "", "A", Tr("readers", "%s路电流：%.2f\r\n"), ordinal, current);
    report.quantity(ChannelKey(n, "u"), "", "V", Tr("readers", "%s路电压：%.2f\r\n"), ordinal, voltage);
    report.quantity(ChannelKey(n, "s"), "", "VA", Tr("readers", "%s路视在：%d\r\n"), ordinal, Word(reply, base + 2));
    report.quantity(ChannelKey(n, "p"), "", "W", Tr("readers", "%s路有功：%d\r\n"), ordinal, SignedWord(reply, base + 3));
    if (version >= 620) {
      report.quantity(ChannelKey(n, "ct"), channel, "", Tr("readers", "电流变比：%d\r\n"), Word(reply, base + 4));
      report.quantity(ChannelKey(n, "vt"), channel, "", Tr("readers", "电压变比：%d\r\n"), Word(reply, base + 5));
    }
    if (n < 4) report.text("\r\n");
  }
}

}  // namespace

const ReaderModel kReader4SXY{0, 40, AcceptsByVersion, Format4SXY};
