#include "modbus/exchange.h"

#include <cstring>

#include "console/console.h"
#include "console/text.h"
#include "link/tcp_address.h"
#include "link/transfer_deadline.h"
#include "modbus/reply_check.h"
#include "console/texts.h"

void AppendHexDump(std::string& report, const uint8_t* bytes, size_t count, int lineWidth) {
  for (size_t j = 1; j <= count; ++j) {
    appendf(report, "%02X ", bytes[j - 1]);
    if (lineWidth > 0 && j % static_cast<size_t>(lineWidth) == 0) report += "\r\n";
  }
}

const char* ExceptionName(uint8_t code) {
  static constexpr TrText kNames[] = {
      TrNoop("modbus", "非法功能"),       TrNoop("modbus", "非法数据地址"), TrNoop("modbus", "非法数据值"),   TrNoop("modbus", "从站设备故障"),
      TrNoop("modbus", "确认"),           TrNoop("modbus", "从站设备忙"),   TrNoop("modbus", "否定确认"),     TrNoop("modbus", "存储奇偶性差错"),
      TrNoop("modbus", "未定义"),         TrNoop("modbus", "网关路径不可用"), TrNoop("modbus", "网关目标设备响应失败")};
  return (code >= 1 && code <= 11) ? kNames[code - 1] : Tr("modbus", "未定义");
}

std::string ExceptionLine(const uint8_t* pdu) {
  std::string line;
  appendf(line, Tr("modbus", "异常响应：功能码 0x%02X，异常码 0x%02X（%s）"), pdu[0], pdu[1], ExceptionName(pdu[1]));
  return line;
}

Framing FramingOf(const LinkState& link) {
  return IsModbusTcpPortName(link.portName) ? Framing::kMbap : Framing::kRtu;
}

bool SendFrame(SerialPort& port, const uint8_t* bytes, uint32_t count, uint32_t* written) {
  port.clearErrors();
  port.purge();
  const IoResult result = port.write(bytes, count);
  if (written) *written = static_cast<uint32_t>(result.count);
  return result.ok && result.count == count;
}

const char* BoxTextOf(ExchangeError error) {
  switch (error) {
    case ExchangeError::kNone:
    case ExchangeError::kRequestRefused:
    case ExchangeError::kNotJournalled:
    case ExchangeError::kBroadcast: return "";
    case ExchangeError::kPortNotOpen: return msg::kPortNotOpen;
    case ExchangeError::kBadStation: return msg::kBadStation;
    case ExchangeError::kWriteFailed: return msg::kWriteFailed;
    case ExchangeError::kReadFailed: return msg::kReadFailed;
    case ExchangeError::kNoReply:
    case ExchangeError::kShortReply:
    case ExchangeError::kException:
    case ExchangeError::kMismatch: return msg::kNoReply;
    case ExchangeError::kBadCrc: return msg::kBadCrc;
  }
  return "";
}

std::string WhereText(const LinkState& link, int station) {
  std::string text;
  if (ConsoleSetsTheLine(link))
    appendf(text, Tr("modbus", "站号 %d，%d %s"), station, link.baudRate, LineFormatAt(link.lineFormat).text);
  else
    appendf(text, Tr("modbus", "站号 %d，%s"), station, link.portName.c_str());
  return text;
}

std::string FactLine(const Transfer& t, const LinkState& link, int station) {
  return t.fact.empty() ? std::string() : "\r\n" + t.fact + Tr("modbus", "；") + WhereText(link, station);
}

namespace {

// How long a reply of n bytes may take at the link's time-outs.
long long ReadLimitMs(const LinkState& link, uint32_t n) {
  const auto limit = TransferDeadline::readTotal(TimeoutsFor(LinkBaudRate(link)), n);
  return limit ? static_cast<long long>(limit->count()) : 0;
}

// Waits until the line has been quiet for 3.5 characters, dropping what comes,
// so the tail of a late reply is not taken for the next one; bounded by the
// interval time-out.
void SettleLine(const LinkState& link, SerialPort& port) {
  const int baud = LinkBaudRate(link);
  port.discardUntilQuiet(QuietMs(baud, LineFormatAt(link.lineFormat)), TimeoutsFor(baud).readInterval);
}

Transfer Judge(const TxFrame& tx, const RxFrame& rx, uint32_t replyLength) {
  Transfer t;
  const bool exception = rx.count != replyLength;
  if (exception && !IsCompleteException(tx.framing, rx.bytes, rx.count)) {
    t.error = ExchangeError::kShortReply;
    appendf(t.fact, Tr("modbus", "收到 %u / %u 字节"), rx.count, replyLength);
    return t;
  }
  const EnvelopeCheck envelope = CheckEnvelope(tx.framing, tx.bytes, tx.length, rx.bytes, rx.count);
  if (envelope != EnvelopeCheck::kSound) {
    t.error = envelope == EnvelopeCheck::kCorrupt ? ExchangeError::kBadCrc : ExchangeError::kMismatch;
    t.fact = DescribeEnvelope(envelope, tx.framing, tx.bytes, rx.bytes).text;
    return t;
  }
  std::optional<ReplyMismatch> mismatch = CheckReply(tx, rx);
  if (exception && !mismatch) {
    t.error = ExchangeError::kException;
    t.fact = ExceptionLine(PduOf(rx));
    return t;
  }
  if (mismatch) {
    t.error = ExchangeError::kMismatch;
    t.fact = std::move(mismatch->text);
  }
  return t;
}

// A reply that went wrong may still be arriving.
bool LeavesTheLineUnsettled(ExchangeError error) {
  return error == ExchangeError::kNoReply || error == ExchangeError::kShortReply ||
         error == ExchangeError::kBadCrc || error == ExchangeError::kMismatch;
}

}  // namespace

