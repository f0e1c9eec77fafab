// The journal's file: each write begun on disk, then completed; read back in
// pairs, filtered, exported.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "journal/journal_file.h"
#include "journal/journal_records.h"

namespace {

namespace fs = std::filesystem;

// A folder of the test's own (std::filesystem only, so the suite runs on Windows too).
class JournalFolder {
 public:
  JournalFolder() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("dolvane-journal-" + std::to_string(random()) + std::to_string(random()));
    fs::create_directories(path_);
  }
  ~JournalFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

JournalContents Read(const std::string& path) {
  std::string problem;
  const std::optional<JournalContents> contents = ReadJournal(path, &problem);
  EXPECT_TRUE(contents) << problem;
  return contents.value_or(JournalContents{});
}

JournalEntry WriteOf(int station, uint16_t start, std::vector<uint16_t> values) {
  JournalEntry entry;
  entry.operation = "write-registers";
  entry.port = "COM5";
  entry.baudRate = 19200;
  entry.lineFormat = "E,8,1";
  entry.station = station;
  entry.start = start;
  entry.values = std::move(values);
  return entry;
}

// The begin line alone is a write whose outcome never reached the disk: what a
// crash between the two leaves. The end completes that same entry.
TEST(JournalFileTest, ABegunWriteReadsUnfinishedUntilItsEndIsOnDisk) {
  JournalFolder folder;
  const std::string path = folder.file("deep/er/journal.jsonl");  // folders made as needed
  JournalFile journal(path);
  JournalEntry entry = WriteOf(7, 20, {1, 65535});
  entry.model = "4SXY";
  entry.before = std::vector<uint16_t>{0, 9};
  std::string problem;
  ASSERT_TRUE(journal.begin(entry, &problem)) << problem;

  JournalContents contents = Read(path);
  ASSERT_EQ(contents.records.size(), 1u);
  EXPECT_FALSE(contents.records[0].outcome);
  EXPECT_EQ(ListingLine(contents.records[0]).substr(23),
            "  COM5 19200 E,8,1  station 7 4SXY  write-registers  20=1,65535 (was 0,9)  UNFINISHED");

  ASSERT_TRUE(journal.end({WriteResult::kException, "异常响应：功能码 0x90，异常码 0x01（非法功能）"}, &problem));
  contents = Read(path);
  ASSERT_EQ(contents.records.size(), 1u);
  const JournalRecord& record = contents.records[0];
  ASSERT_TRUE(record.outcome);
  EXPECT_EQ(record.outcome->result, WriteResult::kException);
  EXPECT_EQ(record.entry.values, (std::vector<uint16_t>{1, 65535}));
  EXPECT_EQ(record.entry.before, (std::vector<uint16_t>{0, 9}));
  EXPECT_LE(record.begun, record.ended);
  EXPECT_EQ(ListingLine(record).substr(ListingLine(record).find("(was")),
            "(was 0,9)  exception: 异常响应：功能码 0x90，异常码 0x01（非法功能）");
  EXPECT_EQ(contents.damagedLines, 0u);
}

// Two consoles on one file, a line cut off by a crash and one whose word no
// register holds: every whole entry pairs with its own end, the others are
// counted and skipped.
TEST(JournalFileTest, EntriesOfTwoWritersPairByIdAndACutLineIsSkipped) {
  JournalFolder folder;
  const std::string path = folder.file("journal.jsonl");
  JournalFile first(path), second(path);
  std::string problem;
  ASSERT_TRUE(first.begin(WriteOf(1, 0, {1}), &problem));
  ASSERT_TRUE(second.begin(WriteOf(2, 0, {2}), &problem));
  ASSERT_TRUE(second.end({WriteResult::kNoReply, "无应答（等待 1025 ms）"}, &problem));
  ASSERT_TRUE(first.end({WriteResult::kConfirmed, ""}, &problem));
  std::ofstream(path, std::ios::app | std::ios::binary)
      << R"({"id":"y","event":"begin","values":[70000]})" << "\n" << R"({"id":"x","event":"beg)";

  const JournalContents contents = Read(path);
  ASSERT_EQ(contents.records.size(), 2u);
  EXPECT_NE(contents.records[0].id, contents.records[1].id);
  EXPECT_EQ(contents.records[0].entry.station, 1);
  EXPECT_EQ(contents.records[0].outcome->result, WriteResult::kConfirmed);
  EXPECT_EQ(contents.records[1].outcome->result, WriteResult::kNoReply);
  EXPECT_EQ(contents.damagedLines, 2u);
}

