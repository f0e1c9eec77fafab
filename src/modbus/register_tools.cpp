#include "modbus/register_tools.h"

#include "console/console.h"
#include "console/text.h"
#include "modbus/config_word.h"
#include "console/texts.h"

namespace {

constexpr TrText kAnnotatedRequestTitle = TrNoop("modbus", "十六进制显示发送数据：\r\n\r\n");
constexpr TrText kAnnotatedReplyHeader = TrNoop("modbus", "\r\n\r\n十六进制显示接收数据：\r\n\r\n");
constexpr TrText kConfirmEnable = TrNoop("modbus", "该操作将设置允许寄存器的写操作");
constexpr TrText kConfirmDisable = TrNoop("modbus", "该操作将设置禁用寄存器的写操作");

// The envelope's fields before the PDU: the station, or the MBAP header
// with the unit.
std::string AnnotatedHead(Framing framing, const uint8_t* b) {
  std::string head;
  if (framing == Framing::kMbap)
    appendf(head, Tr("modbus", "{[事务标识] %02X %02X} {[协议标识] %02X %02X} {[长度] %02X %02X}\r\n{[单元标识] %02X}"),
            b[0], b[1], b[2], b[3], b[4], b[5], b[6]);
  else
    appendf(head, Tr("modbus", "{[模块站号] %02X}"), b[0]);
  return head;
}

// The envelope's field after the PDU, after `separator`: RTU's CRC; MBAP has none.
std::string AnnotatedCrc(Framing framing, const uint8_t* b, size_t length, const char* separator) {
  std::string crc;
  if (framing == Framing::kRtu) appendf(crc, Tr("modbus", "%s{[校验位] %02X %02X}"), separator, b[length - 2], b[length - 1]);
  return crc;
}

// Data bytes 24 to a line, then the closing brace and the CRC. The closing
// brace goes by the register count alone, not by where the last data line
// ended: a multiple of 8 closes right after the last byte.
void AppendDataAndCrc(std::string& report, const uint8_t* data, int registers, const std::string& crc) {
  AppendHexDump(report, data, static_cast<size_t>(2 * registers), 24);
  report += registers % 8 == 0 ? "}" : "\r\n}";
  report += crc;
}

// The register-3 confirmation, by whichever tool writes it; false when the
// word is refused or Cancel chosen.
bool ConfirmConfigWord(Console& console, uint16_t value) {
  if (value == kWriteEnableWord) return console.askCautiousWarning(kConfirmEnable);
  if (value == kWriteDisableWord) return console.askCautiousWarning(kConfirmDisable);
  const std::optional<CommWord> word = DecodeCommWord(value);
  if (!word) {
    console.showInfo(kBadRegisterValue);
    return false;
  }
  if (!IsAssignableStation(word->station)) {
    console.showInfo(std::string(kBadRegisterValue) + "\r\n" + kStationRange);
    return false;
  }
  return console.askWarning(CommParamsConfirmation(*word));
}

// The register-3 confirmation where the write touches it, else the request's own.
bool ConfirmWrite(Console& console, uint16_t start, const std::vector<uint16_t>& values,
                  const std::string& confirmation) {
  const size_t end = size_t{start} + values.size();
  if (start <= kConfigRegister && kConfigRegister < end)
    return ConfirmConfigWord(console, values[kConfigRegister - start]);
  return confirmation.empty() || console.askWarning(confirmation);
}

// The words a write is about to replace, for its journal entry: read only when
// the context asks for them and a journal takes them, never from a broadcast.
// A read that fails leaves its reason instead, and the write still goes.
void ReadBeforeWrite(OperationContext& ctx, int station, Framing framing, uint16_t start, uint16_t count,
                     JournalNote& note) {
  if (!ctx.journal || !ctx.readBeforeWrite || station == 0) return;
  TxFrame read;
  RxFrame reply;
  BuildReadRequest(read, framing, static_cast<uint8_t>(station), start, count);
  const Transfer t = SendAndReceive(ctx.link, *ctx.link.portHandle, read, reply, ReadReplyPduLength(count));
  if (t.error != ExchangeError::kNone) {
    note.beforeProblem = ResultName(OutcomeOf(t.error, t.fact).result);
    if (!t.fact.empty()) note.beforeProblem += ": " + t.fact;
    return;
  }
  const RegisterWords words = WordsOfReadReply(PduOf(reply));
  note.before.emplace();
  for (int k = 0; k < count; ++k) note.before->push_back(Word(words, k));
}

}  // namespace

const char* ReadBlockError(int64_t start, int64_t count) {
  if (start < 0 || start + count > 65536) return kBadStartAddress;
  if (count < 1 || count > 120) return kBadReadCount;
  return nullptr;
}

