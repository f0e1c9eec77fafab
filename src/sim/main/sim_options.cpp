#include "sim/main/sim_options.h"

#include <exception>

#include "bus/bus_file.h"
#include "console/text.h"
#include "link/link.h"
#include "models/demo_bus.h"
#include "models/model_registry.h"
#include "sim/register_values.h"

namespace {

// Whole-string decimal up to 999999; nullopt for anything else.
std::optional<int> Number(const std::string& text) {
  const std::optional<uint64_t> n = WholeNumber(text, 999999);
  if (!n) return std::nullopt;
  return static_cast<int>(*n);
}

// "S:MODEL[@BAUD,P,8,S]"
std::optional<SimModuleConfig> ParseModule(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return std::nullopt;
  SimModuleConfig config;
  const std::optional<int> station = Number(text.substr(0, colon));
  if (!station || *station < 1 || *station > 255) return std::nullopt;
  config.station = *station;
  std::string rest = text.substr(colon + 1);
  const size_t at = rest.find('@');
  const ModelEntry* model = FindModel(rest.substr(0, at));
  if (!model) return std::nullopt;
  config.model = &model->sim;
  if (at == std::string::npos) return config;
  const std::string line = rest.substr(at + 1);
  const size_t comma = line.find(',');
  if (comma == std::string::npos) return std::nullopt;
  const std::optional<int> baud = Number(line.substr(0, comma));
  bool knownBaud = false;
  for (int rate : kBaudRates) knownBaud = knownBaud || (baud && *baud == rate);
  if (!knownBaud) return std::nullopt;
  config.baudRate = *baud;
  const std::string format = line.substr(comma + 1);
  for (int i = 0; i < 4; ++i)
    if (format == kLineFormats[i].text) {
      config.lineFormat = i;
      return config;
    }
  return std::nullopt;
}

// "S:KIND[:COUNT]"
std::optional<FaultOption> ParseFault(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return std::nullopt;
  const std::optional<int> station = Number(text.substr(0, colon));
  if (!station || *station < 1 || *station > 255) return std::nullopt;
  const std::string rest = text.substr(colon + 1);
  const size_t second = rest.find(':');
  const std::optional<SimFault> fault = SimFaultNamed(rest.substr(0, second));
  if (!fault) return std::nullopt;
  if (second == std::string::npos) return FaultOption{*station, *fault, 1};
  const std::string count = rest.substr(second + 1);
  if (count == "always") return FaultOption{*station, *fault, kFaultAlways};
  const std::optional<int> n = Number(count);
  if (!n || *n < 1) return std::nullopt;
  return FaultOption{*station, *fault, *n};
}

// "SECONDS:S:MODEL[@LINE]", SECONDS to the millisecond ("2", "0.5"), at most a day.
std::optional<PlugOption> ParsePlug(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return std::nullopt;
  const std::string seconds = text.substr(0, colon);
  const size_t dot = seconds.find('.');
  const std::optional<int> whole = Number(seconds.substr(0, dot));
  std::string fraction = dot == std::string::npos ? "0" : seconds.substr(dot + 1);
  if (fraction.empty() || fraction.size() > 3) return std::nullopt;
  fraction.resize(3, '0');
  const std::optional<int> millis = Number(fraction);
  if (!whole || !millis || *whole > 86400) return std::nullopt;
  const std::optional<SimModuleConfig> module = ParseModule(text.substr(colon + 1));
  if (!module) return std::nullopt;
  return PlugOption{*whole * 1000 + *millis, *module};
}

}  // namespace

std::optional<ControlCommand> ParseControlLine(const std::string& line, std::string* problem) {
  const size_t space = line.find(' ');
  const std::string verb = line.substr(0, space);
  std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
  rest.erase(0, rest.find_first_not_of(' '));
  ControlCommand command;
  if (verb == "plug") {
    const std::optional<SimModuleConfig> module = ParseModule(rest);
    if (module) {
      command.module = *module;
      return command;
    }
  } else if (verb == "unplug") {
    const std::optional<int> station = Number(rest);
    if (station && *station >= 1 && *station <= 255) {
      command.plug = false;
      command.module.station = *station;
      return command;
    }
  }
  *problem = "bad control line \"" + line + "\" (plug STATION:MODEL[@LINE] or unplug STATION)";
  return std::nullopt;
}

bool HasStation(const std::vector<SimModuleConfig>& modules, int station) {
  for (const SimModuleConfig& m : modules)
    if (m.station == station) return true;
  return false;
}

