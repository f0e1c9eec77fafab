#pragma once
// Commissioning one factory-set module into a bus: found at the factory
// settings (station 1, 9600 N,8,1), read and named, given the next station and
// the bus's line settings through the parameter change (writes allowed for it
// and forbidden again after), read again at its new settings and checked. Each
// write goes through the exchange, so the write journal has every step.
#include <string>
#include <vector>

#include "bus/bus_file.h"
#include "console/texts.h"

struct ModelEntry;
struct OperationContext;

inline constexpr int kFactoryStation = 1;
inline constexpr int kFactoryBaudRate = 9600;
inline constexpr int kFactoryLineFormat = 0;  // N,8,1

inline constexpr TrText kCommissionTitle = TrNoop("commissioning", "调试新模块");
inline constexpr TrText kCommissionPlugPrompt = TrNoop("commissioning", "插上下一个出厂设置的模块（站号 1，9600 N,8,1），然后按“调试此模块”。");
inline constexpr TrText kCommissionRunText = TrNoop("commissioning", "调试此模块");
inline constexpr TrText kCommissionStationLabel = TrNoop("commissioning", "新站号：");
inline constexpr TrText kCommissionModelLabel = TrNoop("commissioning", "型号：");
inline constexpr TrText kCommissionNameLabel = TrNoop("commissioning", "名称：");
inline constexpr TrText kCommissionModelByWord0 = TrNoop("commissioning", "按第 0 号寄存器判别");

struct CommissionRequest {
  int newStation = 2;
  const ModelEntry* expected = nullptr;  // null: the model its word 0 names (refused when several fit)
  std::string name;                      // in the bus file
};

struct CommissionResult {
  bool ok = false;
  std::string failure;             // what stopped it, in the window's words (ok: empty)
  std::vector<std::string> steps;  // one line per step done, in the window's words
  BusModule module;                // as added to the bus (ok only)
};

// The port must be open on a line the console sets. The console's warnings are
// answered yes: the user confirmed this module's run as a whole. The port ends
// at the bus's settings (at the factory settings when the change failed before
// the switch).
CommissionResult CommissionModule(OperationContext& ctx, const BusFile& bus, const CommissionRequest& request);

// The module joins `bus`, which is saved to `path` at once (atomically); false
// with *error when it could not be saved (the bus then keeps it all the same).
bool AddCommissionedModule(BusFile& bus, const std::string& path, const BusModule& module, std::string* error);

// Something answers at the factory settings (the port is left at them).
bool ModuleAtFactorySettings(OperationContext& ctx);

// The first station from `first` (2-247) that no module of `bus` holds; 0 when none is left.
int NextFreeStation(const BusFile& bus, int first);
// The box that asks before anything is written to the module.
std::string CommissionConfirmation(const BusFile& bus, int newStation);
// The line a module's run adds to the dialog's log at its end.
std::string CommissionAddedText(const BusModule& module, const std::string& path);

// "模块 5": the name a module gets when the user gives none.
std::string DefaultModuleName(int station);
