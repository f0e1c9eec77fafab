#include "models/model_registry.h"

#include "console/control_ids.h"
#include "readers/models.h"
#include "console/texts.h"

namespace {

const ModelEntry kModels[] = {
    {"4SXY", ids::kRead4SXY, "4SX/Y", kReader4SXY, {40, Identity4SXY, Live4SXY}, 1},
    {"3SXY", ids::kRead3SXY, "3SX/Y", kReader3SXY, {96, Identity3SXY, Live3SXY}, 2},
    {"8SXY", ids::kRead8SXY, "8SX/Y", kReader8SXY, {40, IdentityCurrentModule, Live8SXY}, 3},
    {"4RXY", ids::kRead4RXY, "4RX/Y", kReader4RXY, {48, IdentityPowerModule, Live4RXY}, 4},
    {"3RX", ids::kRead3RX, "3RX", kReader3RX, {45, IdentityPowerModule, Live3RX}, 5},
    {"16RXY", ids::kRead16RXY, "16RX/Y", kReader16RXY, {56, IdentityCurrentModule, Live16RXY}, 6},
    {"8RXYZ", ids::kRead8RXYZ, "8RX/Y/Z", kReader8RXYZ, {32, IdentityCurrentModule, Live8RXYZ}, 7},
    {"12RX", ids::kRead12RX, "12RX", kReader12RX, {44, IdentityCurrentModule, Live12RX}, 8},
    {"10RX", ids::kRead10RX, "10RX", kReader10RX, {48, IdentityCurrentModule, Live10RX}, 9},
    {"5RXZ", ids::kRead5RXZ, "5RX/Z", kReader5RXZ, {23, IdentityCurrentModule, Live5RXZ}, 10},
    {"4WX", ids::kRead4WX, "4WX", kReader4WX, {120, IdentityAcDc, Live4WX}, 11},
    {"5UZ", ids::kRead5UZ, "5UZ", kReader5UZ, {33, IdentityCurrentModule, Live5UZ}, 12},
    {"9VXY", ids::kRead9VXY, "9VX/Y", kReader9VXY, {156, IdentityAcDc, Live9VXY}, 13},
    // Another make's meter: its button is hidden in the window.
    {"foreign", ids::kReadForeignMeter, TrMark("models", "Brassel采集"), kReaderForeignMeter,
     {79, IdentityNone, LiveForeign}, 14},
};

}  // namespace

std::span<const ModelEntry> Models() { return kModels; }

const ModelEntry* FindModel(std::string_view cliName) {
  for (const ModelEntry& model : kModels)
    if (cliName == model.cliName) return &model;
  return nullptr;
}

const ModelEntry* FindModelByButton(int buttonId) {
  for (const ModelEntry& model : kModels)
    if (model.buttonId == buttonId) return &model;
  return nullptr;
}

const ModelEntry* FindModelBySim(const SimModel* sim) {
  for (const ModelEntry& model : kModels)
    if (&model.sim == sim) return &model;
  return nullptr;
}
