#include "tools/traffic_rows.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "modbus/frames.h"

namespace {

std::vector<uint8_t> Sealed(std::vector<uint8_t> bytes) {
  const auto n = static_cast<uint32_t>(bytes.size());
  bytes.resize(n + 2);
  PlaceCrc(bytes.data(), n);
  return bytes;
}

// A request to `station` as it went on the wire.
TrafficRecord Request(uint8_t station) {
  TrafficRecord r;
  r.bytes = Sealed({station, 0x03, 0x00, 0x00, 0x00, 0x01});
  r.expected = r.bytes.size();
  r.baudRate = 9600;
  return r;
}

TrafficRecord Reply(std::vector<uint8_t> bytes, TrafficEnd end = TrafficEnd::kComplete) {
  TrafficRecord r;
  r.direction = TrafficDirection::kRx;
  r.bytes = std::move(bytes);
  r.expected = 7;
  r.timeoutMs = 66;
  r.end = end;
  return r;
}

std::vector<TrafficRecord> Requests(uint8_t first, uint8_t last) {
  std::vector<TrafficRecord> records;
  for (int station = first; station <= last; ++station) records.push_back(Request(static_cast<uint8_t>(station)));
  return records;
}

uint8_t StationOfRow(const TrafficRows& rows, size_t index) { return rows.row(index).record.bytes[0]; }

}  // namespace

TEST(TrafficRow, CellsAndWhichRepliesFailed) {
  struct Case {
    const char* what;
    TrafficRecord record;
    bool failed;
  };
  TrafficRecord mismatch = Reply(Sealed({0x02, 0x03, 0x02, 0x02, 0xBC}));
  mismatch.request = Request(1).bytes;
  TrafficRecord discarded = Reply({0x55, 0x55});
  discarded.discarded = true;
  TrafficRecord unwritten = Request(1);
  unwritten.end = TrafficEnd::kFailed;
  const Case cases[] = {
      {"a request", Request(1), false},
      {"a sound reply", Reply({0x01, 0x03, 0x02, 0x02, 0xBC, 0xB8, 0x95}), false},
      {"an exception reply", Reply({0x01, 0x83, 0x02, 0xC0, 0xF1}), false},
      {"a bad CRC", Reply({0x01, 0x03, 0x02, 0x02, 0xBC, 0xB8, 0x6A}), true},
      {"a reply from another station", mismatch, true},
      {"bytes dropped while the line settled", discarded, true},
      {"a time-out", Reply({}, TrafficEnd::kTimeOut), true},
      {"a write that failed", unwritten, true},
  };
  for (const Case& c : cases) EXPECT_EQ(RowOf(c.record).failed, c.failed) << c.what;

  TrafficRecord at = Request(1);
  at.beginUs = 1500000;
  at.parity = Parity::kEven;
  const TrafficRow row = RowOf(at);
  EXPECT_EQ(row.cell(TrafficColumn::kSinceColumn), "1.500000");
  EXPECT_EQ(row.cell(TrafficColumn::kDirectionColumn), "TX");
  EXPECT_EQ(row.cell(TrafficColumn::kLineColumn), "9600 E,8,1");
  EXPECT_EQ(row.cell(TrafficColumn::kBytesColumn), "01 03 00 00 00 01 84 0A");
  EXPECT_EQ(RowOf(Reply({})).cell(TrafficColumn::kLineColumn), "");  // the line was never set
  EXPECT_EQ(RowOf(Reply({}, TrafficEnd::kTimeOut)).cell(TrafficColumn::kVerdictColumn),
            "[超时] 66 毫秒内无数据，应为 7 字节");
}

// The window redoes its list from each change: rows off the top, rows at the end.
TEST(TrafficRows, KeepsTheLatestRowsAndSaysWhatTheListMustRedo) {
  TrafficRows rows(3);
  TrafficRows::Change change = rows.take(Requests(1, 5));  // more than fit at once
  EXPECT_EQ(change.removedFromTop, 0u);
  EXPECT_EQ(change.added, 3u);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(StationOfRow(rows, 0), 3);

  change = rows.take(Requests(6, 7));
  EXPECT_EQ(change.removedFromTop, 2u);
  EXPECT_EQ(change.added, 2u);
  EXPECT_EQ(StationOfRow(rows, 0), 5);
  EXPECT_EQ(StationOfRow(rows, 2), 7);
  EXPECT_EQ(rows.statusText(), "3 帧（较早的 4 帧已移除）");

  change = rows.take(Requests(8, 11));  // every listed row goes, and one new one too
  EXPECT_EQ(change.removedFromTop, 3u);
  EXPECT_EQ(change.added, 3u);
  EXPECT_EQ(StationOfRow(rows, 0), 9);

  rows.clear();
  EXPECT_EQ(rows.statusText(), "0 帧");
}

