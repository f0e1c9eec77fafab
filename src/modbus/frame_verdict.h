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
  // A sound reply that does not answer its request: what differs, in the
  // trace's words and in the box's.
  std::optional<std::string> mismatch;
  std::optional<std::string> mismatchShown;
};

// A verdict's words as printf formats. The trace's are fixed English that
// scripts read; the traffic window's come from the catalogue, in the user's
// language.
struct VerdictWords {
  const char* discarded;          // %zu bytes
  const char* portFailedNothing;  // no bytes, the port failed
  const char* timeOutNothing;     // %d ms, %zu bytes expected
  const char* mismatch;           // %s: what differs
  const char* checkGood;          // %s: CRC or MBAP
  const char* checkBad;
  const char* checkNone;
  const char* portFailed;
  const char* timeOutAfter;  // %d ms
  const char* function;      // %02X
  const char* exception;     // %02X, %s its name
  const char* bytes;         // %zu of %zu
  bool boxMismatch;          // the box's words of a mismatch rather than the trace's
};
extern const VerdictWords kTraceVerdictWords;
VerdictWords WindowVerdictWords();

FrameVerdict JudgeFrame(const TrafficRecord& record);
// "12:03:04.123456": local time of day to the µs, as trace lines and the
// traffic window show it.
std::string TraceTimeOfDay(std::chrono::system_clock::time_point at);
// "[CRC ok] function 03, 7 of 7 bytes", "[CRC bad] ...", "[time-out] nothing ...",
// "[mismatch] reply from station 2, request to 1, ...".
std::string VerdictText(const FrameVerdict& verdict, const VerdictWords& words = kTraceVerdictWords);
// One trace line without its end of line: local time of day to the µs,
// TX or RX, the bytes as they went, and for a reply (or a write that failed)
// the verdict: "12:03:04.123456 RX 01 03 02 02 A8 B8 05 [CRC bad] ...".
std::string TraceLine(const TrafficRecord& record, const VerdictWords& words = kTraceVerdictWords);
