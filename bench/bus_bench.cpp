// A bus cycle of 10 simulated modules of mixed models, polled back to back over
// a paced simulated bus at 9600 and 115200 baud, against the wire limit of the
// cycle: per module the 8-byte request, a turnaround of 3.5 characters and the
// reply, 10 bits a character. Beside it, the same 10 modules polled one after
// another by `dolvane-cli poll MODEL --count 1` (a program start, a port open
// and one exchange each). Then the time a bus file of 247 modules takes to load.
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bus/bus_file.h"
#include "bus/bus_poller.h"
#include "cli/terminal_console.h"
#include "link/posix_serial_port.h"
#include "models/model_registry.h"
#include "operations/operations.h"
#include "sim/sim_bus.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kRequestChars = 8;
constexpr double kTurnaroundChars = 3.5;

// Ten modules, the models with one exchange a read, in registry order, round again.
BusFile TenModules(int baud) {
  std::vector<const ModelEntry*> models;
  for (const ModelEntry& model : Models())
    if (!model.reader.read) models.push_back(&model);
  BusFile bus;
  bus.baudRate = baud;
  for (int station = 1; station <= 10; ++station) {
    BusModule module;
    module.station = station;
    module.model = models[static_cast<size_t>(station - 1) % models.size()];
    bus.modules.push_back(module);
  }
  return bus;
}

double WireCyclesPerSecond(const BusFile& bus) {
  double chars = 0;
  for (const BusModule& m : bus.modules) chars += kRequestChars + kTurnaroundChars + 5 + 2.0 * m.model->reader.count;
  return bus.baudRate / (10.0 * chars);
}

std::unique_ptr<SimBus> PacedBus(const BusFile& file) {
  auto bus = std::make_unique<SimBus>();
  for (const BusModule& m : file.modules)
    bus->addModule({.station = m.station, .model = &m.model->sim, .baudRate = file.baudRate});
  bus->setPaced(true);
  bus->setLiveValues(true);
  bus->start();
  return bus;
}

int BaudIndex(int baud) {
  for (int i = 0; i < 8; ++i)
    if (kBaudRates[i] == baud) return i;
  return 3;
}

struct Run {
  double cyclesPerSecond = 0;
  uint64_t failures = 0;
};

Run PollBus(const BusFile& file, uint64_t cycles) {
  auto bus = PacedBus(file);
  std::ostringstream out, err;
  std::istringstream in;
  TerminalConsole console(out, err, in, false);
  console.port = bus->devicePath();
  Operations ops(console, std::make_unique<PosixSerialPort>());
  ops.InitLinkDefaults();
  ops.OnCbnSelchangeBaudRate(BaudIndex(file.baudRate));
  ops.OnBnClickedOpenPort();
  BusPoller poller(ops.context(), file);
  RunBusPolls(poller, cycles, nullptr, [](size_t, const PollResult&) {});
  Run run{poller.cycleRate(), 0};
  for (const BusModuleState& state : poller.modules()) run.failures += state.counters.failures();
  return run;
}

// One `dolvane-cli poll MODEL --count 1` per module, one after another.
double CliCyclesPerSecond(const std::string& cli, const BusFile& file, int cycles, int* failures) {
  auto bus = PacedBus(file);
  const auto start = Clock::now();
  for (int c = 0; c < cycles; ++c) {
    for (const BusModule& m : file.modules) {
      std::fflush(stdout);  // the child's freopen would write out a copy of what waits here
      const pid_t child = fork();
      if (child == 0) {
        const std::string baud = std::to_string(file.baudRate), station = std::to_string(m.station);
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execl(cli.c_str(), cli.c_str(), "-p", bus->devicePath().c_str(), "-b", baud.c_str(), "-s",
              station.c_str(), "poll", m.model->cliName, "--count", "1", "--interval", "0", nullptr);
        _exit(127);
      }
      int status = 0;
      waitpid(child, &status, 0);
      if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++*failures;
    }
  }
  const std::chrono::duration<double> elapsed = Clock::now() - start;
  return cycles / elapsed.count();
}

// A bus file of 247 modules (every model in turn, a name, notes and a limit each).
std::string LargeBusFile(const std::string& path) {
  BusFile bus;
  for (int station = 1; station <= 247; ++station) {
    BusModule module;
    module.station = station;
    module.model = &Models()[static_cast<size_t>(station) % Models().size()];
    module.name = std::to_string(station / 10 + 1) + "号柜 回路 " + std::to_string(station);
    module.notes = "commissioned; CT checked";
    module.limits[QuantityKeysOf(*module.model).front()] = {0.0, 1000.0};
    bus.modules.push_back(std::move(module));
  }
  std::string problem;
  if (!SaveBusFile(path, bus, &problem)) std::fprintf(stderr, "%s\n", problem.c_str());
  return path;
}

}  // namespace

int main(int, char** argv) {
  // The simulated wire paces each reply byte with a sleep: keep its timer slack fine.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  const std::string cli = (std::filesystem::path(argv[0]).parent_path() / "dolvane-cli").string();
  for (int baud : {9600, 115200}) {
    const BusFile bus = TenModules(baud);
    const Run run = PollBus(bus, baud == 9600 ? 10 : 60);
    const double limit = WireCyclesPerSecond(bus);
    std::printf("10 modules back to back at %6d baud: %6.2f cycles/s, wire limit %6.2f cycles/s (%.3f of it), "
                "%llu failed\n",
                baud, run.cyclesPerSecond, limit, run.cyclesPerSecond / limit,
                static_cast<unsigned long long>(run.failures));
    int failures = 0;
    const double byCli = CliCyclesPerSecond(cli, bus, baud == 9600 ? 2 : 5, &failures);
    std::printf("  the same by `poll --count 1` per module:  %6.2f cycles/s (%.3f of the limit), %d failed\n", byCli,
                byCli / limit, failures);
  }

  const std::string path = LargeBusFile(std::filesystem::temp_directory_path() / "dolvane-bus-bench.json");
  std::vector<double> ms;
  for (int i = 0; i < 20; ++i) {
    std::string problem;
    const auto start = Clock::now();
    const std::optional<BusFile> loaded = LoadBusFile(path, &problem);
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (!loaded || loaded->modules.size() != 247) std::printf("the large bus file did not load: %s\n", problem.c_str());
  }
  std::sort(ms.begin(), ms.end());
  std::printf("a bus file of 247 modules (%ju bytes) loads in %.2f ms (median of 20; slowest %.2f ms)\n",
              static_cast<uintmax_t>(std::filesystem::file_size(path)), ms[ms.size() / 2], ms.back());
  std::filesystem::remove(path);
  return 0;
}