TEST(TrafficRows, PausedFramesAreHeldWithinTheLimitAndListedOnResume) {
  TrafficRows rows(3);
  rows.take(Requests(1, 1));
  rows.setPaused(true);
  EXPECT_FALSE(rows.take(Requests(2, 5)).any());
  EXPECT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows.held(), 3u);  // the oldest held frame went
  EXPECT_EQ(rows.statusText(), "1 帧，已暂停：3 帧待显示（较早的 1 帧已移除）");

  const TrafficRows::Change change = rows.setPaused(false);
  EXPECT_EQ(change.removedFromTop, 1u);
  EXPECT_EQ(change.added, 3u);
  EXPECT_EQ(rows.held(), 0u);
  EXPECT_EQ(StationOfRow(rows, 0), 3);
  EXPECT_EQ(StationOfRow(rows, 2), 5);
  EXPECT_EQ(rows.statusText(), "3 帧（较早的 2 帧已移除）");
}

TEST(TrafficRows, CopyAndSaveWriteTraceLinesOrQuotedColumns) {
  TrafficRows rows;
  rows.take({Request(1), Reply({0x01, 0x03, 0x02, 0x02, 0xBC, 0xB8, 0x95}), Request(2)});

  // Selected rows come in list order, whichever order they were picked in.
  const std::string copied = rows.selectedText({2, 0});
  EXPECT_EQ(copied, rows.detailText(0) + "\n" + rows.detailText(2) + "\n");
  EXPECT_NE(copied.find(" TX 01 03 00 00 00 01 84 0A\n"), std::string::npos) << copied;
  EXPECT_EQ(rows.selectedText({}), "");
  EXPECT_EQ(rows.fileText(TrafficSaveFormat::kText), rows.selectedText({0, 1, 2}));

  std::istringstream csv(rows.fileText(TrafficSaveFormat::kCsv));
  std::string header, request, reply;
  std::getline(csv, header);
  std::getline(csv, request);
  std::getline(csv, reply);
  EXPECT_EQ(header, "时间,相对(秒),方向,线路,数据(十六进制),判定");
  // The time with its date: 2026-12-11 08:30:00.123456
  EXPECT_TRUE(std::regex_search(request, std::regex("^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}[.0-9]*,")))
      << request;
  EXPECT_NE(request.find(",TX,\"9600 N,8,1\",01 03 "), std::string::npos) << request;
  EXPECT_NE(reply.find(",RX,,01 03 02 02 BC B8 95,[CRC 正确] 功能码 03，7 / 7 字节"), std::string::npos)
      << reply;
}

TEST(TrafficRows, SavesToAFileAndSaysWhenItCannot) {
  TrafficRows rows;
  rows.take({Request(1)});
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "traffic_rows_test";
  std::filesystem::create_directories(dir);
  const std::filesystem::path file = dir / u8"通讯.csv";
  ASSERT_TRUE(rows.saveTo(file, TrafficSaveFormat::kCsv));
  {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), rows.fileText(TrafficSaveFormat::kCsv));
  }  // closed: Windows removes no open file
  EXPECT_FALSE(rows.saveTo(dir / "missing" / "x.txt", TrafficSaveFormat::kText));
  std::filesystem::remove_all(dir);
}

TEST(TrafficSaveFormat, TheChosenFilterOrTheNameDecides) {
  struct Case {
    bool csvChosen;
    const char* path;
    TrafficSaveFormat format;
  };
  const Case cases[] = {
      {false, "a.txt", TrafficSaveFormat::kText},  {false, "a", TrafficSaveFormat::kText},
      {true, "a.txt", TrafficSaveFormat::kCsv},    {false, "a.CSV", TrafficSaveFormat::kCsv},
      {false, "csv", TrafficSaveFormat::kText},
  };
  for (const Case& c : cases) EXPECT_EQ(SaveFormatOf(c.csvChosen, c.path), c.format) << c.path;
  // The filter's extension on a name given without one, and nothing else.
  EXPECT_EQ(SavePathOf("/tmp/通讯", TrafficSaveFormat::kCsv), "/tmp/通讯.csv");
  EXPECT_EQ(SavePathOf("/tmp/log", TrafficSaveFormat::kText), "/tmp/log.txt");
  EXPECT_EQ(SavePathOf("/tmp/log.dat", TrafficSaveFormat::kCsv), "/tmp/log.dat");
}
