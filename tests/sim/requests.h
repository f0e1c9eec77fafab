#pragma once
// Request and reply frames, as bytes, for the simulated modules' tests.
#include <cstdint>
#include <vector>

#include "modbus/frames.h"

namespace simtest {

using Bytes = std::vector<uint8_t>;

inline Bytes FromTx(const TxFrame& tx) { return Bytes(tx.bytes, tx.bytes + tx.length); }

inline Bytes Read03(uint8_t station, uint16_t start, uint16_t count) {
  TxFrame tx;
  BuildReadRequest(tx, Framing::kRtu, station, start, count);
  return FromTx(tx);
}

inline Bytes Write06(uint8_t station, uint16_t address, uint16_t value) {
  TxFrame tx;
  BuildWriteRegisterRequest(tx, Framing::kRtu, station, address, value);
  return FromTx(tx);
}

inline Bytes Write16(uint8_t station, uint16_t start, const std::vector<uint16_t>& values) {
  TxFrame tx;
  BuildWriteRegistersRequest(tx, Framing::kRtu, station, start, values.data(), static_cast<uint16_t>(values.size()));
  return FromTx(tx);
}

// Any bytes with their CRC appended.
inline Bytes WithCrc(Bytes frame) {
  const auto n = static_cast<uint32_t>(frame.size());
  frame.resize(n + 2);
  PlaceCrc(frame.data(), n);
  return frame;
}

inline Bytes Exception(uint8_t station, uint8_t function, uint8_t code) {
  return WithCrc({station, static_cast<uint8_t>(function | 0x80), code});
}

inline uint16_t WordOf(const Bytes& reply, int k) { return Word(RegisterWords{reply.data() + 3}, k); }

}  // namespace simtest
