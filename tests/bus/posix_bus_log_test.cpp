// The bus log on a file: the monitor log's rules (continued when it holds this
// log, refused and left as it is otherwise), each row on the file as it is written.
#include <gtest/gtest.h>

#include <fstream>

#include "bus/bus_log.h"
#include "models/model_registry.h"
#include "support/temp_file.h"

namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

BusFile TwoModules() {
  BusFile bus;
  bus.modules.push_back({.station = 4, .model = FindModel("4SXY"), .name = "进线, 东"});
  bus.modules.push_back({.station = 9, .model = FindModel("3RX")});
  return bus;
}

PollResult TimedOut(int station) {
  PollResult result;
  result.status = PollStatus::kTimeout;
  result.station = station;
  return result;
}

std::unique_ptr<BusLog> Continue(const std::string& path, BusLogLayout layout, std::string* error, bool* refused) {
  std::unique_ptr<LogFile> file = LogFile::Open(path, LogFile::Create::kIfMissing, error);
  return file ? BusLog::Continue(std::move(file), TwoModules(), layout, error, refused) : nullptr;
}

TEST(BusLogFile, ContinuesItsOwnLogAndRefusesAnyOther) {
  for (BusLogLayout layout : {BusLogLayout::kRowPerModule, BusLogLayout::kRowPerCycle}) {
    const std::string header = BusLogHeader(TwoModules(), layout);
    // A crash left half a row: the next starts on a line of its own.
    TempFile file(header + "\r\n2026-12-10T09:00:00.000,4,cut sh");
    std::string error;
    bool refused = true;
    std::unique_ptr<BusLog> log = Continue(file.path(), layout, &error, &refused);
    ASSERT_TRUE(log) << error;
    EXPECT_FALSE(refused);
    log->write(0, TimedOut(4));
    log->write(1, TimedOut(9));
    log->endCycle(std::chrono::system_clock::now());
    log.reset();
    const std::string text = Contents(file.path());
    const size_t newRows = text.find("cut sh\r\n");
    ASSERT_NE(newRows, std::string::npos) << text;
    const std::string rows = text.substr(newRows + 8);
    if (layout == BusLogLayout::kRowPerModule) {
      EXPECT_NE(rows.find(",4,\"进线, 东\",4SXY,timeout,"), std::string::npos) << rows;
      EXPECT_NE(rows.find(",9,,3RX,timeout,"), std::string::npos) << rows;
    } else {
      EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 1) << rows;
      EXPECT_EQ(std::count(rows.begin(), rows.end(), ','), std::count(header.begin(), header.end(), ',')) << rows;
    }
  }
  for (const char* other : {"time,station,status,r0\r\n", "{\"format\": 1}\n"}) {
    TempFile file(other);
    std::string error;
    bool refused = false;
    EXPECT_FALSE(Continue(file.path(), BusLogLayout::kRowPerModule, &error, &refused));
    EXPECT_TRUE(refused) << error;
    EXPECT_EQ(Contents(file.path()), other);
  }
}

}  // namespace
