// The whole bus from the command line: a scan writes the bus file, poll-bus polls
// it, and dolvane-sim --bus serves the cabinet a file describes.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "bus/bus_file.h"
#include "models/model_registry.h"
#include "support/cli_run.h"
#include "support/program.h"
#include "support/temp_file.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Cells(const std::string& row) {
  std::vector<std::string> cells;
  std::istringstream in(row);
  for (std::string cell; std::getline(in, cell, ',');) cells.push_back(cell);
  return cells;
}

TEST(BusCli, AScannedBusFileIsPolledWithEveryRowOk) {
  Program sim("dolvane-sim", {"--module", "2:4SXY", "--module", "5:3RX", "--module", "9:9VXY"});
  const std::string device = sim.firstLine();
  ASSERT_FALSE(device.empty());
  TempFolder folder;
  const std::string path = folder.path() + "/cabinet.json";

  const CliRun scan = RunArgs({"-p", device, "scan-stations", "1", "12", "--bus", path});
  ASSERT_EQ(scan.status, kExitDone) << scan.err;
  std::string problem;
  const std::optional<BusFile> bus = LoadBusFile(path, &problem);
  ASSERT_TRUE(bus) << problem;
  EXPECT_EQ(bus->port, device);
  // Word 0 (the program version) fits most models alike: each module gets the
  // first that accepts it, and its notes name the candidates, its own among them.
  std::vector<std::pair<int, std::string>> found;
  for (const BusModule& m : bus->modules) found.emplace_back(m.station, m.model->cliName);
  EXPECT_EQ(found, (std::vector<std::pair<int, std::string>>{{2, "4SXY"}, {5, "4SXY"}, {9, "4SXY"}})) << scan.err;
  ASSERT_EQ(bus->modules.size(), 3u);
  for (auto [module, own] : {std::pair{0, " 4SXY"}, {1, " 3RX"}, {2, " 9VXY"}})
    EXPECT_NE((bus->modules[module].notes + " ").find(std::string(own) + " "), std::string::npos)
        << bus->modules[module].notes;

  // The port and line come from the file.
  const CliRun poll = RunArgs({"--bus", path, "poll-bus", "--count", "2"});
  ASSERT_EQ(poll.status, kExitDone) << poll.err;
  const std::vector<std::string> rows = Lines(poll.out);
  ASSERT_EQ(rows.size(), 7u) << poll.out;
  EXPECT_EQ(rows[0].rfind("time,station,name,model,status,", 0), 0u);
  for (size_t i = 1; i < rows.size(); ++i) {
    const std::vector<std::string> cells = Cells(rows[i]);
    ASSERT_GT(cells.size(), 5u);
    EXPECT_EQ(cells[1], std::to_string(found[(i - 1) % 3].first)) << rows[i];
    EXPECT_EQ(cells[4], "ok") << rows[i];
  }
  EXPECT_NE(poll.err.find("2 cycle(s) of 3 module(s)"), std::string::npos) << poll.err;
}

TEST(BusCli, ASilentModuleTimesOutWhileTheOthersKeepOk) {
  TempFile file(R"({"format": 1, "baud": 19200, "line": "N,8,2", "modules": [
    {"station": 1, "model": "4SXY", "name": "进线"},
    {"station": 2, "model": "8SXY", "name": "silent"},
    {"station": 3, "model": "5UZ", "name": "出线"}]})");
  Program sim("dolvane-sim", {"--bus", file.path(), "--fault", "2:silence:always"});
  const std::string device = sim.firstLine();
  ASSERT_FALSE(device.empty()) << sim.errors();

  // The file's line reaches the port too: a module answers only at its own.
  const CliRun poll = RunArgs({"-p", device, "--bus", file.path(), "poll-bus", "--count", "3", "--wide"});
  ASSERT_EQ(poll.status, kExitDone) << poll.err;
  const std::vector<std::string> rows = Lines(poll.out);
  ASSERT_EQ(rows.size(), 4u) << poll.out;
  const std::vector<std::string> header = Cells(rows[0]);
  for (size_t i = 1; i < rows.size(); ++i) {
    const std::vector<std::string> cells = Cells(rows[i]);
    ASSERT_EQ(cells.size(), header.size()) << rows[i];
    for (size_t k = 1; k < header.size(); ++k) {
      const std::string& column = header[k];
      if (column.ends_with(":status"))
        EXPECT_EQ(cells[k], column == "2:status" ? "timeout" : "ok") << column;
      else
        EXPECT_EQ(cells[k].empty(), column.starts_with("2:")) << column << " in " << rows[i];
    }
  }
  EXPECT_NE(poll.err.find("2 silent (8SXY): 3 polls: 0 ok, 3 timeout"), std::string::npos) << poll.err;
}

TEST(BusCli, ARefusedBusFileStopsEverything) {
  TempFile file("{\"format\": 1,\n \"modules\": [{\"station\": 300, \"model\": \"4SXY\"}]}");
  TempFolder folder;
  const std::string csv = folder.path() + "/log.csv";
  const CliRun poll = RunArgs({"--simulate", "--bus", file.path(), "poll-bus", "--csv", csv});
  EXPECT_EQ(poll.status, kExitUsage);
  EXPECT_EQ(poll.err, "dolvane-cli: the bus file is refused: " + file.path() +
                          ":2: /modules/0/station: station 300 is outside 1-247\n");
  EXPECT_FALSE(std::filesystem::exists(csv));

  Program sim("dolvane-sim", {"--bus", file.path()});
  EXPECT_EQ(sim.exitCode(10000), 2);
  EXPECT_NE(sim.errors().find(":2: /modules/0/station"), std::string::npos);
}

TEST(BusCli, UsageErrors) {
  TempFile file(R"({"format": 1, "modules": [{"station": 1, "model": "4SXY"}]})");
  const std::string& bus = file.path();
  const std::vector<std::vector<std::string>> cases = {
      {"--simulate", "poll-bus"},
      {"--simulate", "--bus", "", "poll-bus"},
      {"--simulate", "--bus", bus, "poll-bus", "--count", "0"},
      {"--simulate", "--bus", bus, "poll-bus", "--interval", "1s"},
      {"--simulate", "--bus", bus, "poll-bus", "--new"},
      {"--simulate", "--bus", bus, "poll-bus", "--every", "1"},
      {"--simulate", "--bus", bus, "poll-bus", "--csv"},
      {"--simulate", "scan-stations", "1", "5", "--bus"},
      {"--simulate", "scan-stations", "1", "5", "--bus", ""},
      {"--simulate", "report", "--csv", "x.csv"},
      {"--simulate", "--bus", bus, "report"},
      {"--simulate", "--bus", bus, "report", "--csv"},
      {"--simulate", "--bus", bus, "report", "--pdf", "x.pdf"},  // no PDF printer in this process
      {"--simulate", "--bus", bus, "report", "--xml", "x.xml"},
  };
  for (const std::vector<std::string>& args : cases) {
    const CliRun run = RunArgs(args);
    EXPECT_EQ(run.status, kExitUsage) << args.back() << ": " << run.err;
    EXPECT_NE(run.err.find("usage:"), std::string::npos) << run.err;
  }
  TempFile empty(R"({"format": 1, "modules": []})");
  const CliRun none = RunArgs({"--simulate", "--bus", empty.path(), "poll-bus"});
  EXPECT_EQ(none.status, kExitUsage);
  EXPECT_NE(none.err.find("no modules"), std::string::npos) << none.err;
}

}  // namespace
