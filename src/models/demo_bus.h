#pragma once
// The bus behind --simulate: one module of each model, at the stations the model
// registry gives them.
#include <memory>
#include <string>
#include <vector>

#include "sim/sim_bus.h"

std::vector<SimModuleConfig> DemoModules();
std::unique_ptr<SimBus> StartDemoBus();
// One line naming a bus's stations, models and line settings as they are now,
// for the port dialog.
std::string DescribeModules(const std::vector<SimModuleConfig>& modules);
std::string DescribeBus(const SimBus& bus);
// The station of a model on the demo bus; 0 for an unknown name.
int DemoStationOf(const std::string& model);
