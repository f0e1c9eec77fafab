// Monitoring as both windows run it: MonitorCore on a session, a front that
// writes down what it was told, simulated modules on a pseudo-terminal.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "console/control_ids.h"
#include "layout/form_model.h"
#include "link/posix_serial_port.h"
#include "monitor/monitor_texts.h"
#include "monitoring/monitor_core.h"
#include "session/session.h"
#include "sim/sim_bus.h"
#include "support/manual_front_channel.h"
#include "support/models.h"
#include "support/recording_session_view.h"
#include "support/temp_file.h"

namespace {

struct RecordingFront : MonitorFront {
  std::vector<std::string> boxes;
  std::string status;
  bool statusShown = false;
  std::string report;
  std::vector<int> scheduled;  // each schedulePoll's wait
  std::vector<QuantityColumn> trendColumns;
  int trendPoints = 0;
  std::optional<bool> trendEndedPolled;
  bool logging = false;
  std::vector<std::string> offered;  // what each file dialog offered first
  std::function<std::string()> choose = [] { return std::string(); };
  std::vector<bool> switched;

  void showInfo(const std::string& text) override { boxes.push_back(text); }
  void setStatus(const std::string& text, bool visible) override {
    if (visible) status = text;
    statusShown = visible;
  }
  void showReport(const std::string& text) override { report = text; }
  void schedulePoll(int milliseconds) override { scheduled.push_back(milliseconds); }
  void cancelPoll() override {}
  void trendStarts(const std::vector<QuantityColumn>& columns) override { trendColumns = columns; }
  void trendAdd(const PollResult&) override { ++trendPoints; }
  void trendEnds(bool polled) override { trendEndedPolled = polled; }
  void setLogging(bool on) override { logging = on; }
  std::string chooseLogFile(const std::string& last) override {
    offered.push_back(last);
    return choose();
  }
  void monitoringSwitched(bool running) override { switched.push_back(running); }
};

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class MonitorCoreTest : public ::testing::Test {
 protected:
  SimBus bus;
  ManualFrontChannel channel;
  RecordingSessionView view;
  FormValues form = InitialForm();
  RecordingFront front;
  TempFolder folder;
  Session session{channel, view, std::make_unique<PosixSerialPort>()};
  MonitorCore core{front, form, session};  // ends before the session its polls run on
  const int read4SXY = ModelNamed("4SXY").buttonId;

  void SetUp() override {
    bus.addModule(Module(1));
    bus.start();
    session.operationsForSetUp().InitLinkDefaults();
  }
  void TearDown() override {
    core.stop();
    ASSERT_TRUE(channel.runUntil([&] { return !core.busy(); }));
  }

  void openPort() {
    bool done = false;
    ASSERT_TRUE(session.submit([](Operations& ops) { ops.OnBnClickedOpenPort(); }, [&] { done = true; }));
    ASSERT_TRUE(channel.runUntil([&] { return !view.open.empty(); }));
    view.answerPort(bus.devicePath());
    ASSERT_TRUE(channel.runUntil([&] { return done; }));
  }
  // The front's timer comes due and the poll runs to its end.
  void poll() {
    core.pollDue();
    ASSERT_TRUE(core.busy());
    ASSERT_TRUE(channel.runUntil([&] { return !core.busy(); }));
  }
  void startOn4SXY() {
    core.commandStarts(read4SXY);
    ASSERT_TRUE(core.start());
  }
};

TEST_F(MonitorCoreTest, PollsTheLastModelOrReadToolCommandAndRefusesWithTheirBoxes) {
  form.fields[ids::kReadStart] = "0";
  form.fields[ids::kReadCount] = "12";
  const std::vector<QuantityColumn> model = ColumnsOf(PollTarget::Model(ModelNamed("4SXY").reader));
  const std::vector<QuantityColumn> registers = ColumnsOf(PollTarget::Registers(0, 12));
  FormValues noRegisters;
  noRegisters.fields[ids::kReadCount] = "0";
  const std::string noRegistersBox = ReadToolBlockOf(noRegisters).refusal;
  struct Case {
    std::vector<int> commands;
    const char* count;
    const std::vector<QuantityColumn>* polled;  // null: refused
    std::string box;
  };
  const Case cases[] = {
      {{}, "12", nullptr, kNothingReadYet},
      {{ids::kOpenPort}, "12", nullptr, kNothingReadYet},  // not a read
      {{read4SXY, ids::kOpenPort}, "12", &model, ""},
      {{read4SXY, ids::kReadRegisters}, "12", &registers, ""},
      {{ids::kReadRegisters, read4SXY}, "12", &model, ""},
      {{read4SXY, ids::kReadRegisters}, "0", nullptr, noRegistersBox},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "commands " << c.commands.size() << ", count " << c.count);
    front = RecordingFront{};
    MonitorCore fresh(front, form, session);
    form.fields[ids::kReadCount] = c.count;
    for (int id : c.commands) fresh.commandStarts(id);
    EXPECT_EQ(fresh.start(), c.polled != nullptr);
    if (!c.polled) {
      EXPECT_EQ(front.boxes, std::vector<std::string>{c.box});
      EXPECT_TRUE(front.switched.empty());
      continue;
    }
    EXPECT_TRUE(front.boxes.empty());
    ASSERT_EQ(front.trendColumns.size(), c.polled->size());
    EXPECT_EQ(front.trendColumns.front().key, c.polled->front().key);
    EXPECT_EQ(front.scheduled, std::vector<int>{0});
    EXPECT_TRUE(front.statusShown);
    // Stopped before any poll reached the module: no trend to keep.
    fresh.stop();
    EXPECT_EQ(front.trendEndedPolled, false);
    EXPECT_EQ(front.switched, (std::vector<bool>{true, false}));
  }
}

