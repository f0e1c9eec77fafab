#pragma once
// The bus behind --simulate: one module of each model, at stations 1 to 14 in
// the order of the command line's model list (4SXY=1 ... foreign=14).
#include <memory>
#include <string>

#include "sim/sim_bus.h"

#include <vector>

// The demo layout: one module of each model, station = position in the list.
std::vector<SimModuleConfig> DemoModules();
std::unique_ptr<SimBus> StartDemoBus();
// One line naming the stations and models on the demo bus, for the port dialog.
std::string DemoBusDescription();
// The station of a model on the demo bus; 0 for an unknown name.
int DemoStationOf(const std::string& model);
