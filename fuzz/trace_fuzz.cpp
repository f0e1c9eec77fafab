// The trace of any traffic: records with any bytes (or a well-formed reply, or
// one that answers another request), any request before them, expected counts,
// ends, time-outs and flags, judged and written as trace lines; and the reply
// check alone on any request and reply. Checked: a trace line is one line of
// UTF-8 that shows the bytes as they went; a verdict claims a good CRC, an
// exception or a mismatch only where the bytes carry one; and a reply the
// check accepts has the request's station and function (or its exception),
// the byte count a read asked for and the echo of a write.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "modbus/frame_verdict.h"
#include "modbus/frames.h"
#include "modbus/reply_check.h"

namespace {

std::vector<uint8_t> Bytes(FuzzInput& in, size_t most) {
  std::vector<uint8_t> bytes(in.range(0, most));
  in.fill(bytes.data(), bytes.size());
  return bytes;
}

void Seal(std::vector<uint8_t>& frame) {
  if (frame.size() < 2) return;
  PlaceCrc(frame.data(), static_cast<uint32_t>(frame.size() - 2));
}

// A request as the console sends one: a read, a write or a multiple write.
std::vector<uint8_t> Request(FuzzInput& in) {
  static const uint8_t kFunctions[] = {0x03, 0x06, 0x10};
  std::vector<uint8_t> frame{in.byte(), kFunctions[in.range(0, 2)]};
  for (int i = 0; i < 4; ++i) frame.push_back(in.byte());
  if (frame[1] == 0x10) {
    const size_t words = in.range(0, 4);
    frame.push_back(static_cast<uint8_t>(2 * words));
    for (size_t i = 0; i < 2 * words; ++i) frame.push_back(in.byte());
  }
  frame.resize(frame.size() + 2);
  Seal(frame);
  return frame;
}

// A sound reply to `request`, of the length the console expects, that may
// differ from the one it should be in one byte of the fuzzer's choosing.
std::vector<uint8_t> Reply(FuzzInput& in, const std::vector<uint8_t>& request) {
  std::vector<uint8_t> reply{request.empty() ? in.byte() : request[0], request.size() < 2 ? in.byte() : request[1]};
  if (in.byte() & 1) {  // an exception
    reply[1] |= 0x80;
    reply.push_back(in.byte());
  } else if (reply[1] == 0x03) {
    const size_t words = request.size() >= 6 ? std::min<size_t>(request[5], 125) : in.range(0, 125);
    reply.push_back(static_cast<uint8_t>(2 * words));
    for (size_t i = 0; i < 2 * words; ++i) reply.push_back(in.byte());
  } else {
    for (size_t i = 2; i < 6; ++i) reply.push_back(i < request.size() ? request[i] : in.byte());
  }
  if (in.byte() & 1) reply[in.range(0, reply.size() - 1)] = in.byte();
  reply.resize(reply.size() + 2);
  Seal(reply);
  return reply;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
  std::string text;
  for (const uint8_t b : bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", b);
    text += hex;
  }
  return text;
}

// The reply check on copies of exactly their lengths, so that a read past
// either end is caught.
void CheckTheCheck(const std::vector<uint8_t>& requestBytes, const std::vector<uint8_t>& replyBytes) {
  const size_t requestLength = requestBytes.size();
  const size_t count = replyBytes.size();
  const std::unique_ptr<uint8_t[]> request(new uint8_t[requestLength]);
  const std::unique_ptr<uint8_t[]> reply(new uint8_t[count]);
  std::copy(requestBytes.begin(), requestBytes.end(), request.get());
  std::copy(replyBytes.begin(), replyBytes.end(), reply.get());
  const std::optional<ReplyMismatch> mismatch = CheckReply(Framing::kRtu, request.get(), requestLength, reply.get(), count);
  if (mismatch) {
    Require(IsUtf8(mismatch->text) && IsUtf8(mismatch->english), "a mismatch text that is not UTF-8");
    Require(!mismatch->text.empty() && !mismatch->english.empty(), "a mismatch without words");
    return;
  }
  if (requestLength < 2 || count < 2) return;
  Require(reply[0] == request[0], "a reply from another station accepted");
  Require((reply[1] & 0x7F) == request[1], "a reply for another function accepted");
  if (reply[1] & 0x80) return;
  if (request[1] == 0x03 && requestLength >= 6 && count >= 3)
    Require(reply[2] == 2 * WordAt(request.get(), 4), "a read reply with another byte count accepted");
  if ((request[1] == 0x06 || request[1] == 0x10) && requestLength >= 6 && count >= 6)
    Require(std::equal(request.get() + 2, request.get() + 6, reply.get() + 2), "a write reply with another echo accepted");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A fixed wall clock: the trace's time of day is not what is fuzzed.
  static const std::chrono::system_clock::time_point kFirstWall =
      std::chrono::system_clock::from_time_t(1796889600);  // 2026-12-10
  FuzzInput in(data, size);
  TrafficRecord record;
  record.direction = in.byte() & 1 ? TrafficDirection::kRx : TrafficDirection::kTx;
  record.firstWall = kFirstWall;
  record.beginUs = static_cast<int64_t>(in.word()) * in.word() * 1000;  // up to 49 days
  record.endUs = record.beginUs + static_cast<int64_t>(in.word()) * 1000;
  record.request = in.byte() < 192 ? Request(in) : Bytes(in, 16);
  switch (in.byte() % 4) {
    case 0: record.bytes = Bytes(in, 300); break;
    case 1:
      record.bytes = Bytes(in, 300);
      Seal(record.bytes);
      break;
    default: record.bytes = Reply(in, in.byte() < 224 ? record.request : Request(in));
  }
  record.discarded = in.byte() < 32;
  record.expected = in.byte() < 192 ? record.bytes.size() : in.range(0, 300);
  record.timeoutMs = static_cast<int>(in.range(0, 65535)) - (in.byte() < 8 ? 65536 : 0);
  static const TrafficEnd kEnds[] = {TrafficEnd::kComplete, TrafficEnd::kTimeOut, TrafficEnd::kFailed};
  record.end = kEnds[in.range(0, 2)];

  const std::vector<uint8_t>& b = record.bytes;
  const FrameVerdict verdict = JudgeFrame(record);
  Require(verdict.received == b.size() && verdict.expected == record.expected, "a verdict with other counts");
  Require((verdict.crc == FrameVerdict::Crc::kNone) == (b.size() < 4), "a CRC judged on too few bytes");
  if (verdict.crc == FrameVerdict::Crc::kGood)
    Require(CrcMatches(b.data(), static_cast<uint32_t>(b.size())), "a bad CRC called good");
  if (verdict.exceptionCode)
    Require(verdict.crc == FrameVerdict::Crc::kGood && b.size() == 5 && (b[1] & 0x80) && *verdict.exceptionCode == b[2],
            "an exception where the bytes carry none");
  if (verdict.mismatch)
    Require(record.direction == TrafficDirection::kRx && !record.discarded && verdict.crc == FrameVerdict::Crc::kGood,
            "a mismatch claimed of a frame that is no sound reply");

  const std::string text = VerdictText(verdict);
  Require(!text.empty() && IsUtf8(text), "a verdict text that is empty or not UTF-8");
  const std::string line = TraceLine(record);
  Require(IsUtf8(line) && line.find_first_of("\r\n") == std::string::npos, "a trace line that is not one line of UTF-8");
  // "HH:MM:SS.ffffff TX" or "... RX", then the bytes.
  Require(line.size() >= 18 && line[2] == ':' && line[5] == ':' && line[8] == '.' &&
              line.compare(15, 3, record.direction == TrafficDirection::kTx ? " TX" : " RX") == 0,
          "a trace line without its time and direction");
  Require(line.compare(18, 3 * b.size(), Hex(b)) == 0, "a trace line that does not show the bytes as they went");

  CheckTheCheck(record.request, b);
  return 0;
}
