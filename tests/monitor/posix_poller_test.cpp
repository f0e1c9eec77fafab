// The monitor runs whole: Poller over Operations' context, the POSIX port on a
// pseudo-terminal, simulated modules at the far end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modbus/register_tools.h"
#include "monitor/poller.h"
#include "sim/register_values.h"
#include "support/bus_fixture.h"
#include "support/models.h"
#include "support/reply.h"
#include "support/temp_file.h"

namespace {

class PollerOnBus : public BusFixture {
 protected:
  void SetUp() override {
    BusFixture::SetUp();
    AddModule({.station = 1, .model = SimOf("4SXY")});
    AddModule({.station = 2, .model = SimOf("9VXY")});
    OpenBus();
  }

  // Without a station of its own, the station field as the window reads it when polling starts.
  Poller ModelPoller(const char* model, std::chrono::milliseconds interval = std::chrono::milliseconds(0),
                     std::optional<int> station = std::nullopt) {
    const PollOptions options{interval, station ? StationInput::Of(*station) : StationOf(console)};
    return Poller(ops.context(), PollTarget::Model(ModelNamed(model).reader), options);
  }

  static double ValueOf(const PollResult& result, const std::string& key) {
    for (const Quantity& q : result.quantities)
      if (q.key == key) return q.value;
    ADD_FAILURE() << "no quantity " << key;
    return -1;
  }
};

TEST_F(PollerOnBus, RowsFollowTheModulesValues) {
  Poller poller = ModelPoller("4SXY");
  TempFile values;  // as `dolvane-sim --values FILE` takes it
  for (const auto& [word, amperes] : {std::pair{"250", 2.5}, {"1234", 12.34}, {"7", 0.07}}) {
    values.write(std::string("# channel one current\n8=") + word + "\n");
    bus->setRegisters(1, LoadRegisterValues(values.path()));
    ASSERT_TRUE(poller.pollOnce());
    const PollResult& row = poller.last();
    EXPECT_EQ(row.status, PollStatus::kOk);
    EXPECT_EQ(row.station, 1);
    EXPECT_EQ(ValueOf(row, "ch1.i"), amperes);
    // The report is the one the button shows, and its lines print these values.
    char line[32];
    std::snprintf(line, sizeof line, "一路电流：%.2f\r\n", amperes);
    EXPECT_NE(row.report.find(line), std::string::npos);
  }
  EXPECT_EQ(poller.counters().polls, 3u);
  EXPECT_TRUE(console.boxes.empty());
}

// A module that falls silent, then answers again: timeout rows, then ok rows;
// polling never stopped and no box came up.
TEST_F(PollerOnBus, SilenceGivesTimeoutsAndPollingGoesOn) {
  Poller poller = ModelPoller("4SXY");
  std::vector<PollStatus> statuses;
  for (int i = 0; i < 6; ++i) {
    if (i >= 2 && i < 4) bus->injectFault(SimFault::kSilence);
    ASSERT_TRUE(poller.pollOnce()) << i;
    statuses.push_back(poller.last().status);
  }
  EXPECT_EQ(statuses, (std::vector<PollStatus>{PollStatus::kOk, PollStatus::kOk, PollStatus::kTimeout,
                                               PollStatus::kTimeout, PollStatus::kOk, PollStatus::kOk}));
  EXPECT_EQ(poller.counters().of(PollStatus::kTimeout), 2u);
  EXPECT_EQ(poller.counters().failures(), 2u);
  EXPECT_TRUE(console.boxes.empty());
  EXPECT_TRUE(console.paneHistory.empty());  // the window's pane is the window's to fill
}

// A reply broken by a pause past the time-out: its tail arrives while the next
// poll waits, and must not be taken for that poll's reply, nor the one after.
TEST_F(PollerOnBus, AfterABrokenReplyPollingIsBackInStep) {
  bus->setPaced(true);  // bytes at the wire's speed, so a purge cannot catch them all
  Poller poller = ModelPoller("4SXY");
  bus->injectFault(SimFault::kGap);
  std::vector<PollStatus> statuses;
  for (int i = 0; i < 8; ++i) {
    ASSERT_TRUE(poller.pollOnce()) << i;
    statuses.push_back(poller.last().status);
  }
  EXPECT_EQ(statuses[0], PollStatus::kShort);
  // The poll the tail runs into may fail; every one after it is whole.
  for (size_t i = 2; i < statuses.size(); ++i) EXPECT_EQ(statuses[i], PollStatus::kOk) << i;
}

TEST_F(PollerOnBus, EachFailureKindIsCountedAndPollingGoesOn) {
  const struct {
    SimFault fault;
    uint16_t word0;
    PollStatus status;
    const char* text;
    const char* box;  // the box a button would have shown
  } cases[] = {
      {SimFault::kShortReply, 700, PollStatus::kShort, "short",
       "通讯错误或设备型号不兼容！\r\n收到 84 / 85 字节；站号 1，9600 N,8,1"},
      {SimFault::kBadCrc, 700, PollStatus::kCrc, "crc", "数据错误\r\n校验错误；站号 1，9600 N,8,1"},
      {SimFault::kException, 700, PollStatus::kException, "exception 0x04",
       "通讯错误或设备型号不兼容！\r\n异常响应：功能码 0x83，异常码 0x04（从站设备故障）；站号 1，9600 N,8,1"},
      {SimFault::kNone, 10000, PollStatus::kRefused, "refused", "不支持的设备型号！"},
      {SimFault::kNone, 700, PollStatus::kOk, "ok", ""},
  };
  Poller poller = ModelPoller("4SXY");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    bus->setRegisters(1, {{0, c.word0}});
    bus->injectFault(c.fault);
    ASSERT_TRUE(poller.pollOnce());
    EXPECT_EQ(poller.last().status, c.status);
    EXPECT_EQ(StatusText(poller.last()), c.text);
    EXPECT_EQ(poller.last().quantities.empty(), c.status != PollStatus::kOk);
    if (c.status != PollStatus::kOk) {
      EXPECT_EQ(poller.last().report, c.box);
    }
  }
  for (PollStatus s : {PollStatus::kShort, PollStatus::kCrc, PollStatus::kException, PollStatus::kRefused,
                       PollStatus::kOk})
    EXPECT_EQ(poller.counters().of(s), 1u);
  EXPECT_EQ(poller.counters().polls, 5u);
  EXPECT_TRUE(console.boxes.empty());
}

