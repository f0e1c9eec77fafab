// "9VX/Y": nine current channels and one voltage input of the VX/VY series. The
// 156-register block comes in two requests (0-119, 120-155) joined into one.
#include <cstring>

#include "console/console.h"
#include "console/text.h"
#include "readers/models.h"

namespace {

constexpr uint16_t kFirstCount = 120;
constexpr uint16_t kSecondCount = 36;
constexpr uint16_t kBlockWords = kFirstCount + kSecondCount;


// block holds the joined words laid out like a reply: word k at bytes 3 + 2k.
void Format9VXY(std::string& report, const uint8_t* block) {
  appendf(report,
          "程序版本：%d\r\n电流量程：%d\r\n电压量程：%d\r\n出厂日期：%02X-%02X\r\n分频系数：%d\r\n"
          "信号阈值：%d\r\n选频系数：%d\r\n存储时间：%d\r\n更新速率：%04X\r\n\r\n",
          Word(block, 0), Word(block, 1), Word(block, 2), HighByte(block, 4), LowByte(block, 4),
          Word(block, 6), HighByte(block, 7), LowByte(block, 7), Word(block, 9), Word(block, 11));
  for (int j = 0; j < 9; ++j) {
    appendf(report,
            "%s\r\n快速值->电流：%05d 视在：%05d 基频：%06.1f\r\n"
            "慢速值->电流：%05d 视在：%05d 有功：%05d 因数：%06.4f\r\n"
            "正向：%010d 反向：%010d 电流系数：%05d 功率系数：%05d 电流变比：%05d\r\n\r\n",
            kChannelNames[j], Word(block, 24 + j), Word(block, 34 + j), Word(block, 43 + j) / 10.0,
            Word(block, 53 + j), Word(block, 63 + j), SignedWord(block, 72 + j),
            SignedWord(block, 81 + j) / 10000.0, SignedPair(block, 91 + 2 * j),
            SignedPair(block, 109 + 2 * j), Word(block, 127 + j), Word(block, 137 + j),
            Word(block, 146 + j));
  }
  appendf(report,
          "电压通道\r\n快速值->电压：%05d 基频：%06.1f\r\n慢速值->电压：%05d 频率：%06.2f\r\n"
          "电压系数：%05d 电压变比：%05d",
          Word(block, 33), Word(block, 52) / 10.0, Word(block, 62), Word(block, 90) / 100.0,
          Word(block, 136), Word(block, 155));
}

void Run9VXY(OperationContext& ctx, const ReaderModel& model) {
  ExchangeParams first;
  first.replyLength = 5u + 2u * kFirstCount;
  first.request = [&](int station) {
    BuildReadRequest(ctx.tx, static_cast<uint8_t>(station), 0, kFirstCount);
    return true;
  };
  ExchangeResult result = RunExchange(ctx, first);
  if (!result.ok()) return;

  // The second reply lands in the same receive buffer: keep the first data part.
  uint8_t block[3 + 2 * kBlockWords] = {};
  std::memcpy(block, ctx.rx.bytes, 3 + 2 * kFirstCount);

  ctx.console.pause(20);

  // The same report continues; the pane is not cleared and the station not reread.
  BuildReadRequest(ctx.tx, static_cast<uint8_t>(result.station), kFirstCount, kSecondCount);
  ExchangeParams second;
  second.replyLength = 5u + 2u * kSecondCount;
  if (TransactShown(ctx, result.report, second) != ExchangeError::kNone) return;
  std::memcpy(block + 3 + 2 * kFirstCount, ctx.rx.bytes + 3, 2 * kSecondCount);

  // Only now, with both replies read, is the module judged.
  if (!model.accepts(block)) {
    ctx.console.showInfo(msg::kUnsupportedModel);
    return;
  }
  model.format(result.report, block);
  ctx.console.setPaneText(result.report);
}

}  // namespace

const ReaderModel kReader9VXY{0, kBlockWords, AcceptsByVersion,
                              Format9VXY, Run9VXY};
