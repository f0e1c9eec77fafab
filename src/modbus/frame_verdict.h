#pragma once
// What a frame the traffic tap recorded means as Modbus RTU or Modbus TCP: the
// judgement the traffic window shows beside the bytes and --trace prints after them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "link/traffic_tap.h"

struct FrameVerdict {
  // The envelope's check: the CRC, or for Modbus TCP the MBAP header.
  enum class Crc { kGood, kBad, kNone };  // kNone: too few bytes to carry one
  Crc crc = Crc::kNone;
  bool mbap = false;
  std::optional<uint8_t> function;       // the PDU's first byte, as received
  std::optional<uint8_t> exceptionCode;  // a well-formed exception reply's code
  size_t expected = 0;
  size_t received = 0;
  TrafficEnd end = TrafficEnd::kComplete;
  int timeoutMs = 0;
  bool discarded = false;
  // A sound reply that does not answer its request: what differs.
  std::optional<std::string> mismatch;
};

FrameVerdict JudgeFrame(const TrafficRecord& record);
// "12:03:04.123456": local time of day to the µs, as trace lines and the
// traffic window show it.
std::string TraceTimeOfDay(std::chrono::system_clock::time_point at);
// "[CRC ok] function 03, 7 of 7 bytes", "[CRC bad] ...", "[time-out] nothing ...",
// "[mismatch] reply from station 2, request to 1, ...".
std::string VerdictText(const FrameVerdict& verdict);
// One trace line without its end of line: local time of day to the µs,
// TX or RX, the bytes as they went, and for a reply (or a write that failed)
// the verdict: "12:03:04.123456 RX 01 03 02 02 A8 B8 05 [CRC bad] ...".
std::string TraceLine(const TrafficRecord& record);
