#include "modbus/frames.h"

#include <cstring>

#include "console/text.h"
#include "modbus/crc16.h"
#include "console/texts.h"

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

bool MbapHeaderFits(const uint8_t* adu, size_t count) {
  return count > kMbapHeaderBytes && WordAt(adu, 2) == 0 && MbapLength(adu) == count - 6;
}

EnvelopeCheck CheckEnvelope(Framing framing, const uint8_t* request, size_t requestLength,
                            const uint8_t* reply, size_t count) {
  if (framing == Framing::kRtu)
    return CrcMatches(reply, static_cast<uint32_t>(count)) ? EnvelopeCheck::kSound : EnvelopeCheck::kCorrupt;
  if (!MbapHeaderFits(reply, count)) return EnvelopeCheck::kCorrupt;
  if (requestLength >= 2 && WordAt(reply, 0) != WordAt(request, 0)) return EnvelopeCheck::kOtherTransaction;
  return EnvelopeCheck::kSound;
}

EnvelopeFact DescribeEnvelope(EnvelopeCheck check, Framing framing, const uint8_t* request, const uint8_t* reply) {
  EnvelopeFact fact;
  if (check == EnvelopeCheck::kCorrupt) {
    const bool rtu = framing == Framing::kRtu;
    fact.text = rtu ? Tr("modbus", "校验错误") : Tr("modbus", "报文头错误");
    fact.english = rtu ? "CRC bad" : "MBAP header bad";
  } else if (check == EnvelopeCheck::kOtherTransaction) {
    appendf(fact.text, Tr("modbus", "应答事务号 %u，请求的是 %u"), WordAt(reply, 0), WordAt(request, 0));
    appendf(fact.english, "reply to transaction %u, request %u", WordAt(reply, 0), WordAt(request, 0));
  }
  return fact;
}