// A journal that cannot be written refuses the write, saying where and why; a
// missing file is an empty journal.
TEST(JournalFileTest, AJournalThatCannotBeWrittenRefusesTheWrite) {
  JournalFolder folder;
  const std::string blocker = folder.file("plain-file");
  std::ofstream(blocker) << "x";
  for (const std::string& path : {blocker + "/journal.jsonl", std::string()}) {
    SCOPED_TRACE(path);
    JournalFile journal(path);
    std::string problem;
    EXPECT_FALSE(journal.begin(WriteOf(1, 0, {1}), &problem));
    EXPECT_NE(problem.find(path.empty() ? "DOLVANE_JOURNAL" : "cannot write " + path), std::string::npos)
        << problem;
  }
  EXPECT_TRUE(Read(folder.file("none.jsonl")).records.empty());
}

TEST(JournalFileTest, SinceTakesADateWithOrWithoutTheTime) {
  const struct {
    const char* text;
    const char* since;  // nullptr: refused
  } kCases[] = {
      {"2026-12-11", "2026-12-11 00:00:00"},       {"2026-12-11 08:30", "2026-12-11 08:30:00"},
      {"2026-12-11T08:30:15", "2026-12-11 08:30:15"}, {"2026-13-01", nullptr},
      {"2026-12-11 24:00", nullptr},               {"2026-12-11 08:30:1", nullptr},
      {"11.12.2026", nullptr},                     {"", nullptr},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    const std::optional<std::string> since = SinceOf(c.text);
    if (c.since) EXPECT_EQ(since, c.since);
    else EXPECT_FALSE(since);
  }
}

JournalRecord RecordAt(const std::string& begun, int station, std::optional<WriteOutcome> outcome) {
  JournalRecord record;
  record.begun = begun;
  record.entry = WriteOf(station, 3, {1});
  record.outcome = std::move(outcome);
  return record;
}

TEST(JournalFileTest, FiltersKeepTheStationAndTheTimeAsked) {
  const std::vector<JournalRecord> records = {RecordAt("2026-12-10 23:59:59.999", 1, std::nullopt),
                                              RecordAt("2026-12-11 00:00:00.000", 2, std::nullopt),
                                              RecordAt("2026-12-11 09:00:00.000", 1, std::nullopt)};
  auto begunOf = [](const std::vector<JournalRecord>& kept) {
    std::vector<std::string> times;
    for (const JournalRecord& r : kept) times.push_back(r.begun.substr(0, 10));
    return times;
  };
  EXPECT_EQ(begunOf(Filtered(records, {1, ""})), (std::vector<std::string>{"2026-12-10", "2026-12-11"}));
  EXPECT_EQ(Filtered(records, {std::nullopt, "2026-12-11 00:00:00"}).size(), 2u);
  EXPECT_EQ(Filtered(records, {1, "2026-12-11 00:00:00"}).size(), 1u);
  EXPECT_EQ(Filtered(records, {}).size(), 3u);
}

TEST(JournalFileTest, CsvHasAColumnPerFieldAndQuotesWhatNeedsIt) {
  JournalRecord mismatch = RecordAt("2026-12-11 09:00:00.000", 1, WriteOutcome{WriteResult::kMismatch, "站号 \"2\", 应为 1"});
  mismatch.entry.values = {1, 2};
  mismatch.ended = "2026-12-11 09:00:00.020";
  const std::string csv = JournalCsv({mismatch, RecordAt("2026-12-11 09:01:00.000", 0, std::nullopt)});
  EXPECT_EQ(csv,
            "begun,ended,port,baud,format,station,model,operation,start,values,before,before_problem,result,fact\r\n"
            "2026-12-11 09:00:00.000,2026-12-11 09:00:00.020,COM5,19200,\"E,8,1\",1,,write-registers,3,1 2,,,mismatch,"
            "\"站号 \"\"2\"\", 应为 1\"\r\n"
            "2026-12-11 09:01:00.000,,COM5,19200,\"E,8,1\",0,,write-registers,3,1,,,unfinished,\r\n");
}

}  // namespace
