#pragma once
// Protocol data units (function code + data), the part of a request or reply
// that every framing carries alike, and the register words of a read's reply.
#include <cstdint>

// The longest PDU: 253 bytes, what fits an RTU frame of 256.
inline constexpr uint32_t kMaxPduBytes = 253;

struct Pdu {
  uint8_t bytes[kMaxPduBytes] = {};
  uint32_t length = 0;
};

inline constexpr uint8_t kReadHoldingRegisters = 0x03;
inline constexpr uint8_t kWriteSingleRegister = 0x06;
inline constexpr uint8_t kWriteMultipleRegisters = 0x10;
inline constexpr uint8_t kExceptionFlag = 0x80;

Pdu ReadRequestPdu(uint16_t start, uint16_t count);
Pdu WriteRegisterPdu(uint16_t address, uint16_t value);
Pdu WriteRegistersPdu(uint16_t start, const uint16_t* values, uint16_t count);

// Lengths of the replies that answer them in full.
inline uint32_t ReadReplyPduLength(uint32_t count) { return 2 + 2 * count; }
inline constexpr uint32_t kWriteReplyPduLength = 5;  // the echo of 06 and of 10
inline constexpr uint32_t kExceptionPduLength = 2;

// The big-endian word at bytes[at], and the one put there.
inline uint16_t WordAt(const uint8_t* bytes, uint32_t at) {
  return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}
inline void PutWord(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value >> 8);
  at[1] = static_cast<uint8_t>(value & 0xFF);
}

// The register words of a function-03 reply, whichever framing carried them:
// word k at data[2k].
struct RegisterWords {
  const uint8_t* data = nullptr;
};
// The words of a function-03 reply PDU (after function and byte count).
inline RegisterWords WordsOfReadReply(const uint8_t* pdu) { return {pdu + 2}; }

// Register k of the block.
inline uint16_t Word(RegisterWords words, int k) { return WordAt(words.data, static_cast<uint32_t>(2 * k)); }
inline int16_t SignedWord(RegisterWords words, int k) { return static_cast<int16_t>(Word(words, k)); }
// Registers k and k+1, high word first, as one signed 32-bit value (the modules'
// totals and energy counters).
inline int32_t SignedPair(RegisterWords words, int k) {
  return static_cast<int32_t>(static_cast<uint32_t>(Word(words, k)) << 16 | Word(words, k + 1));
}
// The two bytes of word k, where a field uses them singly.
inline uint8_t HighByte(RegisterWords words, int k) { return words.data[2 * k]; }
inline uint8_t LowByte(RegisterWords words, int k) { return words.data[2 * k + 1]; }
