#include "modbus/reply_check.h"

#include "console/text.h"
#include "console/texts.h"

namespace {

ReplyMismatch Mismatch(const char* text, const char* english, int got, int asked) {
  ReplyMismatch m;
  appendf(m.text, text, got, asked);
  appendf(m.english, english, got, asked);
  return m;
}

// The echo of a write: the two words after the function code, named for the box.
std::optional<ReplyMismatch> CheckEcho(const uint8_t* request, const uint8_t* reply,
                                       const TrText names[2], const char* const english[2]) {
  for (int k = 0; k < 2; ++k) {
    const uint32_t at = 1 + 2 * static_cast<uint32_t>(k);
    const int asked = WordAt(request, at);
    const int got = WordAt(reply, at);
    if (got == asked) continue;
    ReplyMismatch m;
    appendf(m.text, Tr("modbus", "写入确认的%s %d 与写入的 %d 不符"), names[k].text(), got, asked);
    appendf(m.english, "echo of the %s %d, written %d", english[k], got, asked);
    return m;
  }
  return std::nullopt;
}

}  // namespace

std::optional<ReplyMismatch> CheckReply(Framing framing, const uint8_t* requestAdu, size_t requestLength,
                                        const uint8_t* replyAdu, size_t count) {
  // Lengths from here on are the PDUs'.
  const size_t offset = PduOffset(framing);
  if (requestLength < offset + 1 || count < offset + 1) return std::nullopt;
  requestLength -= offset;
  count -= offset;
  const uint8_t* request = PduOf(framing, requestAdu);
  const uint8_t* reply = PduOf(framing, replyAdu);
  const int asked = StationOf(framing, requestAdu);
  const int from = StationOf(framing, replyAdu);
  if (from != asked)
    return Mismatch(Tr("modbus", "应答来自站号 %d，请求的是站号 %d"), "reply from station %d, request to %d", from, asked);
  const uint8_t function = request[0];
  if ((reply[0] & 0x7F) != function)
    return Mismatch(Tr("modbus", "应答功能码 %02X，请求的是 %02X"), "reply function %02X, request %02X", reply[0], function);
  if (reply[0] & kExceptionFlag) return std::nullopt;  // the module's exception to this request

  if (function == kReadHoldingRegisters && requestLength >= 5 && count >= 2) {
    const int bytes = 2 * WordAt(request, 3);
    if (reply[1] != bytes)
      return Mismatch(Tr("modbus", "应答字节长度 %d，请求的是 %d"), "byte count %d, request %d", reply[1], bytes);
  }
  if (function == kWriteSingleRegister && requestLength >= 5 && count >= 5)
  {
    static constexpr TrText kNames[2] = {TrNoop("modbus", "地址"), TrNoop("modbus", "数值")};
    static const char* const kEnglish[2] = {"address", "value"};
    return CheckEcho(request, reply, kNames, kEnglish);
  }
  if (function == kWriteMultipleRegisters && requestLength >= 5 && count >= 5)
  {
    static constexpr TrText kNames[2] = {TrNoop("modbus", "起始地址"), TrNoop("modbus", "长度")};
    static const char* const kEnglish[2] = {"start", "count"};
    return CheckEcho(request, reply, kNames, kEnglish);
  }
  return std::nullopt;
}
