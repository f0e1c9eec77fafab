#include "modbus/frame_verdict.h"

#include "console/local_time.h"
#include "console/text.h"
#include "modbus/exchange.h"
#include "modbus/frames.h"
#include "modbus/reply_check.h"

namespace {

// Station, function and CRC; the MBAP header and a function.
size_t ShortestFrame(Framing framing) { return framing == Framing::kMbap ? kMbapHeaderBytes + 1 : 4; }


}  // namespace

std::string TraceTimeOfDay(std::chrono::system_clock::time_point at) {
  const LocalTime local = LocalTimeOf(at);
  std::string text;
  appendf(text, "%02d:%02d:%02d.%06d", local.fields.tm_hour, local.fields.tm_min, local.fields.tm_sec, local.micros);
  return text;
}

FrameVerdict JudgeFrame(const TrafficRecord& record) {
  FrameVerdict v;
  const std::vector<uint8_t>& b = record.bytes;
  v.expected = record.expected;
  v.received = b.size();
  v.end = record.end;
  v.timeoutMs = record.timeoutMs;
  const Framing framing = record.modbusTcp ? Framing::kMbap : Framing::kRtu;
  v.mbap = record.modbusTcp;
  const size_t offset = PduOffset(framing);
  if (b.size() > offset) v.function = b[offset];
  if (b.size() >= ShortestFrame(framing)) {
    const bool reply = record.direction == TrafficDirection::kRx && !record.discarded;
    // A request's transaction is its own; only a reply is held against one.
    const EnvelopeCheck envelope = CheckEnvelope(framing, record.request.data(), reply ? record.request.size() : 0,
                                                 b.data(), b.size());
    const bool good = envelope != EnvelopeCheck::kCorrupt;
    v.crc = good ? FrameVerdict::Crc::kGood : FrameVerdict::Crc::kBad;
    if (good && IsCompleteException(framing, b.data(), b.size())) v.exceptionCode = b[offset + 1];
    const bool judged = good && (b.size() == record.expected || v.exceptionCode);
    if (judged && reply) {
      if (envelope == EnvelopeCheck::kOtherTransaction)
        v.mismatch = DescribeEnvelope(envelope, framing, record.request.data(), b.data()).english;
      else if (auto m = CheckReply(framing, record.request.data(), record.request.size(), b.data(), b.size()))
        v.mismatch = std::move(m->english);
    }
  }
  v.discarded = record.discarded;
  return v;
}

std::string VerdictText(const FrameVerdict& v) {
  std::string text;
  if (v.discarded) {
    appendf(text, "[discarded] %zu bytes while the line settled after a failed reply", v.received);
    return text;
  }
  if (v.received == 0) {
    if (v.end == TrafficEnd::kFailed) return "[port failed] nothing transferred";
    appendf(text, "[time-out] nothing in %d ms, %zu bytes expected", v.timeoutMs, v.expected);
    return text;
  }
  if (v.mismatch) text += "[mismatch] " + *v.mismatch + ", ";
  const char* check = v.mbap ? "MBAP" : "CRC";
  switch (v.crc) {
    case FrameVerdict::Crc::kGood: appendf(text, "[%s ok]", check); break;
    case FrameVerdict::Crc::kBad: appendf(text, "[%s bad]", check); break;
    case FrameVerdict::Crc::kNone: appendf(text, "[no %s]", check); break;
  }
  if (v.end == TrafficEnd::kFailed) text += " [port failed]";
  else if (v.end == TrafficEnd::kTimeOut) appendf(text, " [time-out after %d ms]", v.timeoutMs);
  if (v.function) appendf(text, " function %02X", *v.function);
  if (v.exceptionCode)
    appendf(text, ", exception %02X %s", *v.exceptionCode, ExceptionName(*v.exceptionCode));
  appendf(text, ", %zu of %zu bytes", v.received, v.expected);
  return text;
}

std::string TraceLine(const TrafficRecord& record) {
  const bool tx = record.direction == TrafficDirection::kTx;
  std::string line = TraceTimeOfDay(record.wallTime()) + (tx ? " TX" : " RX");
  if (!record.bytes.empty()) line += " " + HexBytes(record.bytes.data(), record.bytes.size());
  // A request that went out whole needs no comment; one that did not does.
  if (!tx || record.end != TrafficEnd::kComplete) line += " " + VerdictText(JudgeFrame(record));
  return line;
}
