#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "monitor/csv_log.h"
#include "support/temp_file.h"

namespace {

const std::vector<QuantityColumn> kColumns = {
    {"ch1.i", "通道一 电流", "A"}, {"ch1.ct", "通道一 电流变比", ""}, {"odd", "a, \"b\"", "%"}};

PollResult Row(PollStatus status, std::vector<Quantity> quantities = {}) {
  PollResult r;
  r.status = status;
  r.station = 7;
  r.wallClock = std::chrono::system_clock::time_point(std::chrono::milliseconds(1'700'000'000'250));
  r.quantities = std::move(quantities);
  return r;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(CsvLog, HeaderAndRows) {
  std::ostringstream out;
  CsvLog log(out, kColumns);
  EXPECT_EQ(out.str(), "time,station,status,通道一 电流 (A),通道一 电流变比,\"a, \"\"b\"\" (%)\"\r\n");
  // Values by key, in column order; a key outside the columns is dropped.
  EXPECT_TRUE(log.write(Row(PollStatus::kOk, {{"ch1.ct", "", "", 100}, {"x", "", "", 1}, {"ch1.i", "", "", -2.5}})));
  PollResult exception = Row(PollStatus::kException);
  exception.exceptionCode = 4;
  EXPECT_TRUE(log.write(exception));
  EXPECT_TRUE(log.write(Row(PollStatus::kTimeout)));
  const std::vector<std::string> lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 4u);
  const std::string stamp = IsoLocalTime(Row(PollStatus::kOk).wallClock);
  EXPECT_EQ(lines[1], stamp + ",7,ok,-2.5,100,\r");
  EXPECT_EQ(lines[2], stamp + ",7,exception 0x04,,,\r");
  EXPECT_EQ(lines[3], stamp + ",7,timeout,,,\r");
}

TEST(CsvLog, LocalTimeWithMilliseconds) {
  const std::regex iso(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.250)");
  EXPECT_TRUE(std::regex_match(IsoLocalTime(Row(PollStatus::kOk).wallClock), iso));
  EXPECT_EQ(CsvNumber(220.01), "220.01");
  EXPECT_EQ(CsvNumber(-0.9), "-0.9");
  EXPECT_EQ(CsvNumber(65538), "65538");
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Each row is in the file as soon as it is written.
TEST(CsvLogFile, RowsReachTheFileAtOnceAndAppendKeepsThem) {
  const TempFile file;
  const std::string& path = file.path();
  std::string error;
  auto log = CsvLog::OpenFile(path, kColumns, CsvLog::FileMode::kAppend, &error);
  ASSERT_TRUE(log) << error;
  log->write(Row(PollStatus::kCrc));
  EXPECT_EQ(Lines(Contents(path)).size(), 2u);
  log.reset();

  // Logging switched on again: the earlier rows stay, no second header.
  log = CsvLog::OpenFile(path, kColumns, CsvLog::FileMode::kAppend, &error);
  ASSERT_TRUE(log) << error;
  log->write(Row(PollStatus::kShort));
  const std::vector<std::string> lines = Lines(Contents(path));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[1].find(",crc,"), std::string::npos);
  EXPECT_NE(lines[2].find(",short,"), std::string::npos);

  // A file with another log in it is not mixed into.
  EXPECT_FALSE(CsvLog::OpenFile(path, {{"r0", "r0", ""}}, CsvLog::FileMode::kAppend, &error));
  EXPECT_NE(error.find("other columns"), std::string::npos);
  EXPECT_FALSE(CsvLog::OpenFile("/nonexistent-dir/log.csv", kColumns, CsvLog::FileMode::kAppend, &error));
}

// What an existing file holds decides: continued, started, or refused and left
// byte for byte as it was.
TEST(CsvLogFile, AppendingChecksWhatTheFileHolds) {
  const std::string header = CsvHeader(kColumns);
  const std::string row = "2026-12-10T09:41:07.250,7,ok,1,2,3";
  const struct {
    const char* name;
    std::string before;
    bool accepted;
    const char* problem;
    std::string keptPrefix;  // what the file starts with afterwards, when accepted
  } cases[] = {
      {"empty", "", true, "", header + "\r\n"},
      {"same columns", header + "\r\n" + row + "\r\n", true, "", header + "\r\n" + row + "\r\n"},
      {"same columns, LF ends", header + "\n" + row + "\n", true, "", header + "\n" + row + "\n"},
      // A row cut short (a crash, a full disk) is ended before the next one.
      {"last row cut short", header + "\r\n" + row.substr(0, 30), true, "",
       header + "\r\n" + row.substr(0, 30) + "\r\n"},
      {"header alone, no line end", header, true, "", header + "\r\n"},
      // Cut between CR and LF: only the LF is missing.
      {"header cut before its LF", header + "\r", true, "", header + "\r\n"},
      {"last row cut before its LF", header + "\r\n" + row + "\r", true, "", header + "\r\n" + row + "\r\n"},
      {"other columns", "time,station,status,r0\r\n" + row + "\r\n", false, "holds a log of other columns", ""},
      {"plain text", "shopping list\nmilk\n", false, "holds something other than a log", ""},
      {"a header cut short", header.substr(0, 10), false, "holds something other than a log", ""},
      {"binary", std::string("\0\x01\xff\n", 4), false, "holds something other than a log", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TempFile file(c.before);
    std::string error;
    bool refused = true;
    auto log = CsvLog::OpenFile(file.path(), kColumns, CsvLog::FileMode::kAppend, &error, &refused);
    EXPECT_EQ(bool(log), c.accepted) << error;
    if (!c.accepted) {
      EXPECT_TRUE(refused);
      EXPECT_NE(error.find(c.problem), std::string::npos) << error;
      EXPECT_EQ(Contents(file.path()), c.before);
      continue;
    }
    ASSERT_TRUE(log->write(Row(PollStatus::kTimeout)));
    const std::string after = Contents(file.path());
    ASSERT_EQ(after.rfind(c.keptPrefix, 0), 0u) << after;
    EXPECT_EQ(after.substr(c.keptPrefix.size()), IsoLocalTime(Row(PollStatus::kOk).wallClock) + ",7,timeout,,,\r\n");
  }
}

TEST(CsvLogFile, NewStartsOnlyAFileThatDoesNotExist) {
  const TempFolder folder;
  const std::string path = folder.path() + "/log.csv";
  std::string error;
  bool refused = false;
  ASSERT_TRUE(CsvLog::OpenFile(path, kColumns, CsvLog::FileMode::kNew, &error, &refused)) << error;
  EXPECT_EQ(Contents(path), CsvHeader(kColumns) + "\r\n");
  for (const std::string& existing : {path, std::string("/dev/null")}) {
    EXPECT_FALSE(CsvLog::OpenFile(existing, kColumns, CsvLog::FileMode::kNew, &error, &refused)) << existing;
    EXPECT_TRUE(refused);
  }
  EXPECT_EQ(Contents(path), CsvHeader(kColumns) + "\r\n");
}

// Not a regular file: nothing to read back; a device that cannot take the
// header fails at once; a FIFO without a reader is refused without waiting.
TEST(CsvLogFile, DevicesFifosAndFolders) {
  std::string error;
  bool refused = true;
  EXPECT_TRUE(CsvLog::OpenFile("/dev/null", kColumns, CsvLog::FileMode::kAppend, &error));
  EXPECT_FALSE(CsvLog::OpenFile("/dev/full", kColumns, CsvLog::FileMode::kAppend, &error, &refused));
  EXPECT_FALSE(refused);
  EXPECT_NE(error.find("No space left on device"), std::string::npos) << error;

  const TempFolder folder;
  EXPECT_FALSE(CsvLog::OpenFile(folder.path(), kColumns, CsvLog::FileMode::kAppend, &error, &refused));
  EXPECT_FALSE(refused);
  EXPECT_NE(error.find("Is a directory"), std::string::npos) << error;

  const std::string fifo = folder.path() + "/fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(CsvLog::OpenFile(fifo, kColumns, CsvLog::FileMode::kAppend, &error, &refused));
  EXPECT_FALSE(refused);
  EXPECT_NE(error.find("no program reads"), std::string::npos) << error;

  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  auto log = CsvLog::OpenFile(fifo, kColumns, CsvLog::FileMode::kAppend, &error);
  ASSERT_TRUE(log) << error;
  char text[512];
  const ssize_t n = ::read(reader, text, sizeof text);
  EXPECT_EQ(std::string(text, n > 0 ? size_t(n) : 0), CsvHeader(kColumns) + "\r\n");
  ::close(reader);
  // As the programs do: a reader gone is a failed write, not SIGPIPE.
  void (*const old)(int) = ::signal(SIGPIPE, SIG_IGN);
  EXPECT_FALSE(log->write(Row(PollStatus::kOk)));
  ::signal(SIGPIPE, old);
  EXPECT_NE(log->error().find("its reader has closed it"), std::string::npos) << log->error();
}

TEST(CsvLog, AFailedOutputIsReported) {
  std::ostringstream out;
  CsvLog log(out, kColumns);
  out.setstate(std::ios::badbit);
  EXPECT_FALSE(log.write(Row(PollStatus::kOk)));
}

}  // namespace
