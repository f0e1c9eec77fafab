// The bus view as both windows run it: BusViewCore on a session, a front that
// writes down what it was told, simulated modules on a pseudo-terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "busview/bus_view_core.h"
#include "link/posix_serial_port.h"
#include "session/session.h"
#include "sim/sim_bus.h"
#include "support/manual_front_channel.h"
#include "support/models.h"
#include "support/recording_session_view.h"
#include "support/temp_file.h"

namespace {

struct RecordingFront : BusViewFront {
  std::vector<std::string> boxes;
  std::string status;
  std::vector<int> scheduled;
  std::set<size_t> rowsShown;
  int allRowsShown = 0;
  std::vector<bool> switched;
  bool logging = false;
  std::string logFile;

  void showInfo(const std::string& text) override { boxes.push_back(text); }
  void schedulePoll(int milliseconds) override { scheduled.push_back(milliseconds); }
  void cancelPoll() override {}
  void showAllRows() override { ++allRowsShown; }
  void showRow(size_t module) override { rowsShown.insert(module); }
  void setStatus(const std::string& text) override { status = text; }
  void pollingSwitched(bool running) override { switched.push_back(running); }
  void setLogging(bool on) override { logging = on; }
  std::string chooseLogFile(const std::string&) override { return logFile; }
  void reportWritten(const std::vector<std::string>& paths) override { reports.push_back(paths); }
  std::vector<std::vector<std::string>> reports;
};

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

constexpr const char* kCabinet = R"({
  "format": 1, "port": "", "baud": 9600, "line": "N,8,1",
  "modules": [
    {"station": 1, "model": "4SXY", "name": "1号柜 进线", "limits": {"ch1.i": {"high": 1}}},
    {"station": 2, "model": "3RX", "name": "1号柜 出线"},
    {"station": 3, "model": "16RXY", "name": "2号柜"}
  ]
})";

class BusViewCoreTest : public ::testing::Test {
 protected:
  SimBus bus;
  ManualFrontChannel channel;
  RecordingSessionView view;
  RecordingFront front;
  TempFolder folder;
  Session session{channel, view, std::make_unique<PosixSerialPort>()};
  BusViewCore core{front, session};  // ends before the session its polls run on

  void SetUp() override {
    bus.addModule(Module(1, "4SXY"));
    bus.addModule(Module(2, "3RX"));
    bus.addModule(Module(3, "16RXY"));
    bus.start();
    session.operationsForSetUp().InitLinkDefaults();
    bool done = false;
    ASSERT_TRUE(session.submit([](Operations& ops) { ops.OnBnClickedOpenPort(); }, [&] { done = true; }));
    ASSERT_TRUE(channel.runUntil([&] { return !view.open.empty(); }));
    view.answerPort(bus.devicePath());
    ASSERT_TRUE(channel.runUntil([&] { return done; }));
  }
  void TearDown() override {
    core.stop();
    ASSERT_TRUE(channel.runUntil([&] { return !core.busy(); }));
  }

  std::string write(const std::string& name, const std::string& text) {
    const std::string path = folder.path() + "/" + name;
    std::ofstream(path) << text;
    return path;
  }
  // The front's timer comes due and the poll runs to its end.
  void poll() {
    core.pollDue();
    ASSERT_TRUE(core.busy());
    ASSERT_TRUE(channel.runUntil([&] { return !core.busy(); }));
  }
  void cycle() {
    for (size_t m = 0; m < core.rowCount(); ++m) poll();
  }
};

TEST_F(BusViewCoreTest, ABadFileIsRefusedWithItsLineAndTheBusShownStays) {
  ASSERT_TRUE(core.open(write("cabinet.json", kCabinet)));
  EXPECT_EQ(core.rowCount(), 3u);
  EXPECT_EQ(core.row(0).cell(BusColumn::kName), "1号柜 进线");
  EXPECT_EQ(core.row(2).cell(BusColumn::kModel), "16RXY");
  EXPECT_EQ(core.row(0).cell(BusColumn::kStatus), "") << "not polled yet";

  const std::string bad = write("bad.json", R"({"format": 1, "baud": 9600, "line": "N,8,1",
  "modules": [{"station": 1, "model": "4SXY"},
              {"station": 1, "model": "3RX"}]})");
  EXPECT_FALSE(core.open(bad));
  ASSERT_EQ(front.boxes.size(), 1u);
  EXPECT_NE(front.boxes[0].find(bad + ":3:"), std::string::npos) << front.boxes[0];
  EXPECT_EQ(core.rowCount(), 3u);

  BusViewCore empty(front, session);
  EXPECT_FALSE(empty.start());
  EXPECT_EQ(front.boxes.back(), kBusNoModules);
}

