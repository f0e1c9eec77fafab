// Every write the operations send is journalled: begun on disk before the frame
// goes, completed with its outcome after. Run whole: Operations, the POSIX
// serial back end on a pseudo-terminal and simulated modules.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config/comm_params.h"
#include "journal/journal_file.h"
#include "journal/journal_records.h"
#include "modbus/pdu.h"
#include "support/bus_fixture.h"
#include "support/models.h"
#include "support/temp_file.h"

namespace {

// The journal file, with a look at the disk and the bus at the moment a write
// has been begun and at the moment its end is about to be written.
class WatchedJournal : public WriteJournal {
 public:
  WatchedJournal(const std::string& path, std::function<void(const char* moment)> watch)
      : file_(path), watch_(std::move(watch)) {}
  bool begin(const JournalEntry& entry, std::string* problem) override {
    const bool ok = file_.begin(entry, problem);
    if (ok) watch_("begun");
    return ok;
  }
  bool end(const WriteOutcome& outcome, std::string* problem) override {
    watch_("ending");
    return file_.end(outcome, problem);
  }

 private:
  JournalFile file_;
  std::function<void(const char*)> watch_;
};

class JournalOnBus : public BusFixture {
 protected:
  TempFolder folder;
  const std::string path = folder.path() + "/journal.jsonl";

  void SetUp() override {
    BusFixture::SetUp();
    AddModule(Module(1, "4SXY", 9600, 0, true));
    AddModule(Module(2));  // write-protected, as modules start
    AddModule(Module(3, "4SXY", 9600, 0, true));
    AddModule(Module(4, "4SXY", 9600, 0, true));
    OpenBus();
    bus->setRegisters(1, {{20, 11}, {21, 12}});
    bus->clearReceived();
  }

  void JournalTo(const std::string& file, bool readBefore = false) {
    ops.journalWrites(std::make_unique<JournalFile>(file), readBefore);
  }

  void Press(const std::string& station, int control, const std::map<int, std::string>& fields = {}) {
    console.fields[ids::kStation] = station;
    for (const auto& [id, text] : fields) console.fields[id] = text;
    console.boxes.clear();
    console.press(ops, control);
  }

  std::vector<JournalRecord> Records() const {
    std::string problem;
    const std::optional<JournalContents> contents = ReadJournal(path, &problem);
    EXPECT_TRUE(contents) << problem;
    return contents ? contents->records : std::vector<JournalRecord>{};
  }

  // The function codes of the frames that reached the bus, in order.
  std::vector<int> FunctionsReceived() const {
    std::vector<int> functions;
    for (const auto& frame : bus->receivedFrames()) functions.push_back(frame.size() > 1 ? frame[1] : -1);
    return functions;
  }
};

const std::map<int, std::string> kRegister20Is7 = {{ids::kWriteAddress, "20"}, {ids::kWriteValue, "7"}};

TEST_F(JournalOnBus, TheEntryIsOnDiskBeforeTheFrameGoesAndCompletedAfterItsReply) {
  std::vector<std::string> seen;
  ops.journalWrites(std::make_unique<WatchedJournal>(path, [&](const char* moment) {
                      const std::vector<JournalRecord> records = Records();
                      const bool unfinished = records.size() == 1 && !records[0].outcome;
                      seen.push_back(std::string(moment) + (unfinished ? " unfinished" : " ?") + " frames " +
                                     std::to_string(bus->receivedFrames().size()));
                    }),
                    false);
  Press("1", ids::kWriteRegister, kRegister20Is7);
  EXPECT_EQ(seen, (std::vector<std::string>{"begun unfinished frames 0", "ending unfinished frames 1"}));
  const std::vector<JournalRecord> records = Records();
  ASSERT_EQ(records.size(), 1u);
  ASSERT_TRUE(records[0].outcome);
  EXPECT_EQ(records[0].outcome->result, WriteResult::kConfirmed);
  EXPECT_EQ(records[0].entry.port, bus->devicePath());
  EXPECT_EQ(records[0].entry.baudRate, 9600);
  EXPECT_EQ(records[0].entry.lineFormat, "N,8,1");
}

TEST_F(JournalOnBus, EachKindOfWriteIsJournalledWithItsResult) {
  JournalTo(path);
  const struct Case {
    const char* name;
    const char* station;
    int control;
    std::map<int, std::string> fields;
    std::optional<SimFault> fault;
    const char* operation;
    int start;
    std::vector<uint16_t> values;
    WriteResult result;
    const char* fact;  // part of it
  } kCases[] = {
      {"confirmed", "1", ids::kWriteRegister, kRegister20Is7, {}, "write-register", 20, {7}, WriteResult::kConfirmed, ""},
      {"protected", "2", ids::kWriteRegister, kRegister20Is7, {}, "write-register", 20, {7}, WriteResult::kException,
       "异常码 0x01"},
      {"broadcast", "0", ids::kWriteRegister, kRegister20Is7, {}, "write-register", 20, {7}, WriteResult::kBroadcast, ""},
      {"silent", "9", ids::kWriteRegister, kRegister20Is7, {}, "write-register", 20, {7}, WriteResult::kNoReply, "无应答"},
      {"bad crc", "1", ids::kWriteRegister, kRegister20Is7, SimFault::kBadCrc, "write-register", 20, {7},
       WriteResult::kCorrupt, ""},
      {"block", "1", ids::kWriteRegisters,
       {{ids::kWriteStart, "20"}, {ids::kWriteCount, "2"}, {ids::kWriteValues[0], "5"}, {ids::kWriteValues[1], "6"}},
       {}, "write-registers", 20, {5, 6}, WriteResult::kConfirmed, ""},
      {"allow", "2", ids::kAllowWrite, {}, {}, "allow-write", 3, {0x8000}, WriteResult::kConfirmed, ""},
      {"forbid", "3", ids::kForbidWrite, {}, {}, "forbid-write", 3, {0xC000}, WriteResult::kConfirmed, ""},
      {"comm", "4", ids::kChangeCommParams, {{ids::kNewStation, "5"}}, {}, "change-comm", 3, {0x0005},
       WriteResult::kConfirmed, ""},
  };
  console.combos[ids::kNewBaud] = 3;  // 9600
  console.combos[ids::kNewFormat] = 0;
  size_t count = 0;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    if (c.fault) bus->injectFault(1, *c.fault, 1);
    Press(c.station, c.control, c.fields);
    bus->waitUntilSent();
    const std::vector<JournalRecord> records = Records();
    ASSERT_EQ(records.size(), ++count);
    const JournalRecord& r = records.back();
    EXPECT_EQ(r.entry.operation, c.operation);
    EXPECT_EQ(r.entry.station, std::stoi(c.station));
    EXPECT_EQ(r.entry.start, c.start);
    EXPECT_EQ(r.entry.values, c.values);
    EXPECT_FALSE(r.entry.before);  // not asked for
    ASSERT_TRUE(r.outcome);
    EXPECT_EQ(ResultName(r.outcome->result), std::string(ResultName(c.result)));
    EXPECT_NE(r.outcome->fact.find(c.fact), std::string::npos) << r.outcome->fact;
  }
}

