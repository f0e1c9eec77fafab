#pragma once
// One row per model: everything the command table, the command line, the
// window's model buttons and the simulated bus derive from. Adding a model is a
// reader file, a simulated-module filler and one row here.
#include <span>
#include <string_view>

#include "readers/reader.h"
#include "sim/sim_models.h"

struct ModelEntry {
  const char* cliName;  // name on the command line, e.g. "4SXY"
  int buttonId;         // the model's button in the main window
  const char* caption;  // that button's caption
  const ReaderModel& reader;  // block, acceptance rule and report
  SimModel sim;               // the simulated module: register file and live values
  int demoStation;            // its station on the demo bus
};

// Every model, in the order of the command line's model list.
std::span<const ModelEntry> Models();
const ModelEntry* FindModel(std::string_view cliName);
const ModelEntry* FindModelByButton(int buttonId);
// The row whose simulated module is `sim` (modules on a bus point at it).
const ModelEntry* FindModelBySim(const SimModel* sim);