TEST_F(BusViewCoreTest, RowsShowReadingsLimitsStaleModulesAndTheLog) {
  ASSERT_TRUE(core.open(write("cabinet.json", kCabinet)));
  front.logFile = folder.path() + "/bus.csv";
  ASSERT_TRUE(core.start());
  core.switchLogging(true);
  EXPECT_TRUE(front.logging);
  cycle();
  EXPECT_EQ(front.rowsShown, (std::set<size_t>{0, 1, 2}));
  for (size_t m = 0; m < 3; ++m) {
    EXPECT_EQ(core.row(m).cell(BusColumn::kStatus), "正常") << m;
    EXPECT_EQ(core.row(m).cell(BusColumn::kFailures), "0/1") << m;
  }
  const BusRow inlet = core.row(0);
  const std::string number = "[0-9.]+";
  EXPECT_TRUE(std::regex_match(inlet.cell(BusColumn::kReading),
                               std::regex("一路电流 " + number + " A，一路电压 " + number + " V，一路有功 " + number +
                                          " W，二路电流 " + number + " A")))
      << inlet.cell(BusColumn::kReading);
  EXPECT_TRUE(inlet.outside);
  EXPECT_TRUE(std::regex_match(inlet.cell(BusColumn::kOutside), std::regex("一路电流 " + number + " A > 1")))
      << inlet.cell(BusColumn::kOutside);
  EXPECT_FALSE(core.row(1).outside);
  EXPECT_EQ(core.row(2).cell(BusColumn::kReading).rfind("01通道 电流 ", 0), 0u);
  EXPECT_NE(core.reportOf(1).find("十六进制显示接收数据"), std::string::npos) << core.reportOf(1);
  EXPECT_NE(front.status.find("1 个周期"), std::string::npos) << front.status;
  ASSERT_FALSE(front.scheduled.empty());
  EXPECT_EQ(front.scheduled.back(), 0) << "back to back by default";

  bus.injectFault(2, SimFault::kSilence, kFaultAlways);
  cycle();
  EXPECT_EQ(core.row(1).cell(BusColumn::kStatus), "无应答");
  EXPECT_FALSE(core.row(1).stale);
  cycle();
  const BusRow silent = core.row(1);
  EXPECT_TRUE(silent.stale);
  EXPECT_TRUE(silent.failing);
  EXPECT_NE(silent.cell(BusColumn::kAge).find("（已过期）"), std::string::npos);
  EXPECT_FALSE(silent.cell(BusColumn::kReading).empty()) << "the last good reading stays";
  EXPECT_EQ(silent.cell(BusColumn::kFailures), "2/3");
  EXPECT_NE(core.reportOf(1).find("最后一次轮询：无应答"), std::string::npos);
  for (size_t m : {0u, 2u}) EXPECT_EQ(core.row(m).cell(BusColumn::kStatus), "正常") << m;

  core.stop();
  EXPECT_FALSE(core.running());
  EXPECT_EQ(front.switched, (std::vector<bool>{true, false}));
  const std::vector<std::string> log = Lines(folder.path() + "/bus.csv");
  ASSERT_EQ(log.size(), 10u) << "a header and nine rows";
  EXPECT_EQ(log[0].rfind("time,station,name,model,status,", 0), 0u);
  EXPECT_NE(log[8].find(",2,1号柜 出线,3RX,timeout,"), std::string::npos) << log[8];
}

TEST_F(BusViewCoreTest, AReportReadsEveryModuleOnceButNotWhilePolling) {
  ASSERT_TRUE(core.open(write("cabinet.json", kCabinet)));
  ReportFiles files;
  files.csv = folder.path() + "/report.csv";
  files.html = folder.path() + "/report.html";
  files.pdf = folder.path() + "/report.pdf";
  files.printPdf = [](const std::string& html, const std::string& path, std::string*) {
    std::ofstream(path) << html;
    return true;
  };
  ASSERT_TRUE(core.start());
  EXPECT_FALSE(core.writeReport(files));
  EXPECT_EQ(front.boxes.back(), kBusReportBusy);
  core.stop();
  ASSERT_TRUE(channel.runUntil([&] { return !core.busy(); }));

  ASSERT_TRUE(core.writeReport(files));
  ASSERT_TRUE(channel.runUntil([&] { return !front.reports.empty(); }));
  EXPECT_EQ(front.reports[0], (std::vector<std::string>{files.csv, files.html, files.pdf}));
  const std::vector<std::string> rows = Lines(files.csv);
  for (const char* module : {"1,1号柜 进线,4SXY,ok,", "2,1号柜 出线,3RX,ok,", "3,2号柜,16RXY,ok,"})
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](const std::string& row) { return row.rfind(module, 0) == 0; }))
        << module;
  EXPECT_EQ(Lines(files.html), Lines(files.pdf)) << "the same document, printed";

  files.csv = folder.path() + "/no such folder/report.csv";
  ASSERT_TRUE(core.writeReport(files));
  ASSERT_TRUE(channel.runUntil([&] { return front.reports.size() == 2; }));
  EXPECT_TRUE(front.reports[1].empty());
  EXPECT_EQ(front.boxes.back().rfind(kBusReportFailed.text(), 0), 0u) << front.boxes.back();
}

}  // namespace
