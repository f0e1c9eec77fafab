// `poll` and `poll-registers` on the command line, in process and as a program.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "cli/cli.h"
#include "support/cli_run.h"
#include "support/program.h"
#include "support/temp_file.h"

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& by) {
  std::vector<std::string> parts;
  size_t from = 0;
  for (size_t at; (at = text.find(by, from)) != std::string::npos; from = at + by.size())
    parts.push_back(text.substr(from, at - from));
  if (from < text.size()) parts.push_back(text.substr(from));
  return parts;
}

// The numbers a report prints after "：", from its first channel line on.
std::vector<double> ReportNumbers(const std::string& report, const std::string& firstLine) {
  std::vector<double> numbers;
  const std::vector<std::string> pieces = Split(report.substr(report.find(firstLine)), "：");
  for (size_t i = 1; i < pieces.size(); ++i) numbers.push_back(std::strtod(pieces[i].c_str(), nullptr));
  return numbers;
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Five back-to-back polls of the simulated 4SX/Y: a header, five ok rows, and
// the first row's values are the lines `read 4SXY` prints.
TEST(PollCli, SimulatedRowsMatchTheReadReport) {
  const CliRun poll = RunArgs({"--simulate", "poll", "4SXY", "--count", "5", "--interval", "0"});
  ASSERT_EQ(poll.status, kExitDone) << poll.err;
  const std::vector<std::string> lines = Split(poll.out, "\r\n");
  ASSERT_EQ(lines.size(), 6u) << poll.out;
  EXPECT_EQ(lines[0].rfind("time,station,status,一路电流 (A),一路电压 (V),一路视在 (VA),一路有功 (W),一路 电流变比,", 0), 0u);
  for (size_t i = 1; i < lines.size(); ++i) EXPECT_NE(lines[i].find(",1,ok,"), std::string::npos) << lines[i];
  EXPECT_NE(poll.err.find("5 polls: 5 ok, 0 timeout"), std::string::npos) << poll.err;

  const CliRun read = RunArgs({"--simulate", "read", "4SXY"});
  ASSERT_EQ(read.status, kExitDone);
  const std::vector<double> printed = ReportNumbers(read.out, "一路电流：");
  const std::vector<std::string> cells = Split(lines[1], ",");
  ASSERT_EQ(cells.size(), 3 + printed.size()) << lines[1];
  for (size_t k = 0; k < printed.size(); ++k)
    EXPECT_EQ(std::strtod(cells[3 + k].c_str(), nullptr), printed[k]) << Split(lines[0], ",")[3 + k];
}

TEST(PollCli, RegistersAsUnsignedWords) {
  const CliRun run = RunArgs({"--simulate", "-s", "1", "poll-registers", "0", "3", "--count", "1"});
  ASSERT_EQ(run.status, kExitDone) << run.err;
  const std::vector<std::string> lines = Split(run.out, "\r\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "time,station,status,r0,r1,r2");
  EXPECT_EQ(lines[1].substr(lines[1].find(',')), ",1,ok,700,5,250");
}

TEST(PollCli, UsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"poll"},
      {"poll", "XYZ"},
      {"poll", "4SXY", "--interval", "-1"},
      {"poll", "4SXY", "--interval", "1s"},
      {"poll", "4SXY", "--count", "0"},
      {"poll", "4SXY", "--count"},
      {"poll", "4SXY", "--csv", ""},
      {"poll", "4SXY", "--every", "1"},
      {"poll-registers", "0"},
      {"poll-registers", "0", "121"},
      {"poll-registers", "65535", "2"},
      {"poll-registers", "x", "2"},
  };
  for (const auto& args : cases) {
    const CliRun run = RunArgs(args);
    EXPECT_EQ(run.status, kExitUsage) << ::testing::PrintToString(args);
    EXPECT_EQ(run.out, "");
  }
}

