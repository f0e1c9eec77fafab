// The demo bus on a pseudo-terminal (POSIX).
#include "models/demo_bus.h"

std::unique_ptr<SimBus> StartDemoBus() {
  auto bus = std::make_unique<SimBus>();
  for (const SimModuleConfig& config : DemoModules()) bus->addModule(config);
  bus->setLiveValues(true);
  bus->start();
  return bus;
}

std::string DescribeBus(const SimBus& bus) { return DescribeModules(bus.modules()); }
