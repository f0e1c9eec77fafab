#include "modbus/exchange.h"

#include <cstring>

#include "console/console.h"
#include "console/control_ids.h"
#include "console/text.h"

void AppendHexDump(std::string& report, const uint8_t* bytes, size_t count, int lineWidth) {
  for (size_t j = 1; j <= count; ++j) {
    appendf(report, "%02X ", bytes[j - 1]);
    if (lineWidth > 0 && j % static_cast<size_t>(lineWidth) == 0) report += "\r\n";
  }
}

bool IsCompleteExceptionFrame(const uint8_t* bytes, size_t count) {
  return count == 5 && (bytes[1] & 0x80) != 0 && CrcMatches(bytes, 5);
}

const char* ExceptionName(uint8_t code) {
  static const char* const kNames[] = {
      "非法功能",       "非法数据地址", "非法数据值",   "从站设备故障",
      "确认",           "从站设备忙",   "否定确认",     "存储奇偶性差错",
      "未定义",         "网关路径不可用", "网关目标设备响应失败"};
  return (code >= 1 && code <= 11) ? kNames[code - 1] : "未定义";
}

std::string ExceptionLine(const uint8_t* frame) {
  std::string line;
  appendf(line, "异常响应：功能码 0x%02X，异常码 0x%02X（%s）", frame[1], frame[2], ExceptionName(frame[2]));
  return line;
}

bool SendFrame(SerialPort& port, const uint8_t* bytes, uint32_t count, uint32_t* written) {
  port.clearErrors();
  port.purge();
  const IoResult result = port.write(bytes, count);
  if (written) *written = static_cast<uint32_t>(result.count);
  return result.ok && result.count == count;
}

std::string BoxTextOf(ExchangeError error, const RxFrame& rx) {
  switch (error) {
    case ExchangeError::kNone:
    case ExchangeError::kRequestRefused: return "";
    case ExchangeError::kPortNotOpen: return msg::kPortNotOpen;
    case ExchangeError::kBadStation: return msg::kBadStation;
    case ExchangeError::kWriteFailed: return msg::kWriteFailed;
    case ExchangeError::kReadFailed: return msg::kReadFailed;
    case ExchangeError::kNoReply:
    case ExchangeError::kShortReply: return msg::kNoReply;
    case ExchangeError::kException: return std::string(msg::kNoReply) + "\r\n" + ExceptionLine(rx.bytes);
    case ExchangeError::kBadCrc: return msg::kBadCrc;
  }
  return "";
}

namespace {

// Sends TxFrame and reads the reply into RxFrame; how that ended.
ExchangeError SendAndReceive(OperationContext& ctx, uint32_t replyLength) {
  SerialPort& port = *ctx.link.portHandle;
  if (!SendFrame(port, ctx.tx.bytes, ctx.tx.length, &ctx.tx.length)) return ExchangeError::kWriteFailed;
  const IoResult got = port.read(ctx.rx.bytes, replyLength, IsCompleteExceptionFrame);
  ctx.rx.count = static_cast<uint32_t>(got.count);
  if (!got.ok) return ExchangeError::kReadFailed;
  if (ctx.rx.count == 0) return ExchangeError::kNoReply;
  if (ctx.rx.count != replyLength) {
    return IsCompleteExceptionFrame(ctx.rx.bytes, ctx.rx.count) ? ExchangeError::kException
                                                                : ExchangeError::kShortReply;
  }
  return CrcMatches(ctx.rx.bytes, replyLength) ? ExchangeError::kNone : ExchangeError::kBadCrc;
}

ExchangeError Fail(OperationContext& ctx, ExchangeError error) {
  ctx.console.showInfo(BoxTextOf(error, ctx.rx));
  return error;
}

}  // namespace

ExchangeError TransactShown(OperationContext& ctx, std::string& report, const ExchangeParams& params) {
  if (params.requestDisplay) {
    params.requestDisplay(report, ctx.tx);
  } else {
    report += kRequestTitle;
    AppendHexDump(report, ctx.tx.bytes, ctx.tx.length, 0);
  }
  ctx.console.setPaneText(report);

  const ExchangeError error = SendAndReceive(ctx, params.replyLength);
  if (error != ExchangeError::kNone) return Fail(ctx, error);

  if (params.replyDisplay) {
    params.replyDisplay(report, ctx.rx);
  } else {
    report += params.replyHeader;
    AppendHexDump(report, ctx.rx.bytes, params.replyLength, params.dumpLineWidth);
    report += params.replyTrailer;
  }
  return ExchangeError::kNone;
}

ExchangeResult RunExchange(OperationContext& ctx, const ExchangeParams& params) {
  ExchangeResult result;
  ctx.console.setPaneText("");
  std::memset(ctx.rx.bytes, 0, sizeof ctx.rx.bytes);
  if (ctx.link.isOpen == 0 || ctx.link.portHandle == nullptr) {
    result.error = Fail(ctx, ExchangeError::kPortNotOpen);
    return result;
  }
  const int32_t station = ParseDecimal(ctx.console.fieldText(ids::kStation));
  if (station < params.minStation || station > 255) {
    result.error = Fail(ctx, ExchangeError::kBadStation);
    return result;
  }
  result.station = station;
  if (!params.request(station)) {
    result.error = ExchangeError::kRequestRefused;
    return result;
  }
  result.error = TransactShown(ctx, result.report, params);
  if (!result.ok()) result.report.clear();
  return result;
}
