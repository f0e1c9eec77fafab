// The journal on the command line: each write recorded, a write killed in
// mid-exchange left unfinished, and `journal` listing or exporting entries.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "cli/cli.h"
#include "journal/journal_file.h"
#include "models/model_registry.h"
#include "sim/sim_bus.h"
#include "support/cli_run.h"
#include "support/program.h"
#include "support/temp_file.h"

namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Killed (SIGKILL) while it waits for a reply that never comes, the write
// leaves its begin on disk, and the listing shows it unfinished.
TEST(JournalCli, AWriteKilledWhileItWaitsIsListedUnfinished) {
  TempFolder folder;
  const std::string journal = folder.path() + "/journal.jsonl";
  Program sim("dolvane-sim", {"--module", "1:4SXY", "--exit-on-eof"});
  const std::string device = sim.firstLine();
  ASSERT_FALSE(device.empty());
  Program cli("dolvane-cli", {"--journal", journal, "-p", device, "-s", "9", "write-register", "20", "7"});
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (Contents(journal).find("\"begin\"") == std::string::npos && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  ASSERT_EQ(::kill(cli.pid, SIGKILL), 0);
  EXPECT_EQ(cli.exitCode(5000), 128);  // killed, not ended

  const CliRun listed = RunArgs({"--journal", journal, "journal"});
  EXPECT_EQ(listed.status, kExitDone) << listed.err;
  EXPECT_EQ(listed.err, "");
  EXPECT_NE(listed.out.find("  " + device + " 9600 N,8,1  station 9  write-register  20=7  UNFINISHED\n"),
            std::string::npos)
      << listed.out;
}

// The pane and the boxes are the same with the journal; --read-before-write
// adds the words replaced to the entry.
TEST(JournalCli, WritesAreJournalledAndReadBeforeWriteAddsTheOldWords) {
  TempFolder folder;
  const std::string journal = folder.path() + "/journal.jsonl";
  const CliRun allow = RunArgs({"--journal", journal, "-y", "--simulate", "allow-write"});
  EXPECT_EQ(allow.status, kExitDone) << allow.err;
  const CliRun plain = RunArgs({"--journal", journal, "--simulate", "write-register", "20", "7"});
  EXPECT_EQ(plain.status, kExitErrorBox);  // each run starts a fresh bus: protected again
  EXPECT_EQ(plain.out.rfind("十六进制显示发送数据：\r\n01 06 00 14 00 07 ", 0), 0u) << plain.out;
  const CliRun readFirst =
      RunArgs({"--journal", journal, "--read-before-write", "--simulate", "write-register", "20", "7"});
  EXPECT_EQ(readFirst, plain);

  const CliRun listed = RunArgs({"--journal", journal, "journal"});
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = listed.out.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(listed.out.substr(at + 23, end - at - 23));  // after the time
  ASSERT_EQ(lines.size(), 3u) << listed.out;
  EXPECT_NE(lines[0].find("  station 1  allow-write  3=32768  confirmed"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("  station 1  write-register  20=7  exception: 异常响应：功能码 0x86，异常码 0x01"),
            std::string::npos)
      << lines[1];
  EXPECT_NE(lines[2].find("  write-register  20=7 (was "), std::string::npos) << lines[2];
}

// Behind a serial server the server sets the line: the entry names the port alone.
TEST(JournalCli, AWriteOverTcpNamesNoLineOfItsOwn) {
  TempFolder folder;
  const std::string journal = folder.path() + "/journal.jsonl";
  SimBus bus(TcpAddress{"127.0.0.1", 0});
  bus.addModule({1, &FindModel("4SXY")->sim, 9600, 0, true});
  bus.start();
  const CliRun run = RunArgs({"--journal", journal, "-p", bus.devicePath(), "-b", "19200", "write-register", "20", "7"});
  EXPECT_EQ(run.status, kExitDone) << run.err;
  const CliRun listed = RunArgs({"--journal", journal, "journal"});
  EXPECT_EQ(listed.out.substr(23), "  " + bus.devicePath() + "  station 1  write-register  20=7  confirmed\n");
}

TEST(JournalCli, AJournalThatCannotBeWrittenStopsTheWrite) {
  TempFile plain("x");
  const CliRun run = RunArgs({"--journal", plain.path() + "/j.jsonl", "--simulate", "write-register", "20", "7"});
  EXPECT_EQ(run.status, kExitErrorBox);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind(std::string("提示: ") + kJournalUnwritable + "cannot write " + plain.path() + "/j.jsonl", 0),
            0u)
      << run.err;
}

// A journal as the file holds it: two stations over two days, one unfinished.
std::string SampleJournal() {
  return R"({"id":"a-1","event":"begin","time":"2026-12-10 17:00:00.000","operation":"write-register","port":"/dev/ttyUSB0","baud":9600,"format":"N,8,1","station":1,"model":"4SXY","start":20,"values":[7],"before":[6]}
{"id":"a-1","event":"end","time":"2026-12-10 17:00:00.050","result":"confirmed"}
{"id":"b-1","event":"begin","time":"2026-12-11 08:00:00.000","operation":"change-comm","port":"tcp:10.0.0.5:4001","baud":9600,"station":2,"start":3,"values":[1]}
{"id":"a-2","event":"begin","time":"2026-12-11 09:30:00.000","operation":"allow-write","port":"/dev/ttyUSB0","baud":9600,"format":"N,8,1","station":1,"start":3,"values":[32768]}
{"id":"a-2","event":"end","time":"2026-12-11 09:30:01.025","result":"no-reply","fact":"无应答（等待 1025 ms）"}
)";
}