void ReadRegisters(OperationContext& ctx, const ReadRegistersRequest& request) {
  ExchangeParams params;
  const int count = request.block.ok() ? request.block->count : 0;
  params.request = [&](int station, Framing framing) {
    if (!Accepted(ctx.console, request.block)) return false;
    params.replyPduLength = ReadReplyPduLength(static_cast<uint32_t>(count));
    BuildReadRequest(ctx.tx, framing, static_cast<uint8_t>(station), request.block->start, request.block->count);
    return true;
  };
  params.requestDisplay = [](std::string& report, const TxFrame& tx) {
    const uint8_t* p = PduOf(tx);
    report += kAnnotatedRequestTitle;
    report += AnnotatedHead(tx.framing, tx.bytes);
    appendf(report, Tr("modbus", " {[功能码] %02X} {[起始地址] %02X %02X}\r\n{[读取长度] %02X %02X}"), p[0], p[1], p[2], p[3], p[4]);
    report += AnnotatedCrc(tx.framing, tx.bytes, tx.length, " ") + "\r\n";
  };
  params.replyDisplay = [&count](std::string& report, const RxFrame& rx) {
    const uint8_t* p = PduOf(rx);
    report += kAnnotatedReplyHeader;
    report += AnnotatedHead(rx.framing, rx.bytes);
    appendf(report, Tr("modbus", " {[功能码] %02X} {[字节长度] %02X}\r\n\r\n{[数据内容]\r\n"), p[0], p[1]);
    AppendDataAndCrc(report, p + 2, count, AnnotatedCrc(rx.framing, rx.bytes, rx.count, "\r\n\r\n"));
  };
  const ExchangeResult result = RunExchange(ctx, request.station, params);
  if (!result.ok()) return;
  ctx.console.setPaneText(result.report);
  StationRegisters read{result.station, request.block->start, {}};
  for (int k = 0; k < count; ++k) read.words.push_back(Word(ctx.rx, k));
  ctx.console.registersRead(read);
}

void WriteRegister(OperationContext& ctx, const WriteRegisterRequest& request) {
  ExchangeParams params;
  params.replyPduLength = kWriteReplyPduLength;
  params.minStation = 0;
  params.replyTrailer = "";
  params.journal.operation = "write-register";
  params.request = [&](int station, Framing framing) {
    if (station == 0 && !ctx.console.askCautiousWarning(kBroadcastWarning)) return false;
    if (!Accepted(ctx.console, request.address) || !Accepted(ctx.console, request.value)) return false;
    if (!ConfirmWrite(ctx.console, *request.address, {*request.value}, request.confirmation)) return false;
    ReadBeforeWrite(ctx, station, framing, *request.address, 1, params.journal);
    BuildWriteRegisterRequest(ctx.tx, framing, static_cast<uint8_t>(station), *request.address, *request.value);
    return true;
  };
  const ExchangeResult result = RunExchange(ctx, request.station, params);
  if (!result.ok()) return;
  ctx.console.setPaneText(result.report);
  ctx.console.registersWritten({result.station, *request.address, {*request.value}});
  if (*request.address == kConfigRegister) ctx.console.showNotice(msg::kCommParamsSet);
}

void WriteRegisters(OperationContext& ctx, const WriteRegistersRequest& request) {
  ExchangeParams params;
  params.replyPduLength = kWriteReplyPduLength;
  const int count = request.block.ok() ? request.block->count : 0;
  params.journal.operation = "write-registers";
  params.request = [&](int station, Framing framing) {
    if (!Accepted(ctx.console, request.block) || !Accepted(ctx.console, request.values)) return false;
    const uint16_t start = request.block->start;
    const std::vector<uint16_t>& values = *request.values;
    // The configuration word is guarded whichever tool writes it.
    if (!ConfirmWrite(ctx.console, start, values, request.confirmation)) return false;
    ReadBeforeWrite(ctx, station, framing, start, static_cast<uint16_t>(count), params.journal);
    BuildWriteRegistersRequest(ctx.tx, framing, static_cast<uint8_t>(station), start, values.data(),
                               static_cast<uint16_t>(count));
    return true;
  };
  params.requestDisplay = [&count](std::string& report, const TxFrame& tx) {
    const uint8_t* p = PduOf(tx);
    report += kAnnotatedRequestTitle;
    report += AnnotatedHead(tx.framing, tx.bytes);
    appendf(report,
            Tr("modbus", " {[功能码] %02X} {[起始地址] %02X %02X}\r\n"
            "{[写入长度] %02X %02X}{[字节长度] %02X}\r\n\r\n{[数据内容]\r\n"),
            p[0], p[1], p[2], p[3], p[4], p[5]);
    AppendDataAndCrc(report, p + 6, count, AnnotatedCrc(tx.framing, tx.bytes, tx.length, "\r\n\r\n"));
  };
  params.replyDisplay = [](std::string& report, const RxFrame& rx) {
    const uint8_t* p = PduOf(rx);
    report += kAnnotatedReplyHeader;
    report += AnnotatedHead(rx.framing, rx.bytes);
    appendf(report, Tr("modbus", " {[功能码] %02X} {[起始地址] %02X %02X}\r\n{[写入长度] %02X %02X}"), p[0], p[1], p[2], p[3], p[4]);
    report += AnnotatedCrc(rx.framing, rx.bytes, rx.count, " ") + "\r\n";
  };
  const ExchangeResult result = RunExchange(ctx, request.station, params);
  if (!result.ok()) return;
  ctx.console.setPaneText(result.report);
  ctx.console.registersWritten({result.station, request.block->start, *request.values});
}
