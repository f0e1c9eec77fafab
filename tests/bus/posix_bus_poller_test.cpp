// The bus poller on simulated modules: a module that goes silent is counted and
// marked, the others keep their rhythm, and a value beyond its limits is marked.
#include <gtest/gtest.h>

#include <sstream>

#include "bus/bus_log.h"
#include "bus/bus_poller.h"
#include "models/model_registry.h"
#include "support/bus_fixture.h"

namespace {

BusModule ModuleAt(int station, const char* model) {
  BusModule module;
  module.station = station;
  module.model = FindModel(model);
  module.name = std::string("柜 ") + model;
  return module;
}

class BusPollerTest : public BusFixture {
 protected:
  BusFile cabinet;

  void SetUp() override {
    BusFixture::SetUp();
    cabinet.modules = {ModuleAt(1, "4SXY"), ModuleAt(2, "3RX"), ModuleAt(3, "9VXY")};
    cabinet.modules[0].limits["ch1.i"] = {std::nullopt, -1.0};  // any current is above it
    for (const BusModule& m : cabinet.modules) AddModule({m.station, &m.model->sim});
    OpenBus();
  }
};

TEST_F(BusPollerTest, ASilentModuleIsCountedAndGoesStaleWhileTheOthersKeepOk) {
  BusPoller poller(ops.context(), cabinet);
  std::ostringstream csv;
  BusLog log(csv, cabinet, BusLogLayout::kRowPerModule);
  auto cycle = [&] { RunBusPolls(poller, poller.cycles() + 1, nullptr, [&](size_t m, const PollResult& r) { log.write(m, r); }); };

  cycle();
  const BusModuleState& silent = poller.modules()[1];
  EXPECT_EQ(silent.statusText, "ok");
  ASSERT_TRUE(silent.lastGood);
  const auto goodAt = *silent.lastGood;

  bus->injectFault(2, SimFault::kSilence, kFaultAlways);
  cycle();
  EXPECT_EQ(silent.statusText, "timeout");
  EXPECT_FALSE(silent.stale()) << "one cycle old";
  cycle();
  EXPECT_TRUE(silent.stale());
  EXPECT_EQ(*silent.lastGood, goodAt);
  EXPECT_FALSE(silent.quantities.empty()) << "the last good reading stays";
  EXPECT_EQ(silent.counters.of(PollStatus::kTimeout), 2u);

  for (size_t m : {0u, 2u}) {
    EXPECT_EQ(poller.modules()[m].counters.of(PollStatus::kOk), 3u) << m;
    EXPECT_FALSE(poller.modules()[m].stale());
  }
  EXPECT_EQ(poller.modules()[0].outside, std::set<std::string>{"ch1.i"});
  EXPECT_TRUE(poller.modules()[2].outside.empty());
  EXPECT_EQ(poller.cycles(), 3u);
  EXPECT_TRUE(poller.running());

  // The log: a row per module per cycle, in station order, with the module's own columns.
  std::istringstream rows(csv.str());
  std::string row;
  std::getline(rows, row);
  EXPECT_EQ(row.rfind("time,station,name,model,status,ch1.i,", 0), 0u) << row;
  std::vector<std::string> seen;  // station,name,model,status of each row
  while (std::getline(rows, row)) {
    std::istringstream cells(row);
    std::string cell, kept;
    for (int k = 0; k < 5 && std::getline(cells, cell, ','); ++k)
      if (k) kept += (k > 1 ? "," : "") + cell;
    seen.push_back(kept);
  }
  const std::vector<std::string> expected = {
      "1,柜 4SXY,4SXY,ok", "2,柜 3RX,3RX,ok",      "3,柜 9VXY,9VXY,ok", "1,柜 4SXY,4SXY,ok", "2,柜 3RX,3RX,timeout",
      "3,柜 9VXY,9VXY,ok", "1,柜 4SXY,4SXY,ok", "2,柜 3RX,3RX,timeout", "3,柜 9VXY,9VXY,ok"};
  EXPECT_EQ(seen, expected);
}

TEST_F(BusPollerTest, APortThatFailsEndsPollingWithItsBox) {
  BusPoller poller(ops.context(), cabinet);
  ASSERT_TRUE(poller.pollOnce());
  bus->injectFault(2, SimFault::kVanish, 1);
  while (poller.pollOnce()) {
  }
  EXPECT_FALSE(poller.running());
  EXPECT_FALSE(poller.stopBox().empty());
  EXPECT_EQ(console.boxes.size(), 1u) << "the box is shown once, on the window's console";
  EXPECT_EQ(poller.lastIndex(), 1u);
}

}  // namespace
