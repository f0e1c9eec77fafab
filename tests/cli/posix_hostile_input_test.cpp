// Every option of dolvane-cli given what a careless or hostile caller might:
// empty, huge, negative and non-numeric values, a folder, /dev/full, a FIFO
// nobody reads, a read-only file and one file named twice. Each case ends with
// its documented exit status and message, and no file changes that should not.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/cli_run.h"
#include "support/temp_file.h"

namespace {

namespace fs = std::filesystem;

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::string kRegistersLog =
    "time,station,status,r0,r1,r2\r\n2026-12-10T09:41:07.250,1,ok,700,5,250\r\n";

// The files the cases name, in a folder of the test's own; {name} in an
// argument stands for its path.
class HostileInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Put("log.csv", kRegistersLog);
    Put("other.csv", "time,station,status,r0\r\n2026-12-10T09:41:07.250,1,ok,700\r\n");
    Put("notes.txt", "not a log: keep me\n");
    Put("readonly.csv", kRegistersLog);
    ::chmod(Path("readonly.csv").c_str(), 0444);
    fs::create_directory(Path("dir"));
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    fs::create_symlink(Path("log.csv"), Path("link.csv"));
  }
  void TearDown() override { ::chmod(Path("readonly.csv").c_str(), 0644); }

  std::string Path(const std::string& name) const { return folder_.path() + "/" + name; }
  void Put(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
  }
  std::string Expand(std::string arg) const {
    for (size_t at; (at = arg.find('{')) != std::string::npos;) {
      const size_t end = arg.find('}', at);
      arg.replace(at, end - at + 1, Path(arg.substr(at + 1, end - at - 1)));
    }
    return arg;
  }
  // Every regular file in the folder and its bytes.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder_.path()))
      if (entry.is_regular_file() && !entry.is_symlink()) files[entry.path().filename()] = Contents(entry.path());
    return files;
  }

  TempFolder folder_;
};

struct Case {
  std::vector<std::string> args;
  int status;
  std::string message;              // a part of what stderr says
  std::set<std::string> grows = {};  // files that may gain lines at their end
  std::set<std::string> created = {};
  bool writesWhereRootMay = false;  // root ignores the read-only bits
};

const std::string kUsage = "usage: dolvane-cli";
const std::string kHuge = "99999999999999999999999999";
const std::string kHugeName = "{dir}/" + std::string(5000, 'x');
const std::vector<std::string> kPoll = {"--simulate", "poll-registers", "0", "3", "--count", "2", "--interval", "0"};

