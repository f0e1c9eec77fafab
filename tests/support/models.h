#pragma once
// Models by their command-line name, as tests name them.
#include <cassert>

#include "models/model_registry.h"

inline const ModelEntry& ModelNamed(const char* name) {
  const ModelEntry* model = FindModel(name);
  assert(model && "a model of the registry");
  return *model;
}

// The simulated module of a model, for SimModuleConfig::model.
inline const SimModel* SimOf(const char* name) { return &ModelNamed(name).sim; }