// The port gone: that poll is `io`, polling ends, and the button's box is shown.
TEST_F(PollerOnBus, APortFailureEndsPollingWithItsBox) {
  Poller poller = ModelPoller("4SXY");
  ASSERT_TRUE(poller.pollOnce());
  bus->injectFault(SimFault::kVanish);
  EXPECT_FALSE(poller.pollOnce());
  EXPECT_EQ(poller.last().status, PollStatus::kIo);
  EXPECT_EQ(poller.counters().of(PollStatus::kIo), 1u);
  EXPECT_FALSE(poller.running());
  EXPECT_EQ(poller.stopBox(), "读串口失败!");
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"读串口失败!"});
  EXPECT_FALSE(poller.pollOnce());  // and it stays ended
  EXPECT_EQ(poller.counters().polls, 2u);
}

TEST_F(PollerOnBus, ARefusedStationIsNoPollAndEndsWithItsBox) {
  console.fields[ids::kStation] = "0";
  Poller poller = ModelPoller("4SXY");
  EXPECT_FALSE(poller.pollOnce());
  EXPECT_EQ(poller.counters().polls, 0u);
  EXPECT_EQ(console.infoTexts(), std::vector<std::string>{"非法的站号！"});
  EXPECT_TRUE(bus->receivedFrames().empty());
}

// The station comes from the field as the buttons read it, unless one is given.
TEST_F(PollerOnBus, StationFromTheFieldOrGiven) {
  console.fields[ids::kStation] = " 2abc";
  Poller fromField = ModelPoller("9VXY");
  ASSERT_TRUE(fromField.pollOnce());
  EXPECT_EQ(fromField.last().status, PollStatus::kOk);
  EXPECT_EQ(fromField.last().station, 2);

  Poller given = ModelPoller("4SXY", std::chrono::milliseconds(0), 1);
  ASSERT_TRUE(given.pollOnce());
  EXPECT_EQ(given.last().station, 1);
  EXPECT_EQ(given.last().status, PollStatus::kOk);
  EXPECT_EQ(console.fields[ids::kStation], " 2abc");
}

// The nine-channel reader's two requests make one poll; its values are the report's.
TEST_F(PollerOnBus, TwoRequestReaderIsOnePoll) {
  bus->setRegisters(2, {{90, 5001}, {146, 3}});
  Poller poller = ModelPoller("9VXY", std::chrono::milliseconds(0), 2);
  ASSERT_TRUE(poller.pollOnce());
  EXPECT_EQ(poller.last().status, PollStatus::kOk);
  EXPECT_EQ(ValueOf(poller.last(), "uin.f"), 50.01);
  EXPECT_EQ(ValueOf(poller.last(), "ch1.ct"), 3);
  EXPECT_EQ(bus->receivedFrames().size(), 2u);
}

