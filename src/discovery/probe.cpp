#include "discovery/probe.h"

#include <cstring>

#include "modbus/exchange.h"
#include "modbus/frames.h"
#include "models/model_registry.h"

namespace {

constexpr size_t kRequestBytes = 8;
constexpr size_t kReplyBytes = 7;  // station, 03, byte count 2, one word, CRC

}  // namespace

PortTimeouts ProbeTimeouts(int baudRate, const LineFormat& format, int turnaroundMs) {
  const int request = WireMs(kRequestBytes, baudRate, format);
  const int exchange = WireMs(kRequestBytes + kReplyBytes, baudRate, format);
  PortTimeouts t;
  t.readConstant = exchange + turnaroundMs;
  t.writeConstant = request + turnaroundMs;
  return t;
}

ProbeResult ClassifyReply(int station, const uint8_t* bytes, size_t count) {
  ProbeResult r;
  if (count == 0) return r;
  r.answer = ProbeAnswer::kCorrupted;
  if (bytes[0] != station) return r;
  if (IsCompleteExceptionFrame(bytes, count) && bytes[1] == (0x03 | 0x80)) {
    r.answer = ProbeAnswer::kException;
    r.exceptionCode = bytes[2];
    return r;
  }
  if (count == kReplyBytes && bytes[1] == 0x03 && bytes[2] == 2 &&
      CrcMatches(bytes, static_cast<uint32_t>(count))) {
    r.answer = ProbeAnswer::kWord;
    r.word0 = Word(bytes, 0);
  }
  return r;
}

ProbeResult Probe(SerialPort& port, int station) {
  TxFrame tx;
  BuildReadRequest(tx, static_cast<uint8_t>(station), 0, 1);
  if (!SendFrame(port, tx.bytes, tx.length)) return {ProbeAnswer::kWriteFailed};
  uint8_t reply[kReplyBytes] = {};
  const IoResult got = port.read(reply, kReplyBytes, IsCompleteExceptionFrame);
  if (!got.ok) return {ProbeAnswer::kReadFailed};
  return ClassifyReply(station, reply, got.count);
}

std::vector<const ModelEntry*> ModelsTried() {
  std::vector<const ModelEntry*> tried;
  for (const ModelEntry& model : Models())
    if (model.reader.accepts && model.reader.start == 0) tried.push_back(&model);
  return tried;
}

ModelGuess GuessModel(uint16_t word0) {
  ModelGuess guess;
  for (const ModelEntry* model : ModelsTried()) {
    // The rules of this family look at word 0 alone; the rest of the block is
    // zero, so a rule that read further would find nothing to go on.
    std::vector<uint8_t> reply(3 + 2 * size_t{model->reader.count} + 2, 0);
    reply[3] = static_cast<uint8_t>(word0 >> 8);
    reply[4] = static_cast<uint8_t>(word0 & 0xFF);
    if (model->reader.accepts(reply.data())) guess.accepting.push_back(model);
  }
  if (guess.accepting.size() == 1) guess.model = guess.accepting.front();
  return guess;
}
