#include "discovery/probe.h"

#include <cstring>

#include "modbus/exchange.h"
#include "modbus/frames.h"
#include "models/model_registry.h"

namespace {

// Over RTU: the request's 8 bytes, and a reply of station, 03, byte count 2,
// one word, CRC.
constexpr size_t kRequestBytes = 8;
constexpr size_t kReplyBytes = 7;
const uint32_t kReplyPduBytes = ReadReplyPduLength(1);

}  // namespace

PortTimeouts ProbeTimeouts(int baudRate, const LineFormat& format, int turnaroundMs) {
  const int request = WireMs(kRequestBytes, baudRate, format);
  const int exchange = WireMs(kRequestBytes + kReplyBytes, baudRate, format);
  PortTimeouts t;
  t.readConstant = exchange + turnaroundMs;
  t.writeConstant = request + turnaroundMs;
  return t;
}

ProbeResult ClassifyReply(const TxFrame& probe, const uint8_t* bytes, size_t count) {
  ProbeResult r;
  if (count == 0) return r;
  r.answer = ProbeAnswer::kCorrupted;
  const Framing framing = probe.framing;
  const size_t offset = PduOffset(framing);
  if (count <= offset || StationOf(framing, bytes) != StationOf(probe)) return r;
  const bool sound = CheckEnvelope(framing, probe.bytes, probe.length, bytes, count) == EnvelopeCheck::kSound;
  const uint8_t* pdu = PduOf(framing, bytes);
  if (sound && IsCompleteException(framing, bytes, count) && pdu[0] == (kReadHoldingRegisters | kExceptionFlag)) {
    r.answer = ProbeAnswer::kException;
    r.exceptionCode = pdu[1];
    return r;
  }
  if (sound && count == AduLength(framing, kReplyPduBytes) && pdu[0] == kReadHoldingRegisters && pdu[1] == 2) {
    r.answer = ProbeAnswer::kWord;
    r.word0 = Word(WordsOfReadReply(pdu), 0);
  }
  return r;
}

ProbeResult ClassifyReply(int station, const uint8_t* bytes, size_t count) {
  TxFrame probe;
  BuildReadRequest(probe, Framing::kRtu, static_cast<uint8_t>(station), 0, 1);
  return ClassifyReply(probe, bytes, count);
}

ProbeResult Probe(SerialPort& port, int station, Framing framing, TxFrame& tx) {
  BuildReadRequest(tx, framing, static_cast<uint8_t>(station), 0, 1);
  if (!SendFrame(port, tx.bytes, tx.length)) return {ProbeAnswer::kWriteFailed};
  uint8_t reply[kMaxAduBytes] = {};
  const IoResult got = port.read(reply, AduLength(framing, kReplyPduBytes), [framing](const uint8_t* b, size_t n) {
    return IsCompleteException(framing, b, n);
  });
  if (!got.ok) return {ProbeAnswer::kReadFailed};
  return ClassifyReply(tx, reply, got.count);
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
    std::vector<uint8_t> block(2 * size_t{model->reader.count}, 0);
    block[0] = static_cast<uint8_t>(word0 >> 8);
    block[1] = static_cast<uint8_t>(word0 & 0xFF);
    if (model->reader.accepts(RegisterWords{block.data()})) guess.accepting.push_back(model);
  }
  if (guess.accepting.size() == 1) guess.model = guess.accepting.front();
  return guess;
}
