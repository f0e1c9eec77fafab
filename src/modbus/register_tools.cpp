#include "modbus/register_tools.h"

#include "console/console.h"
#include "console/control_ids.h"
#include "console/text.h"
#include "modbus/config_word.h"

namespace {

constexpr const char* kAnnotatedRequestTitle = "十六进制显示发送数据：\r\n\r\n";
constexpr const char* kAnnotatedReplyHeader = "\r\n\r\n十六进制显示接收数据：\r\n\r\n";
constexpr const char* kConfirmEnable = "该操作将设置允许寄存器的写操作";
constexpr const char* kConfirmDisable = "该操作将设置禁用寄存器的写操作";

// A start address and a count fit the 65536 registers. The sum is taken wide:
// a saturated address plus a count must not wrap round into range.
bool BlockFits(int32_t start, int32_t count) {
  return start >= 0 && int64_t{start} + count <= 65536;
}

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

// A field left empty is refused, never written as 0: the box's own text, then
// which field.
bool RefusedAsEmpty(Console& console, const std::string& text, const char* box, const std::string& field) {
  if (!IsBlank(text)) return false;
  console.showInfo(std::string(box) + "\r\n" + field + msg::kNotFilled);
  return true;
}

}  // namespace

const char* ReadBlockError(int64_t start, int64_t count) {
  if (start < 0 || start + count > 65536) return kBadStartAddress;
  if (count < 1 || count > 120) return kBadReadCount;
  return nullptr;
}

void ReadRegisters(OperationContext& ctx) {
  ExchangeParams params;
  int32_t count = 0;
  params.request = [&](int station) {
    const int32_t start = ParseDecimal(ctx.console.fieldText(ids::kReadStart));
    count = ParseDecimal(ctx.console.fieldText(ids::kReadCount));
    if (const char* box = ReadBlockError(start, count)) {
      ctx.console.showInfo(box);
      return false;
    }
    // The exchange reads the reply length after this step.
    params.replyLength = 5 + 2 * static_cast<uint32_t>(count);
    BuildReadRequest(ctx.tx, static_cast<uint8_t>(station), static_cast<uint16_t>(start),
                     static_cast<uint16_t>(count));
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
  const ExchangeResult result = RunExchange(ctx, params);
  if (result.ok()) ctx.console.setPaneText(result.report);
}

void WriteRegister(OperationContext& ctx) {
  ExchangeParams params;
  params.replyLength = 8;
  params.minStation = 0;
  params.replyTrailer = "";
  int32_t address = 0;
  params.request = [&](int station) {
    if (station == 0 && !ctx.console.askCautiousWarning(kBroadcastWarning)) return false;
    const std::string addressText = ctx.console.fieldText(ids::kWriteAddress);
    if (RefusedAsEmpty(ctx.console, addressText, kBadRegisterAddress, "写入地址")) return false;
    address = ParseDecimal(addressText);
    if (address < 0 || address > 65535) {
      ctx.console.showInfo(kBadRegisterAddress);
      return false;
    }
    const std::string valueText = ctx.console.fieldText(ids::kWriteValue);
    if (RefusedAsEmpty(ctx.console, valueText, kBadRegisterValue, "写入数值")) return false;
    const int32_t value = ParseDecimal(valueText);
    if (value < 0 || value > 65535) {
      ctx.console.showInfo(kBadRegisterValue);
      return false;
    }
    if (address == kConfigRegister && !ConfirmConfigWord(ctx.console, static_cast<uint16_t>(value)))
      return false;
    BuildWriteRegisterRequest(ctx.tx, static_cast<uint8_t>(station), static_cast<uint16_t>(address),
                              static_cast<uint16_t>(value));
    return true;
  };
  const ExchangeResult result = RunExchange(ctx, params);
  if (!result.ok()) return;
  ctx.console.setPaneText(result.report);
  if (address == kConfigRegister) ctx.console.showNotice(msg::kCommParamsSet);
}

void WriteRegisters(OperationContext& ctx) {
  ExchangeParams params;
  params.replyLength = 8;
  int32_t count = 0;
  params.request = [&](int station) {
    const std::string startText = ctx.console.fieldText(ids::kWriteStart);
    const std::string countText = ctx.console.fieldText(ids::kWriteCount);
    const int32_t start = ParseDecimal(startText);
    count = ParseDecimal(countText);
    if (RefusedAsEmpty(ctx.console, startText, kBadStartAddress, "写入地址")) return false;
    if (!BlockFits(start, count)) {
      ctx.console.showInfo(kBadStartAddress);
      return false;
    }
    if (RefusedAsEmpty(ctx.console, countText, kBadWriteCount, "写入长度")) return false;
    if (count < 1 || count > 20) {
      ctx.console.showInfo(kBadWriteCount);
      return false;
    }
    std::string typed[20];
    for (int k = 0; k < 20; ++k) typed[k] = ctx.console.fieldText(ids::kWriteValues[k]);
    uint16_t values[20];
    for (int k = 0; k < count; ++k) {
      std::string cell;
      appendf(cell, "第 %d 个写入数据", k + 1);
      if (RefusedAsEmpty(ctx.console, typed[k], kBadWriteValue, cell)) return false;
      const int32_t value = ParseDecimal(typed[k]);
      if (value < 0 || value > 65535) {
        ctx.console.showInfo(kBadWriteValue);
        return false;
      }
      values[k] = static_cast<uint16_t>(value);
    }
    // The configuration word is guarded whichever tool writes it.
    if (start <= kConfigRegister && kConfigRegister < start + count &&
        !ConfirmConfigWord(ctx.console, values[kConfigRegister - start]))
      return false;
    BuildWriteRegistersRequest(ctx.tx, static_cast<uint8_t>(station), static_cast<uint16_t>(start),
                               values, static_cast<uint16_t>(count));
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
  const ExchangeResult result = RunExchange(ctx, params);
  if (result.ok()) ctx.console.setPaneText(result.report);
}
