// The finder's runs as the windows start them: a job on Operations over the
// POSIX back end and simulated modules, its report read after it ended.
#include "tools/finder_run.h"

#include <gtest/gtest.h>

#include "support/bus_fixture.h"
#include "support/models.h"

namespace {

class FinderRunTest : public BusFixture {
 protected:
  FinderRun run;
  std::vector<std::pair<int, int>> progress;

  FinderRun::Progress record() {
    return [this](int done, int total) { progress.emplace_back(done, total); };
  }
};

}  // namespace

TEST_F(FinderRunTest, ScanReportsTheStationsThatAnsweredInEitherOrderOfTheRange) {
  AddModule({.station = 3, .model = SimOf("3SXY")});
  AddModule({.station = 5, .model = SimOf("4SXY")});
  OpenBus();
  run.scanStations(6, 2, kTurnaroundField.initial, record())(ops);
  const std::string& report = run.report();
  EXPECT_EQ(report.rfind("3\t第 0 号寄存器 = 21133；型号 3SXY\n5\t第 0 号寄存器 = ", 0), 0u) << report;
  EXPECT_NE(report.find("站号 2–6，9600 N,8,1：已探测 5 个，2 个应答。\n"), std::string::npos) << report;
  EXPECT_NE(report.find("按第 0 号寄存器判别的型号："), std::string::npos) << report;
  EXPECT_EQ(progress.back(), std::make_pair(5, 5));
  EXPECT_TRUE(console.boxes.empty());
  // What a window makes a bus file of.
  ASSERT_TRUE(run.lastScan());
  EXPECT_EQ(run.lastScan()->found.found.size(), 2u);
  EXPECT_EQ(run.lastScan()->baudRate, 9600);
}

TEST_F(FinderRunTest, CancelEndsTheRunAtTheNextExchangeAndSaysSo) {
  AddModule({.station = 1, .model = SimOf("3SXY")});
  OpenBus();
  FinderRun::Job job = run.scanStations(1, 40, kTurnaroundField.initial, [this](int done, int total) {
    progress.emplace_back(done, total);
    if (done == 2) run.requestCancel();
  });
  job(ops);
  EXPECT_EQ(progress.back().first, 2);
  EXPECT_NE(run.report().find("已取消。\n站号 1–40，9600 N,8,1：已探测 2 个，1 个应答。"), std::string::npos)
      << run.report();

  // The next run starts uncancelled.
  run.scanStations(1, 1, kTurnaroundField.initial, {})(ops);
  EXPECT_EQ(run.report().find("已取消"), std::string::npos) << run.report();
}

// A run its box refused leaves no report beside the box.
TEST_F(FinderRunTest, ARefusedRunLeavesItsBoxAlone) {
  run.scanStations(1, 5, kTurnaroundField.initial, {})(ops);  // no port open
  EXPECT_EQ(run.report(), "");
  EXPECT_FALSE(run.lastScan());
  ASSERT_EQ(console.boxes.size(), 1u);
  EXPECT_EQ(console.boxes[0].text, "串口未打开!");

  OpenBus();
  run.detectLine(0, kTurnaroundField.initial, {})(ops);
  EXPECT_EQ(run.report(), "");
  ASSERT_EQ(console.boxes.size(), 1u);
  EXPECT_EQ(console.boxes[0].text, "非法的站号！");
}

// The line a detection names, for a window to follow the module there: on a
// pty the settings that differ only in parity answer alike and count as one;
// a station that answers nowhere names none.
TEST_F(FinderRunTest, DetectionNamesTheLineAWindowMayFollow) {
  AddModule({.station = 7, .model = SimOf("4SXY"), .baudRate = 19200, .lineFormat = 0});
  OpenBus();
  run.detectLine(7, kTurnaroundField.initial, {})(ops);
  ASSERT_TRUE(run.detectedLine()) << run.report();
  EXPECT_EQ(*run.detectedLine(), (ModuleLine{4, 0, 7}));

  run.detectLine(8, kTurnaroundField.initial, {})(ops);
  EXPECT_FALSE(run.detectedLine()) << run.report();
}
