#pragma once
// The one request discovery sends: a function-03 read of register 0 (the
// program version in this family), and what its reply says. Nothing else is
// ever sent, so discovery never changes a module.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/link.h"
#include "modbus/frames.h"

struct ModelEntry;

inline constexpr int kDefaultTurnaroundMs = 50;
inline constexpr int kFirstStation = 1;
inline constexpr int kLastStation = 247;  // the highest unicast address

enum class ProbeAnswer {
  kSilent,       // nothing within the time-out
  kWord,         // a well-formed reply carrying register 0
  kException,    // a well-formed exception reply: a module is there
  kCorrupted,    // bytes that are not a reply to this probe (bad CRC, short, garbled)
  kWriteFailed,  // the port refused the request
  kReadFailed,   // the port failed while waiting (device gone)
};

struct ProbeResult {
  ProbeAnswer answer = ProbeAnswer::kSilent;
  uint16_t word0 = 0;         // kWord
  uint8_t exceptionCode = 0;  // kException
};

// Request wire time (8 bytes) and reply wire time (7 bytes, the longer of the
// data and the 5-byte exception reply) at the line's speed and format, plus
// the turnaround margin, as the total limit of the write and of the read.
PortTimeouts ProbeTimeouts(int baudRate, const LineFormat& format, int turnaroundMs);

// Sends the probe to station in `framing` through `tx` (which keeps the
// MBAP transaction count) and reads the reply with the port's time-outs.
ProbeResult Probe(SerialPort& port, int station, Framing framing, TxFrame& tx);
// What the bytes read after `probe` mean.
ProbeResult ClassifyReply(const TxFrame& probe, const uint8_t* bytes, size_t count);
// The same for an RTU probe to station.
ProbeResult ClassifyReply(int station, const uint8_t* bytes, size_t count);

// The models whose acceptance rule judges a block that starts at register 0,
// in registry order: the ones a word 0 is tried against.
std::vector<const ModelEntry*> ModelsTried();
// Which tried models accept word 0. The model is told when exactly one does.
struct ModelGuess {
  const ModelEntry* model = nullptr;
  std::vector<const ModelEntry*> accepting;
};
ModelGuess GuessModel(uint16_t word0);