std::optional<std::string> ParseArguments(const std::vector<std::string>& args, Options& o) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 < args.size()) return args[++i];
      return std::nullopt;
    };
    if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--pace") {
      o.pace = true;
    } else if (arg == "--allow-writes") {
      o.allowWrites = true;
    } else if (arg == "--steady") {
      o.steady = true;
    } else if (arg == "--ignore-stdin") {
      o.exitOnEof = false;
    } else if (arg == "--exit-on-eof") {
      o.exitOnEof = true;
    } else if (arg == "--module") {
      const std::optional<std::string> text = value();
      const std::optional<SimModuleConfig> config = text ? ParseModule(*text) : std::nullopt;
      if (!config) return std::string("bad --module " + text.value_or("(missing)"));
      // Two at one station would both answer one request, and the station's
      // --values and --fault could not say which module they meant.
      if (HasStation(o.modules, config->station))
        return std::string("two modules at station " + std::to_string(config->station));
      o.modules.push_back(*config);
      o.perModule.emplace_back();
    } else if (arg == "--bus") {
      const std::optional<std::string> path = value();
      if (!path) return std::string("--bus needs a file");
      std::string problem;
      const std::optional<BusFile> bus = LoadBusFile(*path, &problem);
      if (!bus) return "the bus file is refused: " + problem;
      // The cabinet as the file has it: its modules on the file's line.
      for (const BusModule& module : bus->modules) {
        if (HasStation(o.modules, module.station))
          return std::string("two modules at station " + std::to_string(module.station));
        o.modules.push_back({module.station, &module.model->sim, bus->baudRate, bus->lineFormat});
        o.perModule.emplace_back();
      }
    } else if (arg == "--values") {
      const std::optional<std::string> path = value();
      if (!path) return std::string("--values needs a file");
      try {
        auto& target = o.modules.empty() ? o.everyModule : o.perModule.back();
        for (const auto& [address, word] : LoadRegisterValues(*path)) target[address] = word;
      } catch (const std::exception& e) {
        return std::string(e.what());
      }
    } else if (arg == "--fault") {
      const std::optional<std::string> text = value();
      const std::optional<FaultOption> fault = text ? ParseFault(*text) : std::nullopt;
      if (!fault) return std::string("bad --fault " + text.value_or("(missing)"));
      o.faults.push_back(*fault);
    } else if (arg == "--plug-after") {
      const std::optional<std::string> text = value();
      const std::optional<PlugOption> plug = text ? ParsePlug(*text) : std::nullopt;
      if (!plug) return std::string("bad --plug-after " + text.value_or("(missing)"));
      o.plugs.push_back(*plug);
    } else if (arg == "--control") {
      const std::optional<std::string> path = value();
      if (!path || path->empty()) return std::string("--control needs a FIFO");
      o.control = path;
    } else if (arg == "--turnaround") {
      const std::optional<std::string> text = value();
      const std::optional<int> ms = text ? Number(*text) : std::nullopt;
      if (!ms || *ms > 60000) return std::string("bad --turnaround " + text.value_or("(missing)"));
      o.turnaroundMs = ms;
    } else if (arg == "--tcp" || arg == "--mbtcp") {
      if (o.tcp) return std::string("--tcp and --mbtcp: one listener only");
      const std::optional<std::string> text = value();
      o.tcp = text ? ParseHostAndPort(*text) : std::nullopt;
      if (!o.tcp) return std::string("bad " + arg + " " + text.value_or("(missing)"));
      o.modbusTcp = arg == "--mbtcp";
    } else if (arg == "--idle-timeout") {
      const std::optional<std::string> text = value();
      o.idleSeconds = text ? Number(*text) : std::nullopt;
      if (!o.idleSeconds || *o.idleSeconds > 86400)
        return std::string("bad --idle-timeout " + text.value_or("(missing)"));
    } else {
      return std::string("unknown argument " + arg);
    }
  }
  // A bus that modules are plugged into starts empty, as a cabinet being commissioned does.
  if (o.modules.empty() && o.plugs.empty() && !o.control) {
    o.modules = DemoModules();
    o.perModule.resize(o.modules.size());
  }
  for (const FaultOption& f : o.faults)
    if (!HasStation(o.modules, f.station))
      return std::string("--fault for station " + std::to_string(f.station) + ", where no module is");
  if (o.idleSeconds && !o.tcp) return std::string("--idle-timeout needs --tcp or --mbtcp");
  return std::nullopt;
}

