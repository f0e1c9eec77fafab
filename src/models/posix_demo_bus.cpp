// The demo bus on a pseudo-terminal (POSIX).
#include "models/demo_bus.h"

#include "link/link.h"
#include "models/model_registry.h"

std::unique_ptr<SimBus> StartDemoBus() {
  auto bus = std::make_unique<SimBus>();
  for (const SimModuleConfig& config : DemoModules()) bus->addModule(config);
  bus->setLiveValues(true);
  bus->start();
  return bus;
}

namespace {

std::string LineOf(const SimModuleConfig& m) {
  return std::to_string(m.baudRate) + "，" + LineFormatAt(m.lineFormat).text;
}

}  // namespace

std::string DescribeBus(const SimBus& bus) {
  const std::vector<SimModuleConfig> modules = bus.modules();
  bool oneLine = true;
  for (const SimModuleConfig& m : modules) oneLine = oneLine && LineOf(m) == LineOf(modules.front());
  std::string text = "模拟总线";
  if (oneLine && !modules.empty()) text += "（" + LineOf(modules.front()) + "）";
  text += "：";
  for (size_t i = 0; i < modules.size(); ++i) {
    const ModelEntry* model = FindModelBySim(modules[i].model);
    if (i) text += ' ';
    text += std::to_string(modules[i].station) + "=" + (model ? model->cliName : "?");
    if (!oneLine) text += "（" + LineOf(modules[i]) + "）";
  }
  return text;
}
