#pragma once
// dolvane-sim's command line: what each option asks for, and whether the bus
// it describes can be served (one module per station, faults only where a
// module is, an idle time-out only with a listener).
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "link/tcp_address.h"
#include "sim/sim_faults.h"
#include "sim/sim_modules.h"

// --fault S:KIND[:COUNT]
struct FaultOption {
  int station;
  SimFault fault;
  int count;
};

// --plug-after SECONDS:STATION:MODEL
struct PlugOption {
  int afterMs;
  SimModuleConfig module;
};

// A line of the --control FIFO: "plug S:MODEL[@LINE]" or "unplug S".
struct ControlCommand {
  bool plug = true;
  SimModuleConfig module;  // its station is the one to unplug too
};

// Everything the command line asked for.
struct Options {
  std::vector<SimModuleConfig> modules;
  std::map<uint16_t, uint16_t> everyModule;               // --values before any --module
  std::vector<std::map<uint16_t, uint16_t>> perModule;    // parallel to modules
  std::vector<FaultOption> faults;
  std::vector<PlugOption> plugs;       // in the order given
  std::optional<std::string> control;  // --control FIFO
  std::optional<int> turnaroundMs;
  std::optional<TcpAddress> tcp;
  bool modbusTcp = false;  // --mbtcp: tcp serves Modbus TCP
  std::optional<int> idleSeconds;
  bool pace = false;
  bool allowWrites = false;
  bool steady = false;
  bool exitOnEof = false;
  bool help = false;
};

bool HasStation(const std::vector<SimModuleConfig>& modules, int station);

// One control line; nullopt with *problem for a line it cannot take.
std::optional<ControlCommand> ParseControlLine(const std::string& line, std::string* problem);

// Fills `o` from the arguments after the program's name; why the first bad one
// is refused, or nothing when all are good. Without --module, the demo bus.
std::optional<std::string> ParseArguments(const std::vector<std::string>& args, Options& o);