Transfer SendAndReceive(LinkState& link, SerialPort& port, TxFrame& tx, RxFrame& rx,
                        uint32_t replyPduLength) {
  const uint32_t replyLength = AduLength(tx.framing, replyPduLength);
  rx.framing = tx.framing;
  if (link.settleBeforeNextRequest) {
    SettleLine(link, port);
    link.settleBeforeNextRequest = false;
  }
  Transfer t;
  rx.count = 0;  // nothing of this request's reply has come yet
  if (!SendFrame(port, tx.bytes, tx.length, &tx.length)) {
    t.error = ExchangeError::kWriteFailed;
    return t;
  }
  const Framing framing = tx.framing;
  const IoResult got = port.read(rx.bytes, replyLength, [framing](const uint8_t* bytes, size_t count) {
    return IsCompleteException(framing, bytes, count);
  });
  rx.count = static_cast<uint32_t>(got.count);
  if (!got.ok) {
    t.error = ExchangeError::kReadFailed;
  } else if (rx.count == 0) {
    t.error = ExchangeError::kNoReply;
    appendf(t.fact, Tr("modbus", "无应答（等待 %lld ms）"), ReadLimitMs(link, replyLength));
  } else {
    t = Judge(tx, rx, replyLength);
  }
  link.settleBeforeNextRequest = LeavesTheLineUnsettled(t.error);
  return t;
}

namespace {

// The box: the system's own first line, then the facts.
void ShowFailure(OperationContext& ctx, const Transfer& t) {
  std::string box = BoxTextOf(t.error) + FactLine(t, ctx.link, StationOf(ctx.tx));
  const uint8_t function = PduOf(ctx.tx)[0];
  const bool write = function == kWriteSingleRegister || function == kWriteMultipleRegisters;
  if (t.error == ExchangeError::kException && write && PduOf(ctx.rx)[1] == 0x01)
    box += std::string("\r\n") + msg::kMaybeProtected;
  ctx.console.showInfo(box);
}

ExchangeError Fail(OperationContext& ctx, ExchangeError error) {
  ctx.console.showInfo(BoxTextOf(error));
  return error;
}

// Station 0 answers nothing: the frame's wire time and the modules' turnaround
// are waited out, so that the next request does not overtake it.
ExchangeError Broadcast(OperationContext& ctx) {
  if (!SendFrame(*ctx.link.portHandle, ctx.tx.bytes, ctx.tx.length, &ctx.tx.length))
    return Fail(ctx, ExchangeError::kWriteFailed);
  ctx.console.pause(BroadcastPauseMs(ctx.tx.length, LinkBaudRate(ctx.link), LineFormatAt(ctx.link.lineFormat)));
  ctx.console.showNotice(msg::kBroadcastSent);
  return ExchangeError::kBroadcast;
}

}  // namespace

namespace {

// The frame sent and judged, the report continued; the fact of a failure too.
Transfer Transact(OperationContext& ctx, std::string& report, const ExchangeParams& params) {
  if (params.requestDisplay) {
    params.requestDisplay(report, ctx.tx);
  } else {
    report += kRequestTitle;
    AppendHexDump(report, ctx.tx.bytes, ctx.tx.length, 0);
  }
  ctx.console.setPaneText(report);
  if (StationOf(ctx.tx) == 0) return {Broadcast(ctx), {}};

  const Transfer t = SendAndReceive(ctx.link, *ctx.link.portHandle, ctx.tx, ctx.rx, params.replyPduLength);
  if (t.error != ExchangeError::kNone) {
    if (ctx.rx.count > 0 && t.error != ExchangeError::kReadFailed) {
      // What came is shown under the request, so the engineer sees what was wrong.
      std::string shown = report + params.replyHeader;
      AppendHexDump(shown, ctx.rx.bytes, ctx.rx.count, params.dumpLineWidth);
      ctx.console.setPaneText(shown);
    }
    ShowFailure(ctx, t);
    return t;
  }

  if (params.replyDisplay) {
    params.replyDisplay(report, ctx.rx);
  } else {
    report += params.replyHeader;
    AppendHexDump(report, ctx.rx.bytes, ctx.rx.count, params.dumpLineWidth);
    report += params.replyTrailer;
  }
  return t;
}

bool IsWrite(const TxFrame& tx) {
  const uint8_t function = PduOf(tx)[0];
  return function == kWriteSingleRegister || function == kWriteMultipleRegisters;
}

}  // namespace

