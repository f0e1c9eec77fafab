#pragma once
// Whether a reply answers the request it follows: the same station, the same
// function (or its exception), a function-03 byte count of twice the registers
// asked for, and the echo of a write. A reply that passes its length and CRC
// may still come from another module or answer another request.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "modbus/frames.h"

struct ReplyMismatch {
  std::string text;     // for a box: "应答来自站号 2，请求的是站号 1"
  std::string english;  // for a trace verdict: "reply from station 2, request to 1"
};

// Checks a reply ADU of `count` bytes whose length and envelope (or exception
// frame) already passed; nothing when it answers the request.
std::optional<ReplyMismatch> CheckReply(Framing framing, const uint8_t* request, size_t requestLength,
                                        const uint8_t* reply, size_t count);
inline std::optional<ReplyMismatch> CheckReply(const TxFrame& tx, const RxFrame& rx) {
  return CheckReply(tx.framing, tx.bytes, tx.length, rx.bytes, rx.count);
}
