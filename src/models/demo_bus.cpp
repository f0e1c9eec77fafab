#include "models/demo_bus.h"

#include "link/link.h"
#include "models/model_registry.h"
#include "console/texts.h"

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

namespace {

std::string LineOf(const SimModuleConfig& m) {
  return std::to_string(m.baudRate) + Tr("models", "，") + LineFormatAt(m.lineFormat).text;
}

}  // namespace

std::string DescribeModules(const std::vector<SimModuleConfig>& modules) {
  bool oneLine = true;
  for (const SimModuleConfig& m : modules) oneLine = oneLine && LineOf(m) == LineOf(modules.front());
  std::string text = Tr("models", "模拟总线");
  if (oneLine && !modules.empty()) text += Tr("models", "（") + LineOf(modules.front()) + Tr("models", "）");
  text += Tr("models", "：");
  for (size_t i = 0; i < modules.size(); ++i) {
    const ModelEntry* model = FindModelBySim(modules[i].model);
    if (i) text += ' ';
    text += std::to_string(modules[i].station) + "=" + (model ? model->cliName : "?");
    if (!oneLine) text += Tr("models", "（") + LineOf(modules[i]) + Tr("models", "）");
  }
  return text;
}
