#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "modbus/crc16.h"
#include "modbus/frames.h"

namespace {

std::vector<uint8_t> Bytes(const TxFrame& tx) { return {tx.bytes, tx.bytes + tx.length}; }

TEST(ModbusCrc16, KnownVectors) {
  EXPECT_EQ(ModbusCrc16(nullptr, 0), 0xFFFF);
  const char* digits = "123456789";
  EXPECT_EQ(ModbusCrc16(reinterpret_cast<const uint8_t*>(digits), 9), 0x374B);
}

TEST(Frames, ReadRequests) {
  TxFrame tx;
  BuildReadRequest(tx, Framing::kRtu, 1, 0, 40);
  EXPECT_EQ(Bytes(tx), (std::vector<uint8_t>{0x01, 0x03, 0x00, 0x00, 0x00, 0x28, 0x45, 0xD4}));
  BuildReadRequest(tx, Framing::kRtu, 1, 0, 10);
  EXPECT_EQ(Bytes(tx), (std::vector<uint8_t>{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD}));
}

TEST(Frames, WriteRequests) {
  TxFrame tx;
  BuildWriteRegisterRequest(tx, Framing::kRtu, 1, 100, 1111);
  EXPECT_EQ(Bytes(tx), (std::vector<uint8_t>{0x01, 0x06, 0x00, 0x64, 0x04, 0x57, 0x8B, 0x2B}));
  const uint16_t values[] = {1, 2};
  BuildWriteRegistersRequest(tx, Framing::kRtu, 1, 10, values, 2);
  EXPECT_EQ(Bytes(tx), (std::vector<uint8_t>{0x01, 0x10, 0x00, 0x0A, 0x00, 0x02, 0x04, 0x00, 0x01,
                                             0x00, 0x02, 0xA3, 0xD1}));
}

// The same PDU in Modbus TCP's envelope: a transaction id counted up per
// request, protocol 0, the length of unit and PDU, the unit; no CRC.
TEST(Frames, MbapRequestsAndTheirReplies) {
  TxFrame tx;
  BuildReadRequest(tx, Framing::kMbap, 1, 0, 40);
  EXPECT_EQ(Bytes(tx), (std::vector<uint8_t>{0x00, 0x01, 0x00, 0x00, 0x00, 0x06, 0x01, 0x03, 0x00, 0x00, 0x00, 0x28}));
  BuildWriteRegisterRequest(tx, Framing::kMbap, 7, 100, 1111);
  EXPECT_EQ(Bytes(tx), (std::vector<uint8_t>{0x00, 0x02, 0x00, 0x00, 0x00, 0x06, 0x07, 0x06, 0x00, 0x64, 0x04, 0x57}));
  EXPECT_EQ(StationOf(tx), 7);

  const struct {
    const char* what;
    std::vector<uint8_t> reply;
    EnvelopeCheck check;
    bool exception;
  } cases[] = {
      {"echo", {0x00, 0x02, 0x00, 0x00, 0x00, 0x06, 0x07, 0x06, 0x00, 0x64, 0x04, 0x57}, EnvelopeCheck::kSound, false},
      {"exception", {0x00, 0x02, 0x00, 0x00, 0x00, 0x03, 0x07, 0x86, 0x01}, EnvelopeCheck::kSound, true},
      {"other transaction", {0x00, 0x01, 0x00, 0x00, 0x00, 0x03, 0x07, 0x86, 0x01}, EnvelopeCheck::kOtherTransaction, true},
      {"protocol 1", {0x00, 0x02, 0x00, 0x01, 0x00, 0x03, 0x07, 0x86, 0x01}, EnvelopeCheck::kCorrupt, true},
      {"length too long", {0x00, 0x02, 0x00, 0x00, 0x00, 0x04, 0x07, 0x86, 0x01}, EnvelopeCheck::kCorrupt, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(CheckEnvelope(Framing::kMbap, tx.bytes, tx.length, c.reply.data(), c.reply.size()), c.check);
    EXPECT_EQ(IsCompleteException(Framing::kMbap, c.reply.data(), c.reply.size()), c.exception);
  }
}

TEST(Frames, CrcCheckRejectsSwappedBytesAndAcceptsForeignHeader) {
  uint8_t reply[] = {0x01, 0x03, 0x04, 0x00, 0x0A, 0x00, 0x14, 0xDA, 0x3E};
  EXPECT_TRUE(CrcMatches(reply, sizeof reply));
  std::swap(reply[7], reply[8]);
  EXPECT_FALSE(CrcMatches(reply, sizeof reply));
  // Station, function and byte count are never compared: only length and CRC.
  uint8_t foreign[] = {0x09, 0x04, 0x07, 0x00, 0x0A, 0x00, 0x14, 0, 0};
  PlaceCrc(foreign, 7);
  EXPECT_TRUE(CrcMatches(foreign, sizeof foreign));
}

TEST(Frames, Words) {
  const uint8_t reply[] = {0x01, 0x03, 0x04, 0xFF, 0x38, 0x16, 0x05};
  const RegisterWords words{reply + 3};
  EXPECT_EQ(Word(words, 0), 65336);
  EXPECT_EQ(SignedWord(words, 0), -200);
  EXPECT_EQ(Word(words, 1), 0x1605);
}

TEST(Frames, EightyFiveByteReplyChecksItsLastTwoBytes) {
  uint8_t reply[85] = {0x01, 0x03, 80};
  for (int i = 3; i < 83; ++i) reply[i] = static_cast<uint8_t>(i);
  PlaceCrc(reply, 83);
  EXPECT_TRUE(CrcMatches(reply, 85));
  reply[40] ^= 1;
  EXPECT_FALSE(CrcMatches(reply, 85));
}

}  // namespace
