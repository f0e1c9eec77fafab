#include <gtest/gtest.h>

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
  auto log = CsvLog::OpenFile(path, kColumns, CsvLog::FileMode::kTruncate, &error);
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
  EXPECT_FALSE(CsvLog::OpenFile("/nonexistent-dir/log.csv", kColumns, CsvLog::FileMode::kTruncate, &error));
}

TEST(CsvLog, AFailedOutputIsReported) {
  std::ostringstream out;
  CsvLog log(out, kColumns);
  out.setstate(std::ios::badbit);
  EXPECT_FALSE(log.write(Row(PollStatus::kOk)));
}

}  // namespace