TEST_F(MonitorCoreTest, PollsOneAtATimeEachDueAtTheLastStartPlusTheInterval) {
  openPort();
  constexpr int kInterval = 5000;
  core.setIntervalMs(kInterval);
  startOn4SXY();
  poll();
  EXPECT_EQ(core.lastShown().status, PollStatus::kOk);
  EXPECT_EQ(front.report, core.lastShown().report);
  EXPECT_EQ(front.trendPoints, 1);
  EXPECT_EQ(front.status.rfind("监视中：轮询 1 次（正常 1，超时 0，短帧 0，校验错 0，应答不符 0，异常 0，型号不符 0，端口错 0），", 0), 0u)
      << front.status;
  EXPECT_EQ(front.status.substr(front.status.size() - 8), " 次/秒");

  // A silent module: the poll lasts its time-out, which the wait then lacks.
  bus.injectFault(1, SimFault::kSilence, 1);
  bus.clearReceived();
  const auto before = PollResult::Clock::now();
  core.pollDue();
  core.pollDue();  // the timer again while the poll runs: no second one
  ASSERT_TRUE(channel.runUntil([&] { return !core.busy(); }));
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(PollResult::Clock::now() - before);
  EXPECT_EQ(bus.receivedFrames().size(), 1u);
  EXPECT_LT(front.scheduled.back(), kInterval - 50);  // counted from the poll's start, not its end
  EXPECT_GE(front.scheduled.back(), kInterval - took.count() - 1);
  EXPECT_NE(front.status.find("轮询 2 次（正常 1，超时 1，"), std::string::npos) << front.status;
  EXPECT_EQ(front.trendPoints, 1);  // a failed poll plots nothing
  EXPECT_TRUE(front.boxes.empty());

  core.stop();
  EXPECT_FALSE(core.running());
  EXPECT_EQ(front.trendEndedPolled, true);
  EXPECT_EQ(front.status.rfind("监视已停止：轮询 2 次", 0), 0u) << front.status;
}

// Failed polls mark the report stale: before any good poll the banner stands
// alone; after one it heads the last good report; a good poll clears it.
TEST_F(MonitorCoreTest, AFailedPollMarksTheReportStaleUntilAGoodOne) {
  openPort();
  bus.injectFault(1, SimFault::kSilence, 1);
  startOn4SXY();
  poll();
  ASSERT_NE(core.lastShown().status, PollStatus::kOk);
  EXPECT_EQ(core.staleBanner().rfind(kStaleNothingYetText.text(), 0), 0u) << core.staleBanner();
  EXPECT_GT(core.staleBanner().size(), std::string(kStaleNothingYetText.text()).size());  // the failure follows
  EXPECT_EQ(core.staleBanner().find('\n'), std::string::npos);
  EXPECT_EQ(front.report, core.staleBanner());

  poll();
  ASSERT_EQ(core.lastShown().status, PollStatus::kOk);
  const std::string good = front.report;
  EXPECT_EQ(good, core.lastShown().report);
  EXPECT_TRUE(core.staleBanner().empty());

  bus.injectFault(1, SimFault::kSilence, 1);
  poll();
  EXPECT_EQ(core.staleBanner().rfind("数据已过期：最后一次成功读取于 ", 0), 0u) << core.staleBanner();
  EXPECT_EQ(front.report, core.staleBanner() + "\r\n\r\n" + good);
}

TEST_F(MonitorCoreTest, LogsWhileSwitchedOnAndContinuesTheSameFile) {
  openPort();
  const std::string path = folder.path() + "/log.csv";
  front.choose = [&] { return path; };
  startOn4SXY();
  core.switchLogging(true);
  EXPECT_TRUE(front.logging);
  poll();
  poll();
  core.switchLogging(false);
  poll();
  core.switchLogging(true);
  poll();
  core.stop();
  EXPECT_FALSE(core.logging());
  EXPECT_EQ(front.offered, (std::vector<std::string>{"", path}));

  const std::vector<std::string> lines = Lines(path);
  ASSERT_EQ(lines.size(), 4u);  // the header once, three polls logged of four
  EXPECT_EQ(lines[0], CsvHeader(ColumnsOf(PollTarget::Model(ModelNamed("4SXY").reader))) + "\r");
  for (size_t i = 1; i < lines.size(); ++i) EXPECT_NE(lines[i].find(",1,ok,"), std::string::npos) << lines[i];
}

TEST_F(MonitorCoreTest, LoggingStaysOffWhenTheFileIsNotChosenOrNotALogOrPollingEndedMeanwhile) {
  const std::string other = folder.path() + "/notes.csv";
  std::ofstream(other) << "shopping list\n";
  const std::string fresh = folder.path() + "/fresh.csv";
  struct Case {
    const char* name;
    std::function<std::string()> choose;
    bool box;
  };
  const Case cases[] = {
      {"cancelled", [] { return std::string(); }, false},
      {"another file", [&] { return other; }, true},
      {"stopped meanwhile", [&] { core.stop(); return fresh; }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    front.boxes.clear();
    front.choose = c.choose;
    startOn4SXY();
    front.logging = true;
    core.switchLogging(true);
    EXPECT_FALSE(front.logging);
    EXPECT_FALSE(core.logging());
    ASSERT_EQ(front.boxes.size(), c.box ? 1u : 0u);
    if (c.box) {
      EXPECT_EQ(front.boxes[0].rfind(kLogOpenFailed.text(), 0), 0u) << front.boxes[0];
    }
    core.stop();
  }
  EXPECT_EQ(Lines(other), std::vector<std::string>{"shopping list"});
  EXPECT_FALSE(std::ifstream(fresh).good());
}

}  // namespace
