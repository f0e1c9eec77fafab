// "9VX/Y": nine current channels and one voltage input of the VX/VY series. The
// 156-register block comes in two requests (0-119, 120-155) joined into one.
#include <cstring>
#include <string>

#include "console/console.h"
#include "readers/models.h"
#include "console/texts.h"

namespace {

constexpr uint16_t kFirstCount = 120;
constexpr uint16_t kSecondCount = 36;
constexpr uint16_t kBlockWords = kFirstCount + kSecondCount;


// block holds the joined words laid out like a reply: word k at bytes 3 + 2k.
void Format9VXY(ReportBuilder& report, RegisterWords block) {
  report.text(Tr("readers", "程序版本：%d\r\n电流量程：%d\r\n电压量程：%d\r\n出厂日期：%02X-%02X\r\n分频系数：%d\r\n"
              "信号阈值：%d\r\n选频系数：%d\r\n存储时间：%d\r\n更新速率：%04X\r\n\r\n"),
              Word(block, 0), Word(block, 1), Word(block, 2), HighByte(block, 4), LowByte(block, 4),
              Word(block, 6), HighByte(block, 7), LowByte(block, 7), Word(block, 9), Word(block, 11));
  for (int j = 0; j < 9; ++j) {
    const int n = j + 1;
    const std::string channel = kChannelNames[j].text();
    const std::string fast = channel + Tr("readers", " 快速值");
    const std::string slow = channel + Tr("readers", " 慢速值");
    report.text(Tr("readers", "%s\r\n快速值->"), kChannelNames[j].text());
    report.quantity(ChannelKey(n, "fast.i"), fast, "", Tr("readers", "电流：%05d "), Word(block, 24 + j));
    report.quantity(ChannelKey(n, "fast.s"), fast, "", Tr("readers", "视在：%05d "), Word(block, 34 + j));
    report.quantity(ChannelKey(n, "fast.f"), fast, "Hz", Tr("readers", "基频：%06.1f\r\n"), Word(block, 43 + j) / 10.0);
    report.text(Tr("readers", "慢速值->"));
    report.quantity(ChannelKey(n, "i"), slow, "", Tr("readers", "电流：%05d "), Word(block, 53 + j));
    report.quantity(ChannelKey(n, "s"), slow, "", Tr("readers", "视在：%05d "), Word(block, 63 + j));
    report.quantity(ChannelKey(n, "p"), slow, "", Tr("readers", "有功：%05d "), SignedWord(block, 72 + j));
    report.quantity(ChannelKey(n, "pf"), slow, "", Tr("readers", "因数：%06.4f\r\n"), SignedWord(block, 81 + j) / 10000.0);
    report.quantity(ChannelKey(n, "ep"), channel, "", Tr("readers", "正向：%010d "), SignedPair(block, 91 + 2 * j));
    report.quantity(ChannelKey(n, "en"), channel, "", Tr("readers", "反向：%010d "), SignedPair(block, 109 + 2 * j));
    report.quantity(ChannelKey(n, "ki"), channel, "", Tr("readers", "电流系数：%05d "), Word(block, 127 + j));
    report.quantity(ChannelKey(n, "kp"), channel, "", Tr("readers", "功率系数：%05d "), Word(block, 137 + j));
    report.quantity(ChannelKey(n, "ct"), channel, "", Tr("readers", "电流变比：%05d\r\n\r\n"), Word(block, 146 + j));
  }
  const std::string voltage = Tr("readers", "电压通道");
  report.text(Tr("readers", "电压通道\r\n快速值->"));
  report.quantity("uin.fast.u", voltage + Tr("readers", " 快速值"), "", Tr("readers", "电压：%05d "), Word(block, 33));
  report.quantity("uin.fast.f", voltage + Tr("readers", " 快速值"), "Hz", Tr("readers", "基频：%06.1f\r\n"), Word(block, 52) / 10.0);
  report.text(Tr("readers", "慢速值->"));
  report.quantity("uin.u", voltage + Tr("readers", " 慢速值"), "", Tr("readers", "电压：%05d "), Word(block, 62));
  report.quantity("uin.f", voltage + Tr("readers", " 慢速值"), "Hz", Tr("readers", "频率：%06.2f\r\n"), Word(block, 90) / 100.0);
  report.quantity("uin.ku", voltage, "", Tr("readers", "电压系数：%05d "), Word(block, 136));
  report.quantity("uin.vt", voltage, "", Tr("readers", "电压变比：%05d"), Word(block, 155));
}

ReadOutcome Read9VXY(OperationContext& ctx, const ReaderModel& model, const StationInput& station) {
  ExchangeParams first;
  first.replyPduLength = ReadReplyPduLength(kFirstCount);
  first.request = [&](int to, Framing framing) {
    BuildReadRequest(ctx.tx, framing, static_cast<uint8_t>(to), 0, kFirstCount);
    return true;
  };
  ExchangeResult result = RunExchange(ctx, station, first);
  ReadOutcome outcome{result.error, false, result.station, std::move(result.report), {}};
  if (!outcome.ok()) return outcome;

  // The second reply lands in the same receive buffer: keep the first data part.
  uint8_t block[2 * kBlockWords] = {};
  std::memcpy(block, WordsOf(ctx.rx).data, 2 * kFirstCount);

  ctx.console.pause(20);

  // The same report continues; the pane is not cleared.
  BuildReadRequest(ctx.tx, ctx.tx.framing, static_cast<uint8_t>(outcome.station), kFirstCount, kSecondCount);
  ExchangeParams second;
  second.replyPduLength = ReadReplyPduLength(kSecondCount);
  outcome.error = TransactShown(ctx, outcome.report, second);
  if (!outcome.ok()) return outcome;
  std::memcpy(block + 2 * kFirstCount, WordsOf(ctx.rx).data, 2 * kSecondCount);

  // Only now, with both replies read, is the module judged.
  DecodeBlock(outcome, model, RegisterWords{block});
  return outcome;
}

}  // namespace

const ReaderModel kReader9VXY{0, kBlockWords, AcceptsByVersion,
                              Format9VXY, Read9VXY};
