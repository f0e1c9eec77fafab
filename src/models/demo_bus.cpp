#include "models/demo_bus.h"

#include "models/model_registry.h"

std::vector<SimModuleConfig> DemoModules() {
  std::vector<SimModuleConfig> modules;
  for (const ModelEntry& model : Models()) {
    SimModuleConfig config;
    config.station = model.demoStation;
    config.model = &model.sim;
    modules.push_back(config);
  }
  return modules;
}

int DemoStationOf(const std::string& model) {
  const ModelEntry* entry = FindModel(model);
  return entry ? entry->demoStation : 0;
}
