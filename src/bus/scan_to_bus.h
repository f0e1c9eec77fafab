#pragma once
// A bus file from a station scan: every station whose word 0 a model accepts,
// with that model (the first, in registry order, where several accept it; the
// others are named in its notes, for the user to choose).
#include <map>
#include <string>
#include <vector>

#include "bus/bus_file.h"
#include "discovery/discovery.h"

struct ScannedBus {
  BusFile bus;
  std::vector<int> unnamed;  // stations that answered, but no model accepts what they said
  // By station, where several models accept what it said: all of them, for a window to offer.
  std::map<int, std::vector<const ModelEntry*>> choices;
};

ScannedBus BusFromScan(const StationScan& scan, const std::string& port, int baudRate, int lineFormat);
