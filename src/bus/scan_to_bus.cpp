#include "bus/scan_to_bus.h"

#include "models/model_registry.h"

ScannedBus BusFromScan(const StationScan& scan, const std::string& port, int baudRate, int lineFormat) {
  ScannedBus scanned;
  scanned.bus.port = port;
  scanned.bus.baudRate = baudRate;
  scanned.bus.lineFormat = lineFormat;
  for (const StationFound& found : scan.found) {
    const std::vector<const ModelEntry*>& accepting = found.guess.accepting;
    if (found.probe.answer != ProbeAnswer::kWord || accepting.empty()) {
      scanned.unnamed.push_back(found.station);
      continue;
    }
    BusModule module;
    module.station = found.station;
    module.model = accepting.front();
    if (accepting.size() > 1) {
      scanned.choices[found.station] = accepting;
      module.notes = "candidates by word 0:";
      for (const ModelEntry* model : accepting) module.notes += std::string(" ") + model->cliName;
    }
    scanned.bus.modules.push_back(std::move(module));
  }
  return scanned;
}