TEST(PollCli, APortThatCannotBeUsedIsExitOne) {
  const CliRun missing = RunArgs({"-p", "/dev/no-such-port", "poll", "4SXY", "--count", "1"});
  EXPECT_EQ(missing.status, kExitErrorBox);
  const CliRun none = RunArgs({"poll", "4SXY", "--count", "1"});
  EXPECT_EQ(none.status, kExitErrorBox);
  EXPECT_NE(none.err.find("提示: 串口未打开!"), std::string::npos);
}

// With --csv the rows go to the file and stdout has the summary only.
TEST(PollCli, CsvFileAndSummary) {
  const TempFile log;
  const CliRun run = RunArgs({"--simulate", "poll", "3RX", "--count", "3", "--interval", "0", "--csv", log.path()});
  ASSERT_EQ(run.status, kExitDone) << run.err;
  EXPECT_EQ(run.out.rfind("3 polls: 3 ok,", 0), 0u) << run.out;
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> lines = Split(Contents(log.path()), "\r\n");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_NE(lines[0].find(",通道一 电流 (A),"), std::string::npos);
  EXPECT_NE(lines[3].find(",5,ok,"), std::string::npos);

  EXPECT_EQ(RunArgs({"--simulate", "poll", "3RX", "--count", "1", "--csv", "/nonexistent-dir/x.csv"}).status,
            kExitErrorBox);
}

// --bom starts a new log with the UTF-8 mark, and a log that has it is
// continued (with or without --bom) under the one mark; without it nothing changes.
TEST(PollCli, ByteOrderMarkStartsANewLogOnly) {
  const TempFile marked;
  const TempFile plain;
  const auto poll = [](const std::string& path, bool bom) {
    std::vector<std::string> args = {"--simulate", "poll", "3RX", "--count", "2", "--interval", "0", "--csv", path};
    if (bom) args.insert(args.begin(), "--bom");
    return RunArgs(args).status;
  };
  ASSERT_EQ(poll(marked.path(), true), kExitDone);
  ASSERT_EQ(poll(marked.path(), true), kExitDone);
  ASSERT_EQ(poll(marked.path(), false), kExitDone);
  const std::string log = Contents(marked.path());
  EXPECT_EQ(log.rfind("\xEF\xBB\xBFtime,station,status,", 0), 0u) << log.substr(0, 40);
  EXPECT_EQ(log.find("\xEF\xBB\xBF", 1), std::string::npos);  // one mark, at the start
  EXPECT_EQ(Split(log, "\r\n").size(), 7u);  // the header and six rows

  ASSERT_EQ(poll(plain.path(), false), kExitDone);
  EXPECT_EQ(Contents(plain.path()).rfind("time,station,status,", 0), 0u);
}

// A log that cannot be kept (a full disk) stops polling and fails the command.
TEST(PollCli, ALostLogIsAFailure) {
  for (const char* command : {" >/dev/full 2>/dev/null", " --csv /dev/full >/dev/null 2>&1"}) {
    const std::string line =
        std::string(DOLVANE_BIN_DIR "/dolvane-cli --simulate poll 4SXY --interval 0 --count 100000") + command;
    const int status = std::system(line.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << command;
    EXPECT_EQ(WEXITSTATUS(status), kExitErrorBox) << command;
  }
}

// Without --count the program polls until SIGINT or SIGTERM, then ends after
// the exchange under way with the log complete and exit 0.
TEST(PollCli, ASignalEndsPollingCleanly) {
  for (int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    const TempFile log;
    Program cli("dolvane-cli", {"--simulate", "poll", "4SXY", "--interval", "20", "--csv", log.path()});
    // Wait (generously) for a few rows.
    for (int i = 0; i < 1000 && Split(Contents(log.path()), "\r\n").size() < 4; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    kill(cli.pid, signal);
    ASSERT_EQ(cli.exitCode(10000), 0) << cli.errors();
    const std::string text = Contents(log.path());
    ASSERT_GE(Split(text, "\r\n").size(), 4u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");  // the last row whole
    EXPECT_NE(cli.output().find(" polls: "), std::string::npos);
  }
}

}  // namespace
