// The command line's options before, after or among the operation's arguments.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/temp_file.h"

namespace {

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

struct SameRun {
  std::vector<std::string> moved;        // options among or after the operation's arguments
  std::vector<std::string> optionsFirst;  // the same command, every option before the operation
  int status;
};

// Anywhere on the line an option means the same; a text that only starts with
// '-' stays an argument, and an operation's own options stay its own.
TEST(CliOptionOrder, AnOptionAfterTheOperationActsAsBeforeIt) {
  const SameRun cases[] = {
      {{"read-registers", "0", "1", "--simulate", "-s", "2"},
       {"--simulate", "-s", "2", "read-registers", "0", "1"}, kExitDone},
      {{"read-registers", "--simulate", "0", "--station", "2", "1"},
       {"--simulate", "-s", "2", "read-registers", "0", "1"}, kExitDone},
      {{"read-registers", "0", "1", "-b", "19200", "--simulate", "-f", "E,8,1", "--turnaround", "5"},
       {"-b", "19200", "-f", "E,8,1", "--turnaround", "5", "--simulate", "read-registers", "0", "1"}, kExitErrorBox},
      {{"write-register", "-5", "1", "--simulate"}, {"--simulate", "write-register", "-5", "1"}, kExitErrorBox},
      {{"write-registers", "0", "2", "-1", "-s", "2", "7", "-y", "--simulate"},
       {"-y", "--simulate", "-s", "2", "write-registers", "0", "2", "-1", "7"}, kExitErrorBox},
      {{"change-comm", "9600", "N,8,1", "-3", "--simulate", "--yes"},
       {"--simulate", "--yes", "change-comm", "9600", "N,8,1", "-3"}, kExitErrorBox},
  };
  for (const SameRun& c : cases) {
    const CliRun moved = RunArgs(c.moved);
    EXPECT_EQ(moved.status, c.status) << ::testing::PrintToString(c.moved) << moved.err;
    EXPECT_EQ(moved, RunArgs(c.optionsFirst)) << ::testing::PrintToString(c.moved);
  }
}

// The polls' rows carry the time: their header and status tell the runs apart.
TEST(CliOptionOrder, PollsTakeTheirOwnOptionsAndTheLinesAnywhere) {
  TempFile bus(R"({"format": 1, "modules": [{"station": 1, "model": "4SXY"}]})");
  const std::vector<std::vector<std::string>> cases[] = {
      {{"poll", "4SXY", "--simulate", "--count", "1", "--interval", "0"},
       {"--simulate", "poll", "4SXY", "--count", "1", "--interval", "0"}},
      {{"poll-registers", "0", "3", "--count", "1", "-s", "2", "--interval", "0", "--simulate"},
       {"--simulate", "-s", "2", "poll-registers", "0", "3", "--count", "1", "--interval", "0"}},
      {{"poll-bus", "--count", "1", "--bus", bus.path(), "--wide", "--simulate"},
       {"--simulate", "--bus", bus.path(), "poll-bus", "--count", "1", "--wide"}},
  };
  for (const auto& pair : cases) {
    const CliRun moved = RunArgs(pair[0]);
    const CliRun first = RunArgs(pair[1]);
    EXPECT_EQ(moved.status, kExitDone) << ::testing::PrintToString(pair[0]) << moved.err;
    EXPECT_EQ(first.status, kExitDone) << ::testing::PrintToString(pair[1]) << first.err;
    EXPECT_EQ(FirstLine(moved.out), FirstLine(first.out)) << ::testing::PrintToString(pair[0]);
    EXPECT_EQ(moved.out.find("time,"), 0u) << moved.out;
  }
}

// After scan-stations, --bus names the file the scan writes; before it, the bus to use.
TEST(CliOptionOrder, ScanStationsKeepsItsOwnBusFile) {
  TempFolder folder;
  const std::string written = folder.path() + "/scanned.json";
  const CliRun run = RunArgs({"scan-stations", "1", "2", "--simulate", "--bus", written, "--turnaround", "5"});
  EXPECT_EQ(run.status, kExitDone) << run.err;
  EXPECT_NE(run.err.find("2 module(s) written to " + written), std::string::npos) << run.err;
  EXPECT_TRUE(std::filesystem::exists(written));

  const CliRun used = RunArgs({"--bus", folder.path() + "/missing.json", "--simulate", "scan-stations", "1", "2"});
  EXPECT_EQ(used.status, kExitUsage);
  EXPECT_EQ(used.err.rfind("dolvane-cli: the bus file is refused: ", 0), 0u) << used.err;
}

// The usage errors say what they said when every option came first.
TEST(CliOptionOrder, UsageErrorsKeepTheirTexts) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"--simulate"}, "no operation given"},
      {{"-q", "read", "4SXY"}, "unknown option -q"},
      {{"read", "4SXY", "-q"}, "read takes 1 argument(s)"},  // after the operation, a text is an argument
      {{"read", "4SXY", "-s"}, "-s needs a value"},
      {{"read", "4SXY", "--simulate", "--trace-file"}, "--trace-file needs a value"},
      {{"read", "4SXY", "--simulate", "-b", "1234"}, "unknown baud rate 1234"},
      {{"read", "4SXY", "-f", "N,7,1", "--simulate"}, "unknown format N,7,1"},
      {{"read", "4SXY", "--simulate", "-p", "/dev/null"}, "-p and --simulate exclude each other"},
      {{"scan-stations", "--turnaround", "soon"}, "--turnaround takes milliseconds 0 to 60000, not soon"},
      {{"poll-bus", "--simulate", "--count", "1"}, "poll-bus needs --bus FILE"},
      {{"report", "--bus"}, "--bus needs a value"},
      {{"poll", "4SXY", "--simulate", "--count"}, "--count needs a value"},
      {{"poll", "4SXY", "--every", "1", "--simulate"}, "unknown poll option --every"},
      {{"scan-stations", "1", "5", "--simulate", "--bus"}, "scan-stations takes no argument or FROM TO"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunArgs(c.args);
    EXPECT_EQ(run.status, kExitUsage) << ::testing::PrintToString(c.args);
    EXPECT_EQ(run.err.rfind("dolvane-cli: " + c.message + "\nusage: dolvane-cli ", 0), 0u)
        << ::testing::PrintToString(c.args) << '\n' << run.err;
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
