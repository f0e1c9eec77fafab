#include "modbus/reply_check.h"

#include "console/text.h"

namespace {

uint16_t WordAt(const uint8_t* bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

ReplyMismatch Mismatch(const char* text, const char* english, int got, int asked) {
  ReplyMismatch m;
  appendf(m.text, text, got, asked);
  appendf(m.english, english, got, asked);
  return m;
}

// The echo of a write: the two words at bytes 2 and 4, named for the box.
std::optional<ReplyMismatch> CheckEcho(const uint8_t* request, const uint8_t* reply,
                                       const char* const names[2], const char* const english[2]) {
  for (int k = 0; k < 2; ++k) {
    const size_t at = 2 + 2 * static_cast<size_t>(k);
    const int asked = WordAt(request, at);
    const int got = WordAt(reply, at);
    if (got == asked) continue;
    ReplyMismatch m;
    appendf(m.text, "写入确认的%s %d 与写入的 %d 不符", names[k], got, asked);
    appendf(m.english, "echo of the %s %d, written %d", english[k], got, asked);
    return m;
  }
  return std::nullopt;
}

}  // namespace

std::optional<ReplyMismatch> CheckReply(const uint8_t* request, size_t requestLength,
                                        const uint8_t* reply, size_t count) {
  if (requestLength < 2 || count < 2) return std::nullopt;
  if (reply[0] != request[0])
    return Mismatch("应答来自站号 %d，请求的是站号 %d", "reply from station %d, request to %d", reply[0],
                    request[0]);
  const uint8_t function = request[1];
  if ((reply[1] & 0x7F) != function)
    return Mismatch("应答功能码 %02X，请求的是 %02X", "reply function %02X, request %02X", reply[1], function);
  if (reply[1] & 0x80) return std::nullopt;  // the module's exception to this request

  if (function == 0x03 && requestLength >= 6 && count >= 3) {
    const int asked = 2 * WordAt(request, 4);
    if (reply[2] != asked)
      return Mismatch("应答字节长度 %d，请求的是 %d", "byte count %d, request %d", reply[2], asked);
  }
  if (function == 0x06 && requestLength >= 6 && count >= 6)
  {
    static const char* const kNames[2] = {"地址", "数值"};
    static const char* const kEnglish[2] = {"address", "value"};
    return CheckEcho(request, reply, kNames, kEnglish);
  }
  if (function == 0x10 && requestLength >= 6 && count >= 6)
  {
    static const char* const kNames[2] = {"起始地址", "长度"};
    static const char* const kEnglish[2] = {"start", "count"};
    return CheckEcho(request, reply, kNames, kEnglish);
  }
  return std::nullopt;
}