TEST_F(PollerOnBus, RegisterBlockAsUnsignedWords) {
  bus->setRegisters(1, {{10, 0xFFFF}, {11, 42}});
  Poller poller(ops.context(), PollTarget::Registers(10, 3), {std::chrono::milliseconds(0), StationInput::Of(1)});
  ASSERT_EQ(poller.columns().size(), 3u);
  EXPECT_EQ(poller.columns()[0].key, "r10");
  EXPECT_EQ(poller.columns()[2].heading(), "r12");
  ASSERT_TRUE(poller.pollOnce());
  ASSERT_EQ(poller.last().quantities.size(), 3u);
  EXPECT_EQ(poller.last().quantities[0].value, 65535);
  EXPECT_EQ(poller.last().quantities[1].key, "r11");
  EXPECT_EQ(poller.last().quantities[1].value, 42);
}

// RunPolls: a count ends it; a stop flag set meanwhile ends it after the poll
// under way; the interval spaces the polls' starts.
TEST_F(PollerOnBus, RunPollsCountsStopsAndSpaces) {
  Poller counted = ModelPoller("4SXY");
  int rows = 0;
  RunPolls(counted, 4, nullptr, [&](const PollResult&) { ++rows; });
  EXPECT_EQ(rows, 4);
  EXPECT_TRUE(counted.running());

  std::atomic<bool> stop{false};
  Poller stopped = ModelPoller("4SXY", std::chrono::milliseconds(60000));
  rows = 0;
  RunPolls(stopped, 0, &stop, [&](const PollResult&) {
    ++rows;
    stop = true;  // as a signal handler would, while the next poll waits an hour
  });
  EXPECT_EQ(rows, 1);

  Poller spaced = ModelPoller("4SXY", std::chrono::milliseconds(30));
  std::vector<Poller::Clock::time_point> starts;
  RunPolls(spaced, 3, nullptr, [&](const PollResult& r) { starts.push_back(r.at); });
  ASSERT_EQ(starts.size(), 3u);
  EXPECT_GE(starts[2] - starts[0], std::chrono::milliseconds(55));
  EXPECT_GT(spaced.rate(), 0);
}

// The read tool's fields, judged as the tool judges them: what monitoring polls.
TEST(PollTargets, ReadToolFields) {
  const struct {
    const char* start;
    const char* count;
    const char* box;  // null: a target
  } cases[] = {
      {"40", "3", nullptr}, {" 65535x", "1", nullptr}, {"-1", "1", "非法的起始地址！"},
      {"65535", "2", "非法的起始地址！"}, {"0", "121", "非法的读取长度！"}, {"5", "", "非法的读取长度！"},
      {"99999999999", "-5", "非法的起始地址！"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " " + c.count);
    FormValues form;
    form.fields[ids::kReadStart] = c.start;
    form.fields[ids::kReadCount] = c.count;
    const Checked<RegisterBlock> block = ReadToolBlockOf(form);
    EXPECT_EQ(block.ok(), c.box == nullptr);
    EXPECT_EQ(block.refusal, c.box ? c.box : "");
  }
  FormValues form;
  form.fields[ids::kReadStart] = "40";
  form.fields[ids::kReadCount] = "3";
  const RegisterBlock block = *ReadToolBlockOf(form);
  EXPECT_EQ(block.start, 40);
  EXPECT_EQ(block.count, 3);
}

TEST(PollTargets, RegisterBlockRules) {
  EXPECT_EQ(ReadBlockError(0, 120), nullptr);
  EXPECT_EQ(ReadBlockError(65535, 1), nullptr);
  EXPECT_STREQ(ReadBlockError(0, 121), "非法的读取长度！");
  EXPECT_STREQ(ReadBlockError(0, 0), "非法的读取长度！");
  EXPECT_STREQ(ReadBlockError(65535, 2), "非法的起始地址！");
  EXPECT_STREQ(ReadBlockError(-1, 1), "非法的起始地址！");
  // The tool judges the start by start + count alone, then the count.
  EXPECT_STREQ(ReadBlockError(65536, 0), "非法的读取长度！");
}

// A model's columns are known before any poll: every line of its newest firmware.
TEST(PollTargets, ModelColumnsCoverEveryPrintedLine) {
  for (const ModelEntry& model : Models()) {
    SCOPED_TRACE(model.cliName);
    const std::vector<QuantityColumn> columns = ColumnsOf(PollTarget::Model(model.reader));
    std::vector<uint16_t> words(model.reader.count, 0);
    words[0] = std::string(model.cliName) == "3SXY" ? 21133 : 620;
    std::string text;
    const std::vector<Quantity> decoded = model.reader.decodeInto(text, WordsIn(ReplyOf(words)));
    ASSERT_EQ(columns.size(), decoded.size());
    for (size_t i = 0; i < columns.size(); ++i) {
      EXPECT_EQ(columns[i].key, decoded[i].key);
      EXPECT_EQ(columns[i].heading(),
                decoded[i].unit.empty() ? decoded[i].label : decoded[i].label + " (" + decoded[i].unit + ")");
    }
  }
}

}  // namespace
