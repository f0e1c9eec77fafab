#include "discovery/probe.h"

#include <gtest/gtest.h>

#include "models/model_registry.h"
#include "support/reply.h"

namespace {

TEST(ProbeTimeouts, WireTimeOfRequestAndReplyPlusTheTurnaround) {
  struct Case {
    int baud;
    int format;
    int turnaround;
    int read;   // 15 characters on the wire, rounded up, plus the turnaround
    int write;  // the 8-byte request, likewise
  };
  const Case cases[] = {
      {9600, 0, 50, 16 + 50, 9 + 50},     // 150 bits: 15.6 ms
      {1200, 1, 50, 138 + 50, 74 + 50},   // 11 bits a character: 137.5 ms
      {115200, 3, 0, 2, 1},               // 165 bits: 1.4 ms
      {19200, 3, 20, 9 + 20, 5 + 20},     // N,8,2 is 11 bits too
  };
  for (const Case& c : cases) {
    const PortTimeouts t = ProbeTimeouts(c.baud, kLineFormats[c.format], c.turnaround);
    EXPECT_EQ(t.readConstant, c.read) << c.baud;
    EXPECT_EQ(t.writeConstant, c.write) << c.baud;
    EXPECT_EQ(t.readMultiplier, 0);
    EXPECT_EQ(t.readInterval, 0);
  }
}

TEST(ClassifyReply, WhatTheBytesAfterAProbeMean) {
  std::vector<uint8_t> badCrc = ReplyOf({680}, 5);
  badCrc.back() ^= 0xFF;
  std::vector<uint8_t> exception{5, 0x83, 0x02, 0, 0};
  PlaceCrc(exception.data(), 3);
  std::vector<uint8_t> twoWords = ReplyOf({680, 1}, 5);
  const std::vector<uint8_t> good = ReplyOf({680}, 5);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    ProbeAnswer answer;
  };
  const Case cases[] = {
      {"nothing", {}, ProbeAnswer::kSilent},
      {"a version", good, ProbeAnswer::kWord},
      {"an exception", exception, ProbeAnswer::kException},
      {"bad CRC", badCrc, ProbeAnswer::kCorrupted},
      {"short", std::vector<uint8_t>(good.begin(), good.begin() + 5), ProbeAnswer::kCorrupted},
      {"another station", ReplyOf({680}, 6), ProbeAnswer::kCorrupted},
      {"one stray byte", {0xFF}, ProbeAnswer::kCorrupted},
      {"the wrong length", std::vector<uint8_t>(twoWords.begin(), twoWords.begin() + 7),
       ProbeAnswer::kCorrupted},
  };
  for (const Case& c : cases) {
    const ProbeResult r = ClassifyReply(5, c.bytes.data(), c.bytes.size());
    EXPECT_EQ(r.answer, c.answer) << c.what;
    if (c.answer == ProbeAnswer::kWord) {
      EXPECT_EQ(r.word0, 680);
    }
    if (c.answer == ProbeAnswer::kException) {
      EXPECT_EQ(r.exceptionCode, 2);
    }
  }
}

TEST(GuessModel, AModelCodeNamesItsModelAVersionDoesNot) {
  const ModelGuess coded = GuessModel(22133);
  ASSERT_NE(coded.model, nullptr);
  EXPECT_STREQ(coded.model->cliName, "3SXY");

  const ModelGuess versioned = GuessModel(680);
  EXPECT_EQ(versioned.model, nullptr);
  EXPECT_EQ(versioned.accepting.size(), ModelsTried().size() - 1);  // all but 3SXY

  const ModelGuess unknown = GuessModel(12000);
  EXPECT_EQ(unknown.model, nullptr);
  EXPECT_TRUE(unknown.accepting.empty());
}

TEST(GuessModel, AModelWithoutAnAcceptanceRuleIsNeverTried) {
  for (const ModelEntry* model : ModelsTried()) EXPECT_NE(model->reader.accepts, nullptr);
  EXPECT_LT(ModelsTried().size(), Models().size());  // the other make's meter
}

}  // namespace