std::vector<std::string> Poll(std::vector<std::string> more) {
  std::vector<std::string> args = kPoll;
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// A poll with --trace-file (an option of the command line, before the operation).
std::vector<std::string> TracedPoll(const std::string& trace, std::vector<std::string> more) {
  std::vector<std::string> args = Poll(std::move(more));
  args.insert(args.begin(), {"--trace-file", trace});
  return args;
}

const Case kCases[] = {
    // -p, --port
    {{"-p", "", "read", "4SXY"}, kExitUsage, "提示: 非法的端口号！"},
    {{"-p", kHuge, "read", "4SXY"}, kExitUsage, "提示: 非法的端口号！"},
    {{"-p", "-1", "read", "4SXY"}, kExitUsage, "提示: 非法的端口号！"},
    {{"-p", "{dir}", "read", "4SXY"}, kExitErrorBox, "打开失败！"},
    {{"-p", kHugeName, "read", "4SXY"}, kExitErrorBox, "打开失败！"},
    {{"-p", "/dev/full", "read", "4SXY"}, kExitErrorBox, "打开失败！"},
    {{"-p", "{fifo}", "read", "4SXY"}, kExitErrorBox, "打开失败！"},
    {{"-p", "{readonly.csv}", "read", "4SXY"}, kExitErrorBox, "打开失败！"},
    // a run that never reached a port leaves no new file behind
    {{"-p", "{dir}", "--trace-file", "{new.txt}", "poll-registers", "0", "3", "--csv", "{new.csv}"}, kExitErrorBox,
     "打开失败！"},
    {{"poll-registers", "0", "3", "--csv", "{new.csv}"}, kExitErrorBox, "提示: 串口未打开!"},
    // -b, -f, -s
    {{"-b", "", "--simulate", "read", "4SXY"}, kExitUsage, "unknown baud rate"},
    {{"-b", kHuge, "--simulate", "read", "4SXY"}, kExitUsage, "unknown baud rate"},
    {{"-b", "-9600", "--simulate", "read", "4SXY"}, kExitUsage, "unknown baud rate"},
    {{"-b", "fast", "--simulate", "read", "4SXY"}, kExitUsage, "unknown baud rate"},
    {{"-f", "", "--simulate", "read", "4SXY"}, kExitUsage, "unknown format"},
    {{"-f", "N,8,-1", "--simulate", "read", "4SXY"}, kExitUsage, "unknown format"},
    {{"-s", "", "--simulate", "read", "4SXY"}, kExitErrorBox, "提示: "},
    {{"-s", kHuge, "--simulate", "read", "4SXY"}, kExitErrorBox, "提示: "},
    {{"-s", "-1", "--simulate", "read", "4SXY"}, kExitErrorBox, "提示: "},
    {{"-s", "one", "--simulate", "read", "4SXY"}, kExitErrorBox, "提示: "},
    // --turnaround
    {{"--turnaround", "", "--simulate", "scan-stations"}, kExitUsage, "--turnaround takes milliseconds"},
    {{"--turnaround", kHuge, "--simulate", "scan-stations"}, kExitUsage, "--turnaround takes milliseconds"},
    {{"--turnaround", "-5", "--simulate", "scan-stations"}, kExitUsage, "--turnaround takes milliseconds"},
    {{"--turnaround", "soon", "--simulate", "scan-stations"}, kExitUsage, "--turnaround takes milliseconds"},
    // --trace-file: added to, never truncated; a file that cannot take it is 1
    {{"--trace-file", "", "--simulate", "read", "4SXY"}, kExitUsage, "--trace-file takes a file name"},
    {{"--trace-file", "{dir}", "--simulate", "read", "4SXY"}, kExitErrorBox, "cannot write the trace: "},
    {{"--trace-file", kHugeName, "--simulate", "read", "4SXY"}, kExitErrorBox, "File name too long"},
    {{"--trace-file", "/dev/full", "--simulate", "read", "4SXY"}, kExitErrorBox,
     "dolvane-cli: the trace could not be written: /dev/full: No space left on device"},
    {{"--trace-file", "{fifo}", "--simulate", "read", "4SXY"}, kExitErrorBox, "a FIFO that no program reads"},
    {{"--trace-file", "{readonly.csv}", "--simulate", "read", "4SXY"}, kExitErrorBox, "Permission denied", {}, {},
     true},
    {{"--trace-file", "{notes.txt}", "--simulate", "read", "4SXY"}, kExitDone, "", {"notes.txt"}},
    {{"--trace-file", "{new.txt}", "--simulate", "read", "4SXY"}, kExitDone, "", {}, {"new.txt"}},
    // poll: --interval, --count
    {Poll({"--interval", ""}), kExitUsage, "--interval takes milliseconds"},
    {Poll({"--interval", kHuge}), kExitUsage, "--interval takes milliseconds"},
    {Poll({"--interval", "-1"}), kExitUsage, "--interval takes milliseconds"},
    {Poll({"--interval", "1s"}), kExitUsage, "--interval takes milliseconds"},
    {Poll({"--count", ""}), kExitUsage, "--count takes a number of polls"},
    {Poll({"--count", kHuge}), kExitUsage, "--count takes a number of polls"},
    {Poll({"--count", "-1"}), kExitUsage, "--count takes a number of polls"},
    {Poll({"--count", "many"}), kExitUsage, "--count takes a number of polls"},
    // poll: --csv and --new
    {Poll({"--csv", ""}), kExitUsage, "--csv takes a file name"},
    {Poll({"--csv", "{dir}"}), kExitErrorBox, "dolvane-cli: cannot write the log: "},
    {Poll({"--csv", kHugeName}), kExitErrorBox, "File name too long"},
    {Poll({"--csv", "/dev/full"}), kExitErrorBox, "cannot write the log: /dev/full: No space left on device"},
    {Poll({"--csv", "{fifo}"}), kExitErrorBox, "a FIFO that no program reads"},
    {Poll({"--csv", "{readonly.csv}"}), kExitErrorBox, "Permission denied", {}, {}, true},
    {Poll({"--csv", "{other.csv}"}), kExitUsage, "other.csv holds a log of other columns; name another file"},
    {Poll({"--csv", "{notes.txt}"}), kExitUsage, "notes.txt holds something other than a log"},
    {Poll({"--csv", "{log.csv}"}), kExitDone, "", {"log.csv"}},
    {Poll({"--csv", "{link.csv}"}), kExitDone, "", {"log.csv"}},
    {Poll({"--csv", "{log.csv}", "--new"}), kExitUsage, "log.csv: exists already (--new starts only a new file)"},
    {Poll({"--csv", "/dev/null", "--new"}), kExitUsage, "exists already"},
    {Poll({"--csv", "{new.csv}", "--new"}), kExitDone, "", {}, {"new.csv"}},
    {Poll({"--new"}), kExitUsage, "--new goes with --csv FILE"},
    // one file, one purpose
    {TracedPoll("{log.csv}", {"--csv", "{log.csv}"}), kExitUsage, "--csv and --trace-file name the same file"},
    {TracedPoll("{log.csv}", {"--csv", "{link.csv}"}), kExitUsage, "--csv and --trace-file name the same file"},
    {TracedPoll("{dir}/../new.csv", {"--csv", "{new.csv}"}), kExitUsage,
     "--csv and --trace-file name the same file"},
    {TracedPoll("/dev/null", {"--csv", "/dev/null"}), kExitDone, ""},
    {TracedPoll("{trace.txt}", {"--csv", "{log.csv}"}), kExitDone, "", {"log.csv"}, {"trace.txt"}},
    // operands
    {{"--simulate", "read", ""}, kExitUsage, "unknown model"},
    {{"--simulate", "read-registers", "", "1"}, kExitDone, ""},  // the window reads an empty start as 0
    {{"--simulate", "read-registers", "0", kHuge}, kExitErrorBox, "提示: "},
    {{"--simulate", "read-registers", "-1", "1"}, kExitErrorBox, "提示: "},
    {{"--simulate", "poll-registers", "-1", "3"}, kExitUsage, "poll-registers needs START"},
    {{"--simulate", "poll-registers", "0", kHuge}, kExitUsage, "poll-registers needs START"},
    {{"--simulate", "scan-stations", "", "5"}, kExitUsage, "a station is 1 to 247"},
    {{"--simulate", "scan-stations", "1", kHuge}, kExitUsage, "a station is 1 to 247"},
    {{"--simulate", "detect-line", "-1"}, kExitUsage, "a station is 1 to 247"},
    {{"--simulate", "detect-line", "x"}, kExitUsage, "a station is 1 to 247"},
};

TEST_F(HostileInputTest, EachCaseEndsAsDocumentedAndChangesOnlyItsFiles) {
  const bool root = ::geteuid() == 0;
  for (const Case& c : kCases) {
    std::vector<std::string> args;
    for (const std::string& a : c.args) args.push_back(Expand(a));
    SCOPED_TRACE(::testing::PrintToString(args));
    if (root && c.writesWhereRootMay) {
      std::cout << "[ skipped  ] as root, which may write a read-only file: " << ::testing::PrintToString(c.args)
                << "\n";
      continue;
    }
    const std::map<std::string, std::string> before = Snapshot();
    const CliRun run = RunCliProgram(args);
    EXPECT_EQ(run.status, c.status) << run.err;
    if (c.message.empty()) {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    if (c.status == kExitUsage) {
      EXPECT_EQ(run.out, "");
    }

    std::map<std::string, std::string> after = Snapshot();
    for (const std::string& name : c.created) {
      EXPECT_EQ(after.count(name), 1u) << name << " was not created";
      after.erase(name);
      fs::remove(Path(name));
    }
    for (const auto& [name, text] : before) {
      ASSERT_EQ(after.count(name), 1u) << name << " is gone";
      if (c.grows.count(name)) {
        EXPECT_GT(after[name].size(), text.size()) << name;
        EXPECT_EQ(after[name].substr(0, text.size()), text) << name << " lost what it held";
        Put(name, text);
      } else {
        EXPECT_EQ(after[name], text) << name << " changed";
      }
      after.erase(name);
    }
    for (const auto& [name, text] : after) {
      ADD_FAILURE() << name << " was left behind";
      fs::remove(Path(name));
    }
  }
}

}  // namespace
