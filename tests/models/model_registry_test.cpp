// What everything derived from the model registry relies on.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "models/demo_bus.h"
#include "models/model_registry.h"
#include "layout/form_model.h"

namespace {

TEST(ModelRegistry, EveryModelIsWholeAndDistinct) {
  std::set<std::string> names;
  std::set<int> stations;
  for (const ModelEntry& model : Models()) {
    SCOPED_TRACE(model.cliName);
    EXPECT_TRUE(names.insert(model.cliName).second) << "name used twice";
    EXPECT_TRUE(stations.insert(model.demoStation).second) << "demo station used twice";
    EXPECT_GE(model.demoStation, 1);
    EXPECT_LE(model.demoStation, 247);
    ASSERT_NE(model.sim.fillIdentity, nullptr);
    ASSERT_NE(model.sim.fillLive, nullptr);
    // The simulated module's register file holds the block its reader reads.
    EXPECT_GT(model.reader.count, 0);
    EXPECT_LE(model.reader.start + model.reader.count, model.sim.registerCount);
    EXPECT_EQ(FindModel(model.cliName), &model);
    EXPECT_EQ(FindModelByButton(model.buttonId), &model);
    EXPECT_EQ(DemoStationOf(model.cliName), model.demoStation);
  }
  EXPECT_EQ(FindModel("nonesuch"), nullptr);
}

TEST(ModelRegistry, EveryControlIsBoundOnceAndEveryModelButtonReads) {
  std::map<int, int> bound;
  for (const Command& command : CommandTable()) ++bound[command.controlId];
  for (const auto& [id, times] : bound) EXPECT_EQ(times, 1) << "control " << id;
  for (const ModelEntry& model : Models()) EXPECT_EQ(bound.count(model.buttonId), 1u) << model.cliName;
}

}  // namespace
