#pragma once
// Models by their command-line name, as tests name them.
#include <cassert>

#include "models/model_registry.h"
#include "sim/sim_modules.h"

inline const ModelEntry& ModelNamed(const char* name) {
  const ModelEntry* model = FindModel(name);
  assert(model && "a model of the registry");
  return *model;
}

// The simulated module of a model, for SimModuleConfig::model.
inline const SimModel* SimOf(const char* name) { return &ModelNamed(name).sim; }

// A simulated module's settings, as most simulator tests spell them.
inline SimModuleConfig Module(int station, const char* model = "4SXY", int baud = 9600,
                              int format = 0, bool writesAllowed = false) {
  SimModuleConfig c;
  c.station = station;
  c.model = SimOf(model);
  c.baudRate = baud;
  c.lineFormat = format;
  c.writesAllowed = writesAllowed;
  return c;
}
