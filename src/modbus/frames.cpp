#include "modbus/frames.h"

#include <cstring>

#include "console/text.h"
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

bool IsCompleteExceptionFrame(const uint8_t* bytes, size_t count) {
  return count == 5 && (bytes[1] & kExceptionFlag) != 0 && CrcMatches(bytes, 5);
}

uint32_t PduOffset(Framing framing) { return framing == Framing::kMbap ? kMbapHeaderBytes : 1; }

uint32_t AduLength(Framing framing, uint32_t pduLength) {
  return framing == Framing::kMbap ? kMbapHeaderBytes + pduLength : 1 + pduLength + 2;
}

namespace {

void PutWord(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value >> 8);
  at[1] = static_cast<uint8_t>(value & 0xFF);
}

// The MBAP length field: the unit byte and the PDU.
uint16_t MbapLength(const uint8_t* adu) { return WordAt(adu, 4); }

}  // namespace

void PlaceRequest(TxFrame& tx, Framing framing, uint8_t station, const Pdu& pdu) {
  tx.framing = framing;
  if (framing == Framing::kMbap) {
    ++tx.transaction;
    PutWord(tx.bytes, tx.transaction);
    PutWord(tx.bytes + 2, 0);
    PutWord(tx.bytes + 4, static_cast<uint16_t>(1 + pdu.length));
    tx.bytes[6] = station;
    std::memcpy(tx.bytes + kMbapHeaderBytes, pdu.bytes, pdu.length);
    tx.length = kMbapHeaderBytes + pdu.length;
    return;
  }
  tx.bytes[0] = station;
  std::memcpy(tx.bytes + 1, pdu.bytes, pdu.length);
  tx.length = PlaceCrc(tx.bytes, 1 + pdu.length);
}

void BuildReadRequest(TxFrame& tx, Framing framing, uint8_t station, uint16_t start, uint16_t count) {
  PlaceRequest(tx, framing, station, ReadRequestPdu(start, count));
}

void BuildWriteRegisterRequest(TxFrame& tx, Framing framing, uint8_t station, uint16_t address, uint16_t value) {
  PlaceRequest(tx, framing, station, WriteRegisterPdu(address, value));
}

void BuildWriteRegistersRequest(TxFrame& tx, Framing framing, uint8_t station, uint16_t start,
                                const uint16_t* values, uint16_t count) {
  PlaceRequest(tx, framing, station, WriteRegistersPdu(start, values, count));
}

uint8_t StationOf(Framing framing, const uint8_t* adu) { return framing == Framing::kMbap ? adu[6] : adu[0]; }

bool IsCompleteException(Framing framing, const uint8_t* bytes, size_t count) {
  if (framing == Framing::kRtu) return IsCompleteExceptionFrame(bytes, count);
  return count == kMbapHeaderBytes + kExceptionPduLength && (bytes[7] & kExceptionFlag) != 0 &&
         MbapLength(bytes) == 1 + kExceptionPduLength;
}

EnvelopeCheck CheckEnvelope(Framing framing, const uint8_t* request, size_t requestLength,
                            const uint8_t* reply, size_t count) {
  if (framing == Framing::kRtu)
    return CrcMatches(reply, static_cast<uint32_t>(count)) ? EnvelopeCheck::kSound : EnvelopeCheck::kCorrupt;
  if (count < kMbapHeaderBytes + 1 || WordAt(reply, 2) != 0 || MbapLength(reply) != count - 6)
    return EnvelopeCheck::kCorrupt;
  if (requestLength >= 2 && WordAt(reply, 0) != WordAt(request, 0)) return EnvelopeCheck::kOtherTransaction;
  return EnvelopeCheck::kSound;
}

std::string EnvelopeFact(EnvelopeCheck check, Framing framing, const uint8_t* request, const uint8_t* reply) {
  std::string fact;
  if (check == EnvelopeCheck::kCorrupt) return framing == Framing::kRtu ? "校验错误" : "报文头错误";
  if (check == EnvelopeCheck::kOtherTransaction)
    appendf(fact, "应答事务号 %u，请求的是 %u", WordAt(reply, 0), WordAt(request, 0));
  return fact;
}

std::string EnvelopeFactEnglish(EnvelopeCheck check, Framing framing, const uint8_t* request,
                                const uint8_t* reply) {
  std::string fact;
  if (check == EnvelopeCheck::kCorrupt) return framing == Framing::kRtu ? "CRC bad" : "MBAP header bad";
  if (check == EnvelopeCheck::kOtherTransaction)
    appendf(fact, "reply to transaction %u, request %u", WordAt(reply, 0), WordAt(request, 0));
  return fact;
}
