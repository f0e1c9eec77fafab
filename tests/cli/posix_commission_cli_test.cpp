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

// Three factory-set modules plugged in one after another, each at station 1.
TEST(CommissionCli, PluggedModulesJoinTheBusAtItsSettingsWithEveryWriteJournalled) {
  Program sim("dolvane-sim", {"--plug-after", "0.3:1:4SXY", "--plug-after", "1.5:1:3RX", "--plug-after", "2.7:1:16RXY"});
  const std::string device = sim.firstLine();
  ASSERT_FALSE(device.empty());
  TempFolder folder;
  const std::string path = folder.path() + "/cabinet.json";  // not there yet: a new cabinet
  const std::string journal = folder.path() + "/journal.jsonl";

  const CliRun run = RunArgs({"-p", device, "-b", "19200", "-f", "E,8,1", "--bus", path, "--journal", journal, "-y",
                              "commission", "--first-station", "4", "--model", "4SXY,3RX,16RXY", "--count", "3", "--wait", "10"});
  ASSERT_EQ(run.status, kExitDone) << run.out << run.err;
  EXPECT_NE(run.out.find("通讯参数已改为 站号 4，19200 E,8,1。\n在新的通讯参数下读取并核对无误。\n已恢复写保护。\n"),
            std::string::npos)
      << run.out;
  std::string problem;
  const std::optional<BusFile> bus = LoadBusFile(path, &problem);
  ASSERT_TRUE(bus) << problem;
  EXPECT_EQ(bus->baudRate, 19200);
  EXPECT_EQ(bus->lineFormat, 1);
  EXPECT_EQ(Modules(*bus), (std::vector<std::pair<int, std::string>>{{4, "4SXY"}, {5, "3RX"}, {6, "16RXY"}}));
  EXPECT_EQ(bus->modules[0].name, "模块 4");

  const CliRun poll = RunArgs({"--bus", path, "poll-bus", "--count", "1"});
  EXPECT_EQ(poll.status, kExitDone) << poll.err;
  for (const char* row : {",4,模块 4,4SXY,ok,", ",5,模块 5,3RX,ok,", ",6,模块 6,16RXY,ok,"})
    EXPECT_NE(poll.out.find(row), std::string::npos) << row << poll.out;

  // Per module: writes allowed, the change, writes forbidden at its new place; each confirmed.
  const CliRun listing = RunArgs({"--journal", journal, "journal"});
  ASSERT_EQ(listing.status, kExitDone) << listing.err;
  // Per module, its model named: writes allowed at the factory station, the
  // change there, writes forbidden at its new place; each confirmed.
  for (auto [station, model] : {std::pair{4, "4SXY"}, {5, "3RX"}, {6, "16RXY"}}) {
    const std::string m = model;
    for (const std::string& entry : {"9600 N,8,1  station 1 " + m + "  allow-write  3=32768  confirmed",
                                     "9600 N,8,1  station 1 " + m + "  change-comm  3=",
                                     "19200 E,8,1  station " + std::to_string(station) + " " + m +
                                         "  forbid-write  3=49152  confirmed"})
      EXPECT_NE(listing.out.find(entry), std::string::npos) << entry << "\n" << listing.out;
  }

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

  // Without a model, a word 0 that several models fit names none.
  TempFile fresh(R"({"format": 1, "port": ")" + device + R"(", "baud": 9600, "line": "N,8,1", "modules": []})");
  Program other("dolvane-sim", {"--module", "1:16RXY"});
  const CliRun unnamed = RunArgs({"-p", other.firstLine(), "--bus", fresh.path(), "-y", "commission", "--wait", "5"});
  EXPECT_EQ(unnamed.status, kExitErrorBox);
  EXPECT_NE(unnamed.err.find("无法判别型号（4SXY"), std::string::npos) << unnamed.err;

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
           {"--simulate", "--bus", file.path(), "commission", "--model", "4SXY,"},
           {"--simulate", "--bus", file.path(), "commission", "--count", "0"},
           {"--simulate", "--bus", file.path(), "commission", "--wait"},
       }) {
    const CliRun run = RunArgs(args);
    EXPECT_EQ(run.status, kExitUsage) << args.back() << ": " << run.err;
  }
}

}  // namespace
