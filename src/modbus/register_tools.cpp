#include "modbus/register_tools.h"

#include "console/console.h"
#include "console/text.h"
#include "modbus/config_word.h"

namespace {

constexpr const char* kAnnotatedRequestTitle = "十六进制显示发送数据：\r\n\r\n";
constexpr const char* kAnnotatedReplyHeader = "\r\n\r\n十六进制显示接收数据：\r\n\r\n";
constexpr const char* kConfirmEnable = "该操作将设置允许寄存器的写操作";
constexpr const char* kConfirmDisable = "该操作将设置禁用寄存器的写操作";

// Data bytes 24 to a line, then the CRC. The closing brace goes by the register
// count alone, not by where the last data line ended: a multiple of 8 closes
// right after the last byte.
void AppendDataAndCrc(std::string& report, const uint8_t* data, int registers,
                      const uint8_t* crc) {
  AppendHexDump(report, data, static_cast<size_t>(2 * registers), 24);
  const char* closing = registers % 8 == 0 ? "}\r\n\r\n{[校验位] %02X %02X}"
                                           : "\r\n}\r\n\r\n{[校验位] %02X %02X}";
  appendf(report, closing, crc[0], crc[1]);
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

}  // namespace

const char* ReadBlockError(int64_t start, int64_t count) {
  if (start < 0 || start + count > 65536) return kBadStartAddress;
  if (count < 1 || count > 120) return kBadReadCount;
  return nullptr;
}

void ReadRegisters(OperationContext& ctx, const ReadRegistersRequest& request) {
  ExchangeParams params;
  const int count = request.block.ok() ? request.block->count : 0;
  params.request = [&](int station) {
    if (!Accepted(ctx.console, request.block)) return false;
    params.replyLength = 5 + 2 * static_cast<uint32_t>(count);
    BuildReadRequest(ctx.tx, static_cast<uint8_t>(station), request.block->start, request.block->count);
    return true;
  };
  params.requestDisplay = [](std::string& report, const TxFrame& tx) {
    const uint8_t* b = tx.bytes;
    report += kAnnotatedRequestTitle;
    appendf(report,
            "{[模块站号] %02X} {[功能码] %02X} {[起始地址] %02X %02X}\r\n"
            "{[读取长度] %02X %02X} {[校验位] %02X %02X}\r\n",
            b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]);
  };
  params.replyDisplay = [&count](std::string& report, const RxFrame& rx) {
    const uint8_t* b = rx.bytes;
    report += kAnnotatedReplyHeader;
    appendf(report, "{[模块站号] %02X} {[功能码] %02X} {[字节长度] %02X}\r\n\r\n{[数据内容]\r\n",
            b[0], b[1], b[2]);
    AppendDataAndCrc(report, b + 3, count, b + 3 + 2 * count);
  };
  const ExchangeResult result = RunExchange(ctx, request.station, params);
  if (result.ok()) ctx.console.setPaneText(result.report);
}

void WriteRegister(OperationContext& ctx, const WriteRegisterRequest& request) {
  ExchangeParams params;
  params.replyLength = 8;
  params.minStation = 0;
  params.replyTrailer = "";
  params.request = [&](int station) {
    if (station == 0 && !ctx.console.askCautiousWarning(kBroadcastWarning)) return false;
    if (!Accepted(ctx.console, request.address) || !Accepted(ctx.console, request.value)) return false;
    if (*request.address == kConfigRegister && !ConfirmConfigWord(ctx.console, *request.value)) return false;
    BuildWriteRegisterRequest(ctx.tx, static_cast<uint8_t>(station), *request.address, *request.value);
    return true;
  };
  const ExchangeResult result = RunExchange(ctx, request.station, params);
  if (!result.ok()) return;
  ctx.console.setPaneText(result.report);
  if (*request.address == kConfigRegister) ctx.console.showNotice(msg::kCommParamsSet);
}

void WriteRegisters(OperationContext& ctx, const WriteRegistersRequest& request) {
  ExchangeParams params;
  params.replyLength = 8;
  const int count = request.block.ok() ? request.block->count : 0;
  params.request = [&](int station) {
    if (!Accepted(ctx.console, request.block) || !Accepted(ctx.console, request.values)) return false;
    const uint16_t start = request.block->start;
    const std::vector<uint16_t>& values = *request.values;
    // The configuration word is guarded whichever tool writes it.
    if (start <= kConfigRegister && kConfigRegister < start + count &&
        !ConfirmConfigWord(ctx.console, values[kConfigRegister - start]))
      return false;
    BuildWriteRegistersRequest(ctx.tx, static_cast<uint8_t>(station), start, values.data(),
                               static_cast<uint16_t>(count));
    return true;
  };
  params.requestDisplay = [&count](std::string& report, const TxFrame& tx) {
    const uint8_t* b = tx.bytes;
    report += kAnnotatedRequestTitle;
    appendf(report,
            "{[模块站号] %02X} {[功能码] %02X} {[起始地址] %02X %02X}\r\n"
            "{[写入长度] %02X %02X}{[字节长度] %02X}\r\n\r\n{[数据内容]\r\n",
            b[0], b[1], b[2], b[3], b[4], b[5], b[6]);
    AppendDataAndCrc(report, b + 7, count, b + 7 + 2 * count);
  };
  params.replyDisplay = [](std::string& report, const RxFrame& rx) {
    const uint8_t* b = rx.bytes;
    report += kAnnotatedReplyHeader;
    appendf(report,
            "{[模块站号] %02X} {[功能码] %02X} {[起始地址] %02X %02X}\r\n"
            "{[写入长度] %02X %02X} {[校验位] %02X %02X}\r\n",
            b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]);
  };
  const ExchangeResult result = RunExchange(ctx, request.station, params);
  if (result.ok()) ctx.console.setPaneText(result.report);
}
