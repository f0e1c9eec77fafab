#pragma once
// Application data units: a PDU in its framing's envelope, as the bytes go on
// the wire. RTU: station, PDU, CRC. MBAP (Modbus TCP): transaction id,
// protocol 0, length of what follows, unit (the station), PDU. Everything that
// knows where the envelope ends is here; the rest works on PDUs and words.
#include <cstddef>
#include <cstdint>
#include <string>

#include "modbus/pdu.h"

enum class Framing { kRtu, kMbap };

inline constexpr uint32_t kMaxAduBytes = 260;  // MBAP: 7 + 253
inline constexpr uint32_t kMbapHeaderBytes = 7;

// The process-wide frame buffers: the request as sent and the reply as read.
struct TxFrame {
  uint8_t bytes[kMaxAduBytes] = {};
  uint32_t length = 0;
  Framing framing = Framing::kRtu;
  uint16_t transaction = 0;  // MBAP: the id in bytes; each request takes the next
};

struct RxFrame {
  uint8_t bytes[kMaxAduBytes] = {};
  uint32_t count = 0;
  Framing framing = Framing::kRtu;  // the request's
};

// RTU's check: appends the CRC of bytes[0..n) at bytes[n], bytes[n+1]; returns n + 2.
uint32_t PlaceCrc(uint8_t* bytes, uint32_t n);
// True when the last two of the n bytes are the CRC of the ones before.
bool CrcMatches(const uint8_t* bytes, uint32_t n);
// A whole RTU exception frame: station, function | 80, code, CRC.
bool IsCompleteExceptionFrame(const uint8_t* bytes, size_t count);

// Where the PDU starts in an ADU, and an ADU's length around a PDU.
uint32_t PduOffset(Framing framing);
uint32_t AduLength(Framing framing, uint32_t pduLength);

// Puts `pdu` for `station` into tx in `framing`'s envelope.
void PlaceRequest(TxFrame& tx, Framing framing, uint8_t station, const Pdu& pdu);
// The request PDU builders placed at once.
void BuildReadRequest(TxFrame& tx, Framing framing, uint8_t station, uint16_t start, uint16_t count);
void BuildWriteRegisterRequest(TxFrame& tx, Framing framing, uint8_t station, uint16_t address, uint16_t value);
void BuildWriteRegistersRequest(TxFrame& tx, Framing framing, uint8_t station, uint16_t start,
                                const uint16_t* values, uint16_t count);

uint8_t StationOf(Framing framing, const uint8_t* adu);
inline const uint8_t* PduOf(Framing framing, const uint8_t* adu) { return adu + PduOffset(framing); }
inline uint8_t StationOf(const TxFrame& tx) { return StationOf(tx.framing, tx.bytes); }
inline const uint8_t* PduOf(const TxFrame& tx) { return PduOf(tx.framing, tx.bytes); }
inline const uint8_t* PduOf(const RxFrame& rx) { return PduOf(rx.framing, rx.bytes); }
// The register words of a whole function-03 reply.
inline RegisterWords WordsOf(const RxFrame& rx) { return WordsOfReadReply(PduOf(rx)); }
inline uint16_t Word(const RxFrame& rx, int k) { return Word(WordsOf(rx), k); }

// An MBAP header that frames `count` bytes: protocol 0, and a length that
// counts the unit and a PDU of at least one byte.
bool MbapHeaderFits(const uint8_t* adu, size_t count);

// A read may end as soon as an exception reply is whole.
bool IsCompleteException(Framing framing, const uint8_t* bytes, size_t count);

// Whether a reply of full length (or a whole exception) is a sound ADU that
// belongs to `request`: the envelope only, before the PDU is compared.
enum class EnvelopeCheck {
  kSound,
  kCorrupt,           // RTU: the CRC fails; MBAP: protocol id or length field wrong
  kOtherTransaction,  // MBAP: a reply to another request
};
EnvelopeCheck CheckEnvelope(Framing framing, const uint8_t* request, size_t requestLength,
                            const uint8_t* reply, size_t count);
// What a check that failed found: for a box's second line ("校验错误",
// "报文头错误", "应答事务号 7，请求的是 8") and in English for a trace verdict.
struct EnvelopeFact {
  std::string text;
  std::string english;
};
EnvelopeFact DescribeEnvelope(EnvelopeCheck check, Framing framing, const uint8_t* request, const uint8_t* reply);
