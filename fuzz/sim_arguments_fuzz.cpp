// The simulator's command line: a few arguments, each an option the program
// knows (or any text) with a value well formed in its parts or any text; a
// --values file holds the fuzzer's bytes. Checked: what ParseArguments accepts
// is a bus it can serve: modules at stations 1-255, one at each, with a model
// and a line from the tables, values for each, faults only where a module is,
// a turnaround within its range, a TCP address with a host and an idle
// time-out only with it.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "link/link.h"
#include "memory_file.h"
#include "models/model_registry.h"
#include "sim/main/sim_options.h"
#include "sim/sim_faults.h"

namespace {

constexpr size_t kMaxArguments = 10;

const char* const kOptions[] = {"--module", "--values",       "--fault",     "--turnaround", "--tcp",
                                "--pace",   "--allow-writes", "--steady",    "--ignore-stdin",
                                "--help",   "-h",             "--version",   "--exit-on-eof",
                                "--idle-timeout"};

std::string StationText(FuzzInput& in) {
  switch (in.byte() % 4) {
    case 0: return std::to_string(in.range(1, 255));
    case 1: return std::to_string(in.word());
    case 2: return "0";
    default: return in.text(4);
  }
}

std::string ModuleText(FuzzInput& in) {
  const auto models = Models();
  std::string text = StationText(in) + ":";
  text += in.byte() < 224 ? std::string(models[in.range(0, models.size() - 1)].cliName) : in.text(8);
  if (in.byte() & 1) {
    text += "@" + (in.byte() < 192 ? std::to_string(kBaudRates[in.range(0, 7)]) : in.text(6)) + ",";
    text += in.byte() < 192 ? std::string(kLineFormats[in.range(0, 3)].text) : in.text(6);
  }
  return text;
}

std::string FaultText(FuzzInput& in) {
  const std::vector<SimFaultName>& names = SimFaultNames();
  std::string text = StationText(in) + ":";
  text += in.byte() < 224 ? std::string(names[in.range(0, names.size() - 1)].name) : in.text(8);
  switch (in.byte() % 4) {
    case 0: return text + ":" + std::to_string(in.word());
    case 1: return text + ":always";
    case 2: return text + ":" + in.text(6);
    default: return text;
  }
}

std::string ValuesText(FuzzInput& in) {
  std::string text;
  for (size_t lines = in.range(0, 4); lines > 0; --lines) {
    if (in.byte() < 192) text += std::to_string(in.word()) + "=" + std::to_string(in.word()) + "\n";
    else text += in.text(24);
  }
  return text;
}

std::string ValueFor(FuzzInput& in, const std::string& option, MemoryFile& values) {
  if (in.byte() >= 224) return in.text(16);
  if (option == "--module") return ModuleText(in);
  if (option == "--fault") return FaultText(in);
  if (option == "--tcp") return "127.0.0.1:" + std::to_string(in.word());
  if (option == "--values") {
    values.hold(ValuesText(in));
    return values.path();
  }
  return std::to_string(in.range(0, 90000));  // --turnaround 0-60000, --idle-timeout 0-86400
}

void CheckOptions(const Options& o) {
  // Only a bus that modules are plugged into may start empty.
  Require(!o.modules.empty() || !o.plugs.empty() || o.control, "a bus without modules");
  Require(o.perModule.size() == o.modules.size(), "values not kept per module");
  for (size_t i = 0; i < o.modules.size(); ++i) {
    const SimModuleConfig& m = o.modules[i];
    for (size_t j = 0; j < i; ++j)
      Require(o.modules[j].station != m.station, "two modules at one station");
    Require(m.station >= 1 && m.station <= 255, "a module at an impossible station");
    Require(m.model != nullptr && FindModelBySim(m.model) != nullptr, "a module without a known model");
    bool knownBaud = false;
    for (const int rate : kBaudRates) knownBaud = knownBaud || m.baudRate == rate;
    Require(knownBaud, "a module at an impossible baud rate");
    Require(m.lineFormat >= 0 && m.lineFormat < 4, "a module with an impossible line format");
  }
  for (const FaultOption& f : o.faults) {
    Require(HasStation(o.modules, f.station), "a fault for a station without a module");
    Require(f.count >= 1 || f.count == kFaultAlways, "a fault with an impossible count");
  }
  if (o.turnaroundMs) Require(*o.turnaroundMs >= 0 && *o.turnaroundMs <= 60000, "a turnaround out of range");
  if (o.tcp) Require(!o.tcp->host.empty(), "a TCP address without a host");
  if (o.idleSeconds)
    Require(o.tcp && *o.idleSeconds >= 0 && *o.idleSeconds <= 86400, "an idle time-out out of range or without --tcp");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Two files, so that a module's values and every module's may differ.
  static MemoryFile valueFiles[2] = {MemoryFile("values"), MemoryFile("module values")};
  FuzzInput in(data, size);
  std::vector<std::string> arguments{"dolvane-sim"};
  for (size_t n = in.range(0, kMaxArguments); n > 0 && !in.empty(); --n) {
    const std::string option = in.byte() < 232 ? kOptions[in.range(0, std::size(kOptions) - 1)] : in.text(16);
    arguments.push_back(option);
    if (in.byte() < 240) arguments.push_back(ValueFor(in, option, valueFiles[in.byte() & 1]));
  }
  Options o;
  const bool accepted = !ParseArguments(std::vector<std::string>(arguments.begin() + 1, arguments.end()), o);
  if (accepted) CheckOptions(o);
  return 0;
}
