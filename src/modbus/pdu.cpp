#include "modbus/pdu.h"

namespace {

Pdu WordPairPdu(uint8_t function, uint16_t first, uint16_t second) {
  Pdu pdu;
  pdu.bytes[0] = function;
  PutWord(pdu.bytes + 1, first);
  PutWord(pdu.bytes + 3, second);
  pdu.length = 5;
  return pdu;
}

}  // namespace

Pdu ReadRequestPdu(uint16_t start, uint16_t count) { return WordPairPdu(kReadHoldingRegisters, start, count); }

Pdu WriteRegisterPdu(uint16_t address, uint16_t value) {
  return WordPairPdu(kWriteSingleRegister, address, value);
}

Pdu WriteRegistersPdu(uint16_t start, const uint16_t* values, uint16_t count) {
  Pdu pdu = WordPairPdu(kWriteMultipleRegisters, start, count);
  pdu.bytes[5] = static_cast<uint8_t>(2 * count);
  for (uint16_t k = 0; k < count; ++k) PutWord(pdu.bytes + 6 + 2 * k, values[k]);
  pdu.length = 6u + 2u * count;
  return pdu;
}
