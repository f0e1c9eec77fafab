// dolvane-sim: a bus of simulated modules on a pseudo-terminal, for trying the
// console without hardware. Prints the device to open, then serves.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "dolvane_version.h"
#include "link/link.h"
#include "models/demo_bus.h"
#include "models/model_registry.h"
#include "sim/sim_bus.h"

namespace {

constexpr int kExitUsage = 2;

const char* const kUsage =
    "usage: dolvane-sim [--module STATION:MODEL[@BAUD,P,8,S]]... [--values FILE]\n"
    "                   [--pace] [--allow-writes] [--steady] [--help]\n"
    "\n"
    "Serves simulated modules on a pseudo-terminal. The first line on standard\n"
    "output is the device to open; the program serves until it receives SIGTERM\n"
    "or SIGINT, or until its standard input reaches end of file.\n"
    "\n"
    "  --module S:MODEL[@LINE]  a module at station S (1-255). MODEL is one of\n"
    "                           %s.\n"
    "                           LINE is BAUD,FORMAT, e.g. 19200,N,8,2; the default\n"
    "                           is 9600,N,8,1. A module answers only when the\n"
    "                           console's baud rate and stop bits match its own.\n"
    "                           Without any --module: stations 1-14, one module of\n"
    "                           each model in the order above.\n"
    "  --values FILE            fixed register words, one \"register=value\" per\n"
    "                           line (decimal or 0x hex, '#' starts a comment), for\n"
    "                           the module given just before, or for every module\n"
    "                           when given before any --module\n"
    "  --pace                   send replies at the wire speed (10 or 11 bits per\n"
    "                           character)\n"
    "  --allow-writes           modules start with register writes allowed\n"
    "  --steady                 no fresh live readings before each reply\n"
    "  --help                   this text\n"
    "\n"
    "Register 3 takes 0x8000 (allow writes) and 0xC000 (forbid writes) at any\n"
    "time. While writes are forbidden every other write is refused with Modbus\n"
    "exception 01. A communication-parameter word in register 3 with an unknown\n"
    "baud or format number, or station 0, is refused with exception 03; a valid\n"
    "one moves the module to its new station, baud rate and format once the\n"
    "reply has been sent. Reads beyond a model's registers get exception 02,\n"
    "unknown functions exception 01.\n";

std::string ModelNames() {
  std::string names;
  size_t i = 0;
  for (const ModelEntry& model : Models()) {
    if (i) names += i % 7 == 0 ? ",\n                           " : ", ";
    names += model.cliName;
    ++i;
  }
  return names;
}

void Usage(FILE* to) { std::fprintf(to, kUsage, ModelNames().c_str()); }

// Whole-string decimal; nullopt for anything else.
std::optional<int> Number(const std::string& text) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  return std::stoi(text);
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

struct Options {
  std::vector<SimModuleConfig> modules;
  std::map<uint16_t, uint16_t> everyModule;               // --values before any --module
  std::vector<std::map<uint16_t, uint16_t>> perModule;    // parallel to modules
  bool pace = false;
  bool allowWrites = false;
  bool steady = false;
  bool help = false;
};

// Fills options; on a bad argument prints why and returns false.
bool ParseArguments(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--pace") {
      o.pace = true;
    } else if (arg == "--allow-writes") {
      o.allowWrites = true;
    } else if (arg == "--steady") {
      o.steady = true;
    } else if (arg == "--module") {
      const char* text = value();
      const std::optional<SimModuleConfig> config = text ? ParseModule(text) : std::nullopt;
      if (!config) {
        std::fprintf(stderr, "dolvane-sim: bad --module %s\n", text ? text : "(missing)");
        return false;
      }
      o.modules.push_back(*config);
      o.perModule.emplace_back();
    } else if (arg == "--values") {
      const char* path = value();
      if (!path) {
        std::fprintf(stderr, "dolvane-sim: --values needs a file\n");
        return false;
      }
      try {
        auto& target = o.modules.empty() ? o.everyModule : o.perModule.back();
        for (const auto& [address, word] : LoadRegisterValues(path)) target[address] = word;
      } catch (const std::exception& e) {
        std::fprintf(stderr, "dolvane-sim: %s\n", e.what());
        return false;
      }
    } else {
      std::fprintf(stderr, "dolvane-sim: unknown argument %s\n", arg.c_str());
      return false;
    }
  }
  if (o.modules.empty()) {
    o.modules = DemoModules();
    o.perModule.resize(o.modules.size());
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("dolvane-sim %s\n", kDolvaneVersion);
    return 0;
  }
  Options o;
  if (!ParseArguments(argc, argv, o)) {
    Usage(stderr);
    return kExitUsage;
  }
  if (o.help) {
    Usage(stdout);
    return 0;
  }

  // Signals arrive through a descriptor, so the bus thread never sees them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  sigdelset(&stopSignals, SIGPIPE);
  const int signals = signalfd(-1, &stopSignals, SFD_CLOEXEC);

  try {
    SimBus bus;
    for (size_t i = 0; i < o.modules.size(); ++i) {
      SimModuleConfig config = o.modules[i];
      config.writesAllowed = o.allowWrites;
      bus.addModule(config);
      std::map<uint16_t, uint16_t> words = o.everyModule;
      for (const auto& [address, word] : o.perModule[i]) words[address] = word;
      if (!words.empty()) bus.setRegisters(config.station, words);
    }
    bus.setPaced(o.pace);
    bus.setLiveValues(!o.steady);
    bus.start();
    std::printf("%s\n", bus.devicePath().c_str());
    std::fflush(stdout);

    for (;;) {
      pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {signals, POLLIN, 0}};
      if (::poll(fds, 2, -1) < 0) continue;
      if (fds[1].revents & POLLIN) break;
      if (fds[0].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) {
        char sink[256];
        const ssize_t n = ::read(STDIN_FILENO, sink, sizeof sink);
        if (n <= 0) break;  // end of input: whoever started us is gone
      }
    }
    bus.stop();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "dolvane-sim: %s\n", e.what());
    return 1;
  }
  return 0;
}
