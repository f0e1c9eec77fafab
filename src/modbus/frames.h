#pragma once
#include <cstddef>
#include <cstdint>

// The process-wide frame buffers.
struct TxFrame {
  uint8_t bytes[256] = {};
  uint32_t length = 0;
};

struct RxFrame {
  uint8_t bytes[256] = {};
  uint32_t count = 0;
};

// Appends the CRC of bytes[0..n) at bytes[n], bytes[n+1]; returns n + 2.
uint32_t PlaceCrc(uint8_t* bytes, uint32_t n);
// True when the last two of the n bytes are the CRC of the ones before.
bool CrcMatches(const uint8_t* bytes, uint32_t n);

void BuildReadRequest(TxFrame& tx, uint8_t station, uint16_t start, uint16_t count);
void BuildWriteRegisterRequest(TxFrame& tx, uint8_t station, uint16_t address, uint16_t value);
void BuildWriteRegistersRequest(TxFrame& tx, uint8_t station, uint16_t start,
                                const uint16_t* values, uint16_t count);

// Register k of a function-03 reply (bytes 3 + 2k and 4 + 2k).
inline uint16_t Word(const uint8_t* reply, int k) {
  return static_cast<uint16_t>(reply[3 + 2 * k] << 8 | reply[4 + 2 * k]);
}
inline int16_t SignedWord(const uint8_t* reply, int k) {
  return static_cast<int16_t>(Word(reply, k));
}
// Registers k and k+1, high word first, as one signed 32-bit value (the modules'
// totals and energy counters).
inline int32_t SignedPair(const uint8_t* reply, int k) {
  return static_cast<int32_t>(static_cast<uint32_t>(Word(reply, k)) << 16 | Word(reply, k + 1));
}
// The two bytes of word k, where a field uses them singly.
inline uint8_t HighByte(const uint8_t* reply, int k) { return reply[3 + 2 * k]; }
inline uint8_t LowByte(const uint8_t* reply, int k) { return reply[4 + 2 * k]; }
inline uint16_t Word(const RxFrame& rx, int k) { return Word(rx.bytes, k); }
inline int16_t SignedWord(const RxFrame& rx, int k) { return SignedWord(rx.bytes, k); }
