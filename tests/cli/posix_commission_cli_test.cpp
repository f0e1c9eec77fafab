// Commissioning from the command line: a factory-set module on the simulated
// line is given the next free station and the bus's line settings, checked
// there and added to the bus file; an unexpected model stops the run at it.
#include <gtest/gtest.h>

#include <fstream>

#include "bus/bus_file.h"
#include "models/model_registry.h"
#include "support/cli_run.h"
#include "support/program.h"
#include "support/temp_file.h"

namespace {

std::vector<std::pair<int, std::string>> Modules(const BusFile& bus) {
  std::vector<std::pair<int, std::string>> modules;
  for (const BusModule& m : bus.modules) modules.emplace_back(m.station, m.model->cliName);
  return modules;
}

TEST(CommissionCli, AFactoryModuleJoinsTheBusAtItsSettingsAndIsPolledThere) {
  Program sim("dolvane-sim", {"--module", "1:4SXY"});
  const std::string device = sim.firstLine();
  ASSERT_FALSE(device.empty());
  TempFolder folder;
  const std::string path = folder.path() + "/cabinet.json";  // not there yet: a new cabinet

  const CliRun run = RunArgs({"-p", device, "-b", "19200", "-f", "E,8,1", "--bus", path, "-y", "commission",
                              "--first-station", "4", "--count", "1", "--wait", "5"});
  ASSERT_EQ(run.status, kExitDone) << run.out << run.err;
  EXPECT_NE(run.out.find("通讯参数已改为 站号 4，19200 E,8,1。\n在新的通讯参数下读取并核对无误。\n已恢复写保护。\n"),
            std::string::npos)
      << run.out;
  std::string problem;
  const std::optional<BusFile> bus = LoadBusFile(path, &problem);
  ASSERT_TRUE(bus) << problem;
  EXPECT_EQ(bus->baudRate, 19200);
  EXPECT_EQ(bus->lineFormat, 1);
  EXPECT_EQ(Modules(*bus), (std::vector<std::pair<int, std::string>>{{4, "4SXY"}}));
  EXPECT_EQ(bus->modules[0].name, "模块 4");

  const CliRun poll = RunArgs({"--bus", path, "poll-bus", "--count", "1"});
  EXPECT_EQ(poll.status, kExitDone) << poll.err;
  EXPECT_NE(poll.out.find(",4,模块 4,4SXY,ok,"), std::string::npos) << poll.out;

  // Nobody left at the factory settings: a script asking for one more hears so.
  const CliRun none = RunArgs({"--bus", path, "-y", "commission", "--count", "1", "--wait", "0"});
  EXPECT_EQ(none.status, kExitErrorBox);
  EXPECT_NE(none.err.find("no module answered at the factory settings"), std::string::npos) << none.err;
}

TEST(CommissionCli, AnUnexpectedModelStopsTheRunAndTheBusKeepsWhatItHad) {
  Program sim("dolvane-sim", {"--module", "1:3SXY"});
  const std::string device = sim.firstLine();
  TempFile file(R"({"format": 1, "port": ")" + device + R"(", "baud": 9600, "line": "N,8,1",
  "modules": [{"station": 2, "model": "4SXY", "name": "进线"}]})");
  const std::string before = [&] {
    std::ifstream in(file.path());
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  const CliRun run = RunArgs({"--bus", file.path(), "-y", "commission", "--model", "4SXY", "--wait", "5"});
  EXPECT_EQ(run.status, kExitErrorBox);
  EXPECT_NE(run.err.find("commission: station 3: 模块不是 4SXY"), std::string::npos) << run.err;
  std::ifstream in(file.path());
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);

  // Nothing was written to it: it still answers at the factory settings.
  const CliRun read = RunArgs({"-p", device, "-s", "1", "read", "3SXY"});
  EXPECT_EQ(read.status, kExitDone) << read.err;
}

TEST(CommissionCli, UsageErrors) {
  TempFile file(R"({"format": 1, "modules": []})");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--simulate", "commission"},
           {"--simulate", "--bus", file.path(), "commission", "--first-station", "1"},
           {"--simulate", "--bus", file.path(), "commission", "--model", "9XYZ"},
           {"--simulate", "--bus", file.path(), "commission", "--count", "0"},
           {"--simulate", "--bus", file.path(), "commission", "--wait"},
       }) {
    const CliRun run = RunArgs(args);
    EXPECT_EQ(run.status, kExitUsage) << args.back() << ": " << run.err;
  }
}

}  // namespace
