#include "modbus/frame_verdict.h"

#include "console/local_time.h"
#include "console/text.h"
#include "console/texts.h"
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
      if (envelope == EnvelopeCheck::kOtherTransaction) {
        EnvelopeFact fact = DescribeEnvelope(envelope, framing, record.request.data(), b.data());
        v.mismatch = std::move(fact.english);
        v.mismatchShown = std::move(fact.text);
      } else if (auto m = CheckReply(framing, record.request.data(), record.request.size(), b.data(), b.size())) {
        v.mismatch = std::move(m->english);
        v.mismatchShown = std::move(m->text);
      }
    }
  }
  v.discarded = record.discarded;
  return v;
}

const VerdictWords kTraceVerdictWords{
    "[discarded] %zu bytes while the line settled after a failed reply",
    "[port failed] nothing transferred",
    "[time-out] nothing in %d ms, %zu bytes expected",
    "[mismatch] %s, ",
    "[%s ok]",
    "[%s bad]",
    "[no %s]",
    " [port failed]",
    " [time-out after %d ms]",
    " function %02X",
    ", exception %02X %s",
    ", %zu of %zu bytes",
    false};

VerdictWords WindowVerdictWords() {
  return {Tr("modbus", "[丢弃] 失败的应答之后、线路恢复之前收到的 %zu 字节"),
          Tr("modbus", "[串口出错] 未传送任何数据"),
          Tr("modbus", "[超时] %d 毫秒内无数据，应为 %zu 字节"),
          Tr("modbus", "[应答不符] %s，"),
          Tr("modbus", "[%s 正确]"),
          Tr("modbus", "[%s 错误]"),
          Tr("modbus", "[无 %s]"),
          Tr("modbus", " [串口出错]"),
          Tr("modbus", " [%d 毫秒后超时]"),
          Tr("modbus", " 功能码 %02X"),
          Tr("modbus", "，异常 %02X %s"),
          Tr("modbus", "，%zu / %zu 字节"),
          true};
}

std::string VerdictText(const FrameVerdict& v, const VerdictWords& words) {
  std::string text;
  if (v.discarded) {
    appendf(text, words.discarded, v.received);
    return text;
  }
  if (v.received == 0) {
    if (v.end == TrafficEnd::kFailed) return words.portFailedNothing;
    appendf(text, words.timeOutNothing, v.timeoutMs, v.expected);
    return text;
  }
  const std::optional<std::string>& mismatch = words.boxMismatch ? v.mismatchShown : v.mismatch;
  if (mismatch) appendf(text, words.mismatch, mismatch->c_str());
  const char* check = v.mbap ? "MBAP" : "CRC";
  switch (v.crc) {
    case FrameVerdict::Crc::kGood: appendf(text, words.checkGood, check); break;
    case FrameVerdict::Crc::kBad: appendf(text, words.checkBad, check); break;
    case FrameVerdict::Crc::kNone: appendf(text, words.checkNone, check); break;
  }
  if (v.end == TrafficEnd::kFailed) text += words.portFailed;
  else if (v.end == TrafficEnd::kTimeOut) appendf(text, words.timeOutAfter, v.timeoutMs);
  if (v.function) appendf(text, words.function, *v.function);
  if (v.exceptionCode) appendf(text, words.exception, *v.exceptionCode, ExceptionName(*v.exceptionCode));
  appendf(text, words.bytes, v.received, v.expected);
  return text;
}

std::string TraceLine(const TrafficRecord& record, const VerdictWords& words) {
  const bool tx = record.direction == TrafficDirection::kTx;
  std::string line = TraceTimeOfDay(record.wallTime()) + (tx ? " TX" : " RX");
  if (!record.bytes.empty()) line += " " + HexBytes(record.bytes.data(), record.bytes.size());
  // A request that went out whole needs no comment; one that did not does.
  if (!tx || record.end != TrafficEnd::kComplete) line += " " + VerdictText(JudgeFrame(record), words);
  return line;
}
