// The simulated modules' rules, without a transport: request bytes in, reply out.
#include <gtest/gtest.h>

#include <string>

#include "link/link.h"
#include "sim/requests.h"
#include "sim/sim_faults.h"
#include "sim/sim_modules.h"
#include "support/models.h"

namespace {

using namespace simtest;

// The reply to one request at 9600 N,8,1, with its settings change applied after,
// as a transport does.
Bytes Ask(SimModules& bus, const Bytes& request, SimLine line = {}) {
  const SimExchange ex = bus.handle(request.data(), request.size(), line);
  if (ex.change) bus.apply(*ex.change);
  return ex.reply;
}

// A request and the reply it must get (empty: none), in order on one bus.
struct Step {
  const char* what;
  Bytes request;
  Bytes reply;
};

void RunSteps(SimModules& bus, const std::vector<Step>& steps) {
  for (const Step& s : steps) EXPECT_EQ(Ask(bus, s.request), s.reply) << s.what;
}

TEST(SimModulesTest, ReadsShowTheRegisterFileAndRefuseWhatIsNotThere) {
  SimModules bus;
  bus.add(Module(1));
  bus.setRegisters(1, {{0, 410}, {5, 0x0100}, {8, 1234}, {39, 0xFFFF}});
  bus.setLiveValues(true);  // fixed words stay fixed

  const Bytes reply = Ask(bus, Read03(1, 0, 40));
  ASSERT_EQ(reply.size(), 85u);
  EXPECT_TRUE(CrcMatches(reply.data(), 85));
  EXPECT_EQ((Bytes{reply[0], reply[1], reply[2]}), (Bytes{1, 3, 80}));
  EXPECT_EQ(WordOf(reply, 0), 410);
  EXPECT_EQ(WordOf(reply, 5), 0x0100);
  EXPECT_EQ(WordOf(reply, 8), 1234);
  EXPECT_EQ(WordOf(reply, 39), 0xFFFF);
  for (int k = 0; k < 40; ++k) EXPECT_EQ(WordOf(reply, k), bus.registerValue(1, k)) << k;
  EXPECT_NEAR(WordOf(reply, 17), 22000, 100);  // live voltages about 220 V, in hundredths

  RunSteps(bus, {
      {"last register alone", Read03(1, 39, 1), WithCrc({1, 3, 2, 0xFF, 0xFF})},
      {"one past the file", Read03(1, 0, 41), Exception(1, 3, 2)},
      {"start past the file", Read03(1, 40, 1), Exception(1, 3, 2)},
      {"start + count wraps 16 bits", Read03(1, 0xFFFF, 2), Exception(1, 3, 2)},
      {"count 0", Read03(1, 0, 0), Exception(1, 3, 3)},
      {"count 126", Read03(1, 0, 126), Exception(1, 3, 3)},
      {"unknown function", WithCrc({1, 0x2B, 0, 0, 0, 1}), Exception(1, 0x2B, 1)},
      {"another station", Read03(2, 0, 1), {}},
  });
}

// Requests of the functions the modules do not serve, each in its own layout.
std::vector<Bytes> UnservedRequests(uint8_t station) {
  return {
      WithCrc({station, 0x01, 0, 0, 0, 8}),                          // read coils
      WithCrc({station, 0x04, 0, 0, 0, 2}),                          // read input registers
      WithCrc({station, 0x05, 0, 1, 0xFF, 0}),                       // write a coil
      WithCrc({station, 0x07}),                                      // exception status
      WithCrc({station, 0x08, 0, 0, 0x12, 0x34, 0x56}),              // echo of any length
      WithCrc({station, 0x08, 0, 0x0A, 0, 0}),                       // clear counters
      WithCrc({station, 0x0B}),                                      // event counter
      WithCrc({station, 0x0F, 0, 0, 0, 10, 2, 0xFF, 0x03}),          // write coils
      WithCrc({station, 0x11}),                                      // server id
      WithCrc({station, 0x14, 7, 6, 0, 4, 0, 1, 0, 2}),              // read a file record
      WithCrc({station, 0x16, 0, 4, 0, 0xF2, 0, 0x25}),              // mask write
      WithCrc({station, 0x17, 0, 3, 0, 6, 0, 14, 0, 3, 6, 0, 0xFF, 0, 0xFF, 0, 0xFF}),
      WithCrc({station, 0x18, 0x04, 0xDE}),                          // FIFO queue
      WithCrc({station, 0x2B, 0x0E, 1, 0}),                          // device identification
      WithCrc({station, 0x2B, 0x0D, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}),  // CANopen: no fixed layout
      WithCrc({station, 0x41, 1, 2, 3, 4, 5}),                       // user-defined
  };
}

// Whatever its length, a request for a function the modules lack is framed
// whole and gets exception 01; broadcast, it gets nothing.
TEST(SimModulesTest, EveryOtherFunctionGetsException01WhateverItsLength) {
  SimModules bus;
  bus.add(Module(1, "4SXY", 9600, 0, true));
  for (const Bytes& request : UnservedRequests(1)) {
    SCOPED_TRACE(::testing::PrintToString(request));
    EXPECT_EQ(RequestLength(request.data(), request.size()), request.size());
    EXPECT_EQ(Ask(bus, request), Exception(1, request[1], 1));
  }
  for (const Bytes& request : UnservedRequests(0)) EXPECT_TRUE(Ask(bus, request).empty());

  // All of them back to back, and a read behind them: each one taken whole.
  Bytes stream;
  std::vector<Bytes> expected = UnservedRequests(1);
  expected.push_back(Read03(1, 0, 4));
  for (const Bytes& request : expected) stream.insert(stream.end(), request.begin(), request.end());
  EXPECT_EQ(TakeRequests(stream), expected);
  EXPECT_TRUE(stream.empty());
}

TEST(SimModulesTest, GarbledFramesGetNoReply) {
  SimModules bus;
  bus.add(Module(1, "4SXY", 9600, 0, true));
  Bytes badCrc = Read03(1, 0, 4);
  badCrc.back() ^= 1;
  const Bytes request = Read03(1, 0, 4);
  Bytes wrongCount = Write16(1, 10, {1, 2});
  wrongCount[6] = 3;  // the byte count says 3, the frame carries 4
  const std::vector<Bytes> kGarbled = {
      {},
      {1},
      {1, 3, 0},
      badCrc,
      Bytes(request.begin(), request.end() - 1),
      WithCrc(Bytes(request.begin(), request.end())),  // a byte too many
      WithCrc(wrongCount),
      WithCrc({1, 0x10, 0, 10, 0, 1}),  // too short for its byte count
  };
  for (const Bytes& frame : kGarbled)
    EXPECT_TRUE(bus.handle(frame.data(), frame.size(), {}).reply.empty())
        << ::testing::PrintToString(frame);
  // A byte count that matches the frame but not the register count is refused.
  EXPECT_EQ(Ask(bus, WithCrc({1, 0x10, 0, 10, 0, 2, 2, 0, 1})), Exception(1, 0x10, 3));
  EXPECT_EQ(Ask(bus, WithCrc({1, 0x10, 0, 10, 0, 0, 0})), Exception(1, 0x10, 3));
}

TEST(SimModulesTest, WriteProtectionGuardsEveryWriteButTheTwoCommands) {
  SimModules bus;
  bus.add(Module(1));
  const uint16_t before = bus.registerValue(1, 10);
  RunSteps(bus, {
      {"06 while protected", Write06(1, 10, 1234), Exception(1, 6, 1)},
      {"16 while protected", Write16(1, 10, {1, 2}), Exception(1, 0x10, 1)},
      {"a comm word while protected", Write06(1, 3, 0x3507), Exception(1, 6, 1)},
      {"a command inside a 16 while protected", Write16(1, 3, {0x8000, 1}), Exception(1, 0x10, 1)},
  });
  EXPECT_EQ(bus.registerValue(1, 10), before);
  EXPECT_EQ(bus.config(0).station, 1);
  EXPECT_FALSE(bus.config(0).writesAllowed);

  RunSteps(bus, {
      {"allow", Write06(1, 3, 0x8000), Write06(1, 3, 0x8000)},
      {"06", Write06(1, 10, 1234), Write06(1, 10, 1234)},
      {"read it back", Read03(1, 10, 1), WithCrc({1, 3, 2, 0x04, 0xD2})},
      // The worked example of the multiple-register tool.
      {"16", Bytes{0x01, 0x10, 0x00, 0x0A, 0x00, 0x02, 0x04, 0x00, 0x01, 0x00, 0x02, 0xA3, 0xD1},
       Bytes{0x01, 0x10, 0x00, 0x0A, 0x00, 0x02, 0x61, 0xCA}},
      {"read both back", Read03(1, 10, 2), WithCrc({1, 3, 4, 0, 1, 0, 2})},
      {"06 past the file", Write06(1, 40, 1), Exception(1, 6, 2)},
      {"16 running past the file", Write16(1, 39, {1, 2}), Exception(1, 0x10, 2)},
      {"forbid", Write06(1, 3, 0xC000), Write06(1, 3, 0xC000)},
      {"06 after forbid", Write06(1, 10, 99), Exception(1, 6, 1)},
      {"forbid again", Write06(1, 3, 0xC000), Write06(1, 3, 0xC000)},
      {"allow again", Write06(1, 3, 0x8000), Write06(1, 3, 0x8000)},
      // Register 3 never reads back what was written to it.
      {"a command inside a 16", Write16(1, 2, {7, 0xC000, 9}), WithCrc({1, 0x10, 0, 2, 0, 3})},
      {"that 16 also protected", Write06(1, 10, 5), Exception(1, 6, 1)},
  });
  EXPECT_EQ(bus.registerValue(1, 10), 1);
  EXPECT_EQ(bus.registerValue(1, 2), 7);
  EXPECT_EQ(bus.registerValue(1, 4), 9);
  EXPECT_NE(bus.registerValue(1, 3), 0xC000);
}

TEST(SimModulesTest, CommunicationWordMovesTheModuleOnceItsReplyIsOut) {
  SimModules bus;
  bus.add(Module(1, "4SXY", 9600, 0, true));
  // Unknown baud or format numbers, and station 0, are refused and change nothing.
  for (uint16_t bad : {0x0901, 0x4001, 0x0000, 0xF001})
    EXPECT_EQ(Ask(bus, Write06(1, 3, bad)), Exception(1, 6, 3)) << bad;
  EXPECT_EQ(bus.config(0).station, 1);

  // Station 7, 19200 (baud number 5), N,8,2 (format 3): the echo is sent at the
  // old settings, which the exchange names, and the change comes with it.
  const Bytes request = Write06(1, 3, 0x3507);
  const SimExchange ex = bus.handle(request.data(), request.size(), {});
  EXPECT_EQ(ex.reply, request);
  EXPECT_EQ(ex.replier.baudRate, 9600);
  EXPECT_EQ(bus.config(0).station, 1);  // not before the transport applies it
  ASSERT_TRUE(ex.change);
  bus.apply(*ex.change);
  const SimModuleConfig moved = bus.config(0);
  EXPECT_EQ(moved.station, 7);
  EXPECT_EQ(moved.baudRate, 19200);
  EXPECT_EQ(moved.lineFormat, 3);

  const SimLine newLine{19200, 2};
  EXPECT_TRUE(Ask(bus, Read03(7, 0, 40)).empty());  // wrong line
  EXPECT_TRUE(Ask(bus, Read03(1, 0, 40), newLine).empty());
  EXPECT_EQ(Ask(bus, Read03(7, 0, 40), newLine).size(), 85u);

  // A comm word inside a multiple write moves the module and writes the rest.
  EXPECT_EQ(Ask(bus, Write16(7, 2, {11, 0x0002, 12}), newLine), WithCrc({7, 0x10, 0, 2, 0, 3}));
  EXPECT_EQ(bus.config(0).station, 2);
  EXPECT_EQ(bus.config(0).baudRate, 9600);
  EXPECT_EQ(bus.registerValue(2, 4), 12);

  // The recovery scan's broadcast brings it back to station 1, 9600, N,8,1.
  bus.apply({0, 9, 19200, 3});
  EXPECT_TRUE(Ask(bus, Write06(0, 3, 0x0001), newLine).empty());
  EXPECT_EQ(Ask(bus, Write06(1, 3, 0x0001)), Write06(1, 3, 0x0001));
}

TEST(SimModulesTest, BroadcastIsAppliedByEveryListeningModuleAndAnsweredByNone) {
  SimModules bus;
  bus.add(Module(1));
  bus.add(Module(2, "16RXY"));
  bus.add(Module(3, "4SXY", 19200));

  EXPECT_TRUE(Ask(bus, Write06(0, 3, 0x8000)).empty());
  EXPECT_TRUE(bus.config(0).writesAllowed);
  EXPECT_TRUE(bus.config(1).writesAllowed);
  EXPECT_FALSE(bus.config(2).writesAllowed);

  EXPECT_TRUE(Ask(bus, Write06(0, 20, 4321)).empty());
  EXPECT_TRUE(Ask(bus, Write16(0, 21, {1, 2})).empty());
  EXPECT_EQ(bus.registerValue(1, 20), 4321);
  EXPECT_EQ(bus.registerValue(2, 20), 4321);
  EXPECT_EQ(bus.registerValue(2, 22), 2);
  EXPECT_NE(bus.registerValue(3, 20), 4321);
  EXPECT_TRUE(Ask(bus, Read03(0, 0, 1)).empty());

  // A comm word by broadcast moves every listener at once: nobody replies to wait for.
  const Bytes move = Write06(0, 3, 0x1005);  // station 5, 9600, E,8,1
  const SimExchange ex = bus.handle(move.data(), move.size(), {});
  EXPECT_TRUE(ex.reply.empty());
  EXPECT_FALSE(ex.change);
  EXPECT_EQ(bus.config(0).station, 5);
  EXPECT_EQ(bus.config(1).lineFormat, 1);
  EXPECT_EQ(bus.config(2).station, 3);
}

TEST(SimModulesTest, AModuleAnswersOnlyAtItsOwnBaudRateAndStopBits) {
  SimModules bus;
  bus.add(Module(1));                          // 9600 N,8,1
  bus.add(Module(2, "4SXY", 19200, 3));        // 19200 N,8,2
  bus.add(Module(3, "4SXY", 9600, 1));         // 9600 E,8,1: parity is not compared
  struct Case {
    SimLine line;
    int station;
    bool answers;
  };
  const Case kCases[] = {
      {{9600, 1}, 1, true},   {{9600, 2}, 1, false}, {{19200, 1}, 1, false},
      {{4800, 1}, 1, false},  {{19200, 2}, 2, true}, {{19200, 1}, 2, false},
      {{9600, 2}, 2, false},  {{9600, 1}, 3, true},  {{0, 1}, 1, false},
  };
  for (const Case& c : kCases) {
    const Bytes reply = Ask(bus, Read03(static_cast<uint8_t>(c.station), 0, 40), c.line);
    EXPECT_EQ(reply.size(), c.answers ? 85u : 0u)
        << c.line.baudRate << " baud, " << c.line.stopBits << " stop bits, station " << c.station;
  }
}

TEST(SimModulesTest, AModuleNeedsAModel) {
  SimModules bus;
  EXPECT_THROW(bus.add(SimModuleConfig{}), std::invalid_argument);
  EXPECT_THROW(bus.config(0), std::out_of_range);
}

TEST(SimFramingTest, TakesWholeRequestsAndSlidesOverNoise) {
  const Bytes read = Read03(1, 0, 4);
  const Bytes write = Write16(2, 10, {1, 2, 3});
  struct Case {
    const char* what;
    Bytes stream;
    std::vector<Bytes> requests;
    size_t left;  // bytes still waiting for the rest of a request
  };
  auto cat = [](std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
  };
  const Case kCases[] = {
      {"one request", read, {read}, 0},
      {"two back to back", cat({read, write}), {read, write}, 0},
      {"noise in front", cat({{0xFF, 0x01, 0x10, 0x00}, read}), {read}, 0},
      {"a request still arriving", Bytes(write.begin(), write.begin() + 9), {}, 9},
      {"a request and the start of the next", cat({read, {0x02, 0x10}}), {read}, 2},
      {"one byte", {0x01}, {}, 1},
      // Bytes of no known layout cannot be told from the start of a request of
      // an unknown function, until a whole request shows behind them.
      {"noise of no known layout in front", cat({{0x5A, 0x41, 0x33}, read}), {read}, 0},
      {"noise of no known layout alone", {0x5A, 0x41, 0x33, 0x00}, {}, 4},
      {"an unknown function still arriving", {0x01, 0x41, 0x01}, {}, 3},
      {"a 17 still arriving", Bytes(17, 0x17), {}, 17},
  };
  for (const Case& c : kCases) {
    Bytes buffer = c.stream;
    EXPECT_EQ(TakeRequests(buffer), c.requests) << c.what;
    EXPECT_EQ(buffer.size(), c.left) << c.what;
  }
}

TEST(SimFaultPlanTest, FaultsGoToTheirStationForTheirCount) {
  SimFaultPlan plan;
  plan.add(1, SimFault::kBadCrc, 2);
  plan.add(1, SimFault::kSilence);
  plan.add(2, SimFault::kGap, kFaultAlways);
  EXPECT_EQ(plan.take(3), SimFault::kNone);
  EXPECT_EQ(plan.take(1), SimFault::kBadCrc);
  EXPECT_EQ(plan.take(2), SimFault::kGap);
  EXPECT_EQ(plan.take(1), SimFault::kBadCrc);
  EXPECT_EQ(plan.take(1), SimFault::kSilence);
  EXPECT_EQ(plan.take(1), SimFault::kNone);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(plan.take(2), SimFault::kGap);

  // Station 0: whichever answers next, once; a second such fault replaces the first.
  plan.add(0, SimFault::kShortReply);
  plan.add(0, SimFault::kExtraBytes);
  EXPECT_EQ(plan.take(3), SimFault::kExtraBytes);
  EXPECT_EQ(plan.take(3), SimFault::kNone);
  plan.add(0, SimFault::kShortReply);
  EXPECT_EQ(plan.take(2), SimFault::kGap);  // the station's own comes first
  EXPECT_EQ(plan.take(1), SimFault::kShortReply);
}

TEST(SimFaultPlanTest, FaultsHaveTheirCommandLineNames) {
  for (const SimFaultName& n : SimFaultNames()) EXPECT_EQ(SimFaultNamed(n.name), n.fault) << n.name;
  EXPECT_EQ(SimFaultNames().size(), 7u);
  EXPECT_FALSE(SimFaultNamed("none"));
  EXPECT_FALSE(SimFaultNamed(""));
}

TEST(SimFaultPlanTest, FaultsShapeTheReply) {
  const Bytes good = WithCrc({1, 3, 2, 0x12, 0x34});
  Bytes badCrc = good;
  badCrc.back() ^= 0xFF;
  Bytes extra = good;
  extra.insert(extra.end(), {0x55, 0xAA, 0x00});
  using Piece = SimShapedReply::Piece;
  using std::chrono::milliseconds;
  struct Case {
    SimFault fault;
    Bytes bytes;
    std::vector<Piece> pieces;
    bool vanish;
  };
  const Case kCases[] = {
      {SimFault::kNone, good, {{0, 7, milliseconds(0)}}, false},
      {SimFault::kSilence, {}, {}, false},
      {SimFault::kShortReply, Bytes(good.begin(), good.end() - 1), {{0, 6, milliseconds(0)}},
       false},
      {SimFault::kBadCrc, badCrc, {{0, 7, milliseconds(0)}}, false},
      {SimFault::kException, Exception(1, 3, 4), {{0, 5, milliseconds(0)}}, false},
      {SimFault::kExtraBytes, extra, {{0, 10, milliseconds(0)}}, false},
      // The console's interval time-out at 9600 baud is 600 ms.
      {SimFault::kGap, good, {{0, 3, milliseconds(900)}, {3, 7, milliseconds(0)}}, false},
      {SimFault::kVanish, good, {{0, 3, milliseconds(50)}}, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(static_cast<int>(c.fault));
    const SimShapedReply r = ShapeReply(good, c.fault, 9600);
    EXPECT_EQ(r.bytes, c.bytes);
    ASSERT_EQ(r.pieces.size(), c.pieces.size());
    for (size_t i = 0; i < c.pieces.size(); ++i) {
      EXPECT_EQ(r.pieces[i].from, c.pieces[i].from);
      EXPECT_EQ(r.pieces[i].to, c.pieces[i].to);
      EXPECT_EQ(r.pieces[i].pauseAfter, c.pieces[i].pauseAfter);
    }
    EXPECT_EQ(r.vanish, c.vanish);
  }
  // At 1200 baud the gap outlasts that rate's 4100 ms time-out.
  EXPECT_EQ(ShapeReply(good, SimFault::kGap, 1200).pieces[0].pauseAfter, milliseconds(4400));
}

}  // namespace
