#include "sim/demo_bus.h"

#include "sim/sim_models.h"

std::vector<SimModuleConfig> DemoModules() {
  std::vector<SimModuleConfig> modules;
  size_t count = 0;
  const SimModel* models = AllSimModels(count);
  for (size_t i = 0; i < count; ++i) {
    SimModuleConfig config;
    config.station = static_cast<int>(i) + 1;
    config.model = models[i].name;
    modules.push_back(config);
  }
  return modules;
}

std::unique_ptr<SimBus> StartDemoBus() {
  auto bus = std::make_unique<SimBus>();
  for (const SimModuleConfig& config : DemoModules()) bus->addModule(config);
  bus->setLiveValues(true);
  bus->start();
  return bus;
}

std::string DemoBusDescription() {
  std::string text = "模拟总线（9600，N,8,1）：";
  size_t count = 0;
  const SimModel* models = AllSimModels(count);
  for (size_t i = 0; i < count; ++i) {
    if (i) text += ' ';
    text += std::to_string(i + 1) + "=" + models[i].name;
  }
  return text;
}

int DemoStationOf(const std::string& model) {
  size_t count = 0;
  const SimModel* models = AllSimModels(count);
  for (size_t i = 0; i < count; ++i)
    if (model == models[i].name) return static_cast<int>(i) + 1;
  return 0;
}