JournalEntry JournalEntryOf(const OperationContext& ctx, const char* operation) {
  JournalEntry entry;
  entry.operation = operation;
  entry.port = ctx.link.portName;
  if (ConsoleSetsTheLine(ctx.link)) {  // over TCP the far end sets the line
    entry.baudRate = LinkBaudRate(ctx.link);
    entry.lineFormat = LineFormatAt(ctx.link.lineFormat).text;
  }
  entry.station = StationOf(ctx.tx);
  if (ctx.journal) entry.model = ctx.journal->modelAt(entry.station);
  const uint8_t* pdu = PduOf(ctx.tx);
  entry.start = WordAt(pdu, 1);
  if (pdu[0] == kWriteSingleRegister) {
    entry.values.push_back(WordAt(pdu, 3));
  } else if (pdu[0] == kWriteMultipleRegisters) {
    const uint16_t count = WordAt(pdu, 3);
    for (uint16_t k = 0; k < count; ++k) entry.values.push_back(WordAt(pdu, 6 + 2u * k));
  }
  return entry;
}

bool BeginJournalEntry(OperationContext& ctx, const JournalEntry& entry) {
  std::string problem;
  if (!ctx.journal || ctx.journal->begin(entry, &problem)) return true;
  ctx.console.showInfo(kJournalUnwritable + problem);
  return false;
}

void EndJournalEntry(OperationContext& ctx, ExchangeError error, const std::string& fact) {
  std::string problem;
  if (ctx.journal && !ctx.journal->end(OutcomeOf(error, fact), &problem))
    ctx.console.showInfo(kJournalEndLost + problem);
}

WriteOutcome OutcomeOf(ExchangeError error, const std::string& fact) {
  WriteOutcome outcome{WriteResult::kConfirmed, fact};
  switch (error) {
    case ExchangeError::kNone: break;
    case ExchangeError::kBroadcast: outcome.result = WriteResult::kBroadcast; break;
    case ExchangeError::kNoReply: outcome.result = WriteResult::kNoReply; break;
    case ExchangeError::kException: outcome.result = WriteResult::kException; break;
    case ExchangeError::kShortReply:
    case ExchangeError::kBadCrc: outcome.result = WriteResult::kCorrupt; break;
    case ExchangeError::kWriteFailed: outcome.result = WriteResult::kSendFailed; break;
    case ExchangeError::kReadFailed: outcome.result = WriteResult::kPortFailed; break;
    default: outcome.result = WriteResult::kMismatch; break;
  }
  return outcome;
}

ExchangeError TransactShown(OperationContext& ctx, std::string& report, const ExchangeParams& params) {
  const bool journalled = ctx.journal && IsWrite(ctx.tx);
  if (journalled) {
    JournalEntry entry = JournalEntryOf(ctx, params.journal.operation);
    entry.before = params.journal.before;
    entry.beforeProblem = params.journal.beforeProblem;
    if (!BeginJournalEntry(ctx, entry)) return ExchangeError::kNotJournalled;
  }
  const Transfer t = Transact(ctx, report, params);
  if (journalled) EndJournalEntry(ctx, t.error, t.fact);
  return t.error;
}

bool RequirePortOpen(OperationContext& ctx) {
  if (ctx.link.isOpen != 0 && ctx.link.portHandle != nullptr) return true;
  ctx.console.showInfo(msg::kPortNotOpen);
  return false;
}

ExchangeResult RunExchange(OperationContext& ctx, const StationInput& station, const ExchangeParams& params) {
  ExchangeResult result;
  ctx.console.setPaneText("");
  std::memset(ctx.rx.bytes, 0, sizeof ctx.rx.bytes);
  if (!RequirePortOpen(ctx)) {
    result.error = ExchangeError::kPortNotOpen;
    return result;
  }
  if (!Accepted(ctx.console, station)) {
    result.error = ExchangeError::kBadStation;
    return result;
  }
  if (*station < params.minStation) {  // station 0 is a broadcast, which only writes may send
    ctx.console.showInfo(msg::kBadStation);
    result.error = ExchangeError::kBadStation;
    return result;
  }
  result.station = *station;
  if (!params.request(*station, FramingOf(ctx.link))) {
    result.error = ExchangeError::kRequestRefused;
    return result;
  }
  result.error = TransactShown(ctx, result.report, params);
  if (!result.ok()) result.report.clear();
  return result;
}
