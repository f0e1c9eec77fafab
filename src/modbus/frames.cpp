#include "modbus/frames.h"

#include "modbus/crc16.h"

uint32_t PlaceCrc(uint8_t* bytes, uint32_t n) {
  const uint16_t crc = ModbusCrc16(bytes, static_cast<uint16_t>(n));
  bytes[n] = static_cast<uint8_t>(crc >> 8);
  bytes[n + 1] = static_cast<uint8_t>(crc & 0xFF);
  return n + 2;
}

bool CrcMatches(const uint8_t* bytes, uint32_t n) {
  if (n < 2) return false;
  const uint16_t crc = ModbusCrc16(bytes, static_cast<uint16_t>(n - 2));
  return bytes[n - 2] == (crc >> 8) && bytes[n - 1] == (crc & 0xFF);
}

namespace {
void putWord(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value >> 8);
  at[1] = static_cast<uint8_t>(value & 0xFF);
}
}  // namespace

void BuildReadRequest(TxFrame& tx, uint8_t station, uint16_t start, uint16_t count) {
  tx.bytes[0] = station;
  tx.bytes[1] = 0x03;
  putWord(tx.bytes + 2, start);
  putWord(tx.bytes + 4, count);
  tx.length = PlaceCrc(tx.bytes, 6);
}

void BuildWriteRegisterRequest(TxFrame& tx, uint8_t station, uint16_t address, uint16_t value) {
  tx.bytes[0] = station;
  tx.bytes[1] = 0x06;
  putWord(tx.bytes + 2, address);
  putWord(tx.bytes + 4, value);
  tx.length = PlaceCrc(tx.bytes, 6);
}

void BuildWriteRegistersRequest(TxFrame& tx, uint8_t station, uint16_t start,
                                const uint16_t* values, uint16_t count) {
  tx.bytes[0] = station;
  tx.bytes[1] = 0x10;
  putWord(tx.bytes + 2, start);
  putWord(tx.bytes + 4, count);
  tx.bytes[6] = static_cast<uint8_t>(2 * count);
  for (uint16_t k = 0; k < count; ++k) putWord(tx.bytes + 7 + 2 * k, values[k]);
  tx.length = PlaceCrc(tx.bytes, 7u + 2u * count);
}