TEST(JournalCli, ListsOldestFirstFilteredByStationAndTime) {
  TempFile journal(SampleJournal());
  const std::string first =
      "2026-12-10 17:00:00.000  /dev/ttyUSB0 9600 N,8,1  station 1 4SXY  write-register  20=7 (was 6)  confirmed\n";
  const std::string second =
      "2026-12-11 08:00:00.000  tcp:10.0.0.5:4001 9600  station 2  change-comm  3=1  UNFINISHED\n";
  const std::string third =
      "2026-12-11 09:30:00.000  /dev/ttyUSB0 9600 N,8,1  station 1  allow-write  3=32768  no-reply: "
      "无应答（等待 1025 ms）\n";
  const struct {
    std::vector<std::string> args;
    std::string out;
  } kCases[] = {
      {{}, first + second + third},
      {{"--station", "1"}, first + third},
      {{"--since", "2026-12-11"}, second + third},
      {{"--since", "2026-12-11 09:00", "--station", "1"}, third},
      {{"--station", "7"}, ""},
  };
  for (const auto& c : kCases) {
    std::vector<std::string> args = {"--journal", journal.path(), "journal"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    SCOPED_TRACE(::testing::PrintToString(args));
    EXPECT_EQ(RunArgs(args), (CliRun{kExitDone, c.out, ""}));
  }
  // Without --journal the variable names the file, as it does for the writes.
  const char* before = std::getenv("DOLVANE_JOURNAL");
  const std::string kept = before ? before : "";
  ::setenv("DOLVANE_JOURNAL", journal.path().c_str(), 1);
  EXPECT_EQ(RunArgs({"journal", "--station", "2"}).out, second);
  if (before) ::setenv("DOLVANE_JOURNAL", kept.c_str(), 1);
  else ::unsetenv("DOLVANE_JOURNAL");
}

TEST(JournalCli, CsvExportsTheEntriesTheFiltersKeep) {
  TempFile journal(SampleJournal());
  TempFolder folder;
  const std::string csv = folder.path() + "/out.csv";
  const CliRun run = RunArgs({"--journal", journal.path(), "journal", "--station", "1", "--csv", csv});
  EXPECT_EQ(run, (CliRun{kExitDone, "2 entries written to " + csv + "\n", ""}));
  EXPECT_EQ(Contents(csv),
            "begun,ended,port,baud,format,station,model,operation,start,values,before,before_problem,result,fact\r\n"
            "2026-12-10 17:00:00.000,2026-12-10 17:00:00.050,/dev/ttyUSB0,9600,\"N,8,1\",1,4SXY,write-register,20,7,"
            "6,,confirmed,\r\n"
            "2026-12-11 09:30:00.000,2026-12-11 09:30:01.025,/dev/ttyUSB0,9600,\"N,8,1\",1,,allow-write,3,32768,,,"
            "no-reply,无应答（等待 1025 ms）\r\n");
}

TEST(JournalCli, RefusesBadArgumentsAndSaysWhatItCannotRead) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"journal", "--station", "256"}, {"journal", "--since", "yesterday"},
        {"journal", "--csv"}, {"journal", "--new"}, {"--journal", "", "journal"}}) {
    SCOPED_TRACE(::testing::PrintToString(args));
    const CliRun run = RunArgs(args);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_NE(run.err.find("usage: dolvane-cli"), std::string::npos);
  }
  TempFolder folder;  // a folder is no journal file
  const CliRun unreadable = RunArgs({"--journal", folder.path(), "journal"});
  EXPECT_EQ(unreadable.status, kExitErrorBox);
  EXPECT_NE(unreadable.err.find(folder.path()), std::string::npos) << unreadable.err;
  const CliRun missing = RunArgs({"--journal", folder.path() + "/none.jsonl", "journal"});
  EXPECT_EQ(missing, (CliRun{kExitDone, "", ""}));
}

}  // namespace