TEST_F(JournalOnBus, ReadBeforeWriteJournalsTheWordsReplacedAndStillWrites) {
  JournalTo(path, true);
  Press("1", ids::kWriteRegisters,
        {{ids::kWriteStart, "20"}, {ids::kWriteCount, "2"}, {ids::kWriteValues[0], "5"}, {ids::kWriteValues[1], "6"}});
  Press("9", ids::kWriteRegister, kRegister20Is7);  // nobody there: no words, the write still goes
  Press("0", ids::kWriteRegister, kRegister20Is7);  // a broadcast reads nothing
  bus->waitUntilSent();
  EXPECT_EQ(FunctionsReceived(), (std::vector<int>{kReadHoldingRegisters, kWriteMultipleRegisters,
                                                   kReadHoldingRegisters, kWriteSingleRegister, kWriteSingleRegister}));
  const std::vector<JournalRecord> records = Records();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].entry.before, (std::vector<uint16_t>{11, 12}));
  EXPECT_EQ(bus->registerValue(1, 21), 6);  // (20 is the broadcast's now)
  EXPECT_FALSE(records[1].entry.before);
  EXPECT_EQ(records[1].entry.beforeProblem.rfind("no-reply: 无应答", 0), 0u) << records[1].entry.beforeProblem;
  EXPECT_EQ(records[1].outcome->result, WriteResult::kNoReply);
  EXPECT_FALSE(records[2].entry.before);
  EXPECT_EQ(records[2].entry.beforeProblem, "");
}

// Nothing goes on the line that the journal has not taken: the box says why.
TEST_F(JournalOnBus, AWriteTheJournalCannotTakeIsNotSent) {
  TempFile plain("x");
  JournalTo(plain.path() + "/journal.jsonl");
  for (int control : {ids::kWriteRegister, ids::kAllowWrite, ids::kCommReset}) {
    SCOPED_TRACE(control);
    Press("1", control, kRegister20Is7);
    ASSERT_EQ(console.boxes.size(), control == ids::kWriteRegister ? 1u : 2u);  // the others ask first
    const std::string box = console.boxes.back().text;
    EXPECT_EQ(box.rfind(std::string(kJournalUnwritable) + "cannot write " + plain.path() + "/journal.jsonl", 0), 0u)
        << box;
  }
  EXPECT_TRUE(bus->receivedFrames().empty());
}

TEST_F(JournalOnBus, AModelReadAtAStationNamesItInTheStationsEntries) {
  JournalTo(path);
  Press("1", ids::kRead4SXY);
  Press("1", ids::kWriteRegister, kRegister20Is7);
  Press("2", ids::kWriteRegister, kRegister20Is7);
  const std::vector<JournalRecord> records = Records();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].entry.model, "4SXY");
  EXPECT_EQ(records[1].entry.model, "");
}

// The scan is one entry: its broadcasts on every line, then its confirmation.
TEST_F(JournalOnBus, TheResetScanIsOneEntryEndedByItsConfirmation) {
  JournalTo(path);
  Press("1", ids::kCommReset);
  const std::vector<JournalRecord> records = Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].entry.operation, "reset-scan");
  EXPECT_EQ(records[0].entry.station, 0);
  EXPECT_EQ(records[0].entry.values, (std::vector<uint16_t>{1}));
  EXPECT_EQ(ListingLine(records[0]).find(" every line  station 0 (broadcast)  reset-scan  3=1  confirmed"),
            23 + bus->devicePath().size() + 2)
      << ListingLine(records[0]);
}

}  // namespace
