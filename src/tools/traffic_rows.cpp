#include "tools/traffic_rows.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>

#include "console/local_time.h"
#include "console/text.h"
#include "link/link.h"
#include "modbus/frame_verdict.h"
#include "monitor/csv_log.h"
#include "console/texts.h"

namespace {

std::string SinceFirst(const TrafficRecord& record) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", static_cast<double>(record.atUs()) / 1e6);
  return text;
}

std::string LineText(const TrafficRecord& record) {
  if (record.baudRate == 0) return {};
  for (const LineFormat& format : kLineFormats) {
    if (format.parity == record.parity && format.stopBits == record.stopBits)
      return std::to_string(record.baudRate) + " " + format.text;
  }
  return std::to_string(record.baudRate);
}

bool Failed(const TrafficRecord& record, const FrameVerdict& verdict) {
  return verdict.crc == FrameVerdict::Crc::kBad || verdict.mismatch || verdict.discarded ||
         record.end != TrafficEnd::kComplete;
}

// The monitor log's quoting, so both CSV files follow one rule.
std::string CsvLine(const std::array<std::string, kTrafficColumns>& cells) {
  std::string line;
  for (const std::string& cell : cells) {
    if (!line.empty()) line += ',';
    line += CsvField(cell);
  }
  return line + '\n';
}

// A CSV row stands alone in a spreadsheet: its time has the date in front.
std::string DateOf(std::chrono::system_clock::time_point at) {
  const std::tm fields = LocalTimeOf(at).fields;
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &fields);
  return text;
}

bool EndsWithCsv(const std::string& path) {
  if (path.size() < 4) return false;
  std::string tail = path.substr(path.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
  return tail == ".csv";
}

}  // namespace

TrafficRow RowOf(const TrafficRecord& record) {
  const FrameVerdict verdict = JudgeFrame(record);
  TrafficRow row;
  row.record = record;
  row.cells = {TraceTimeOfDay(record.wallTime()),
               SinceFirst(record),
               record.direction == TrafficDirection::kTx ? "TX" : "RX",
               LineText(record),
               HexBytes(record.bytes.data(), record.bytes.size()),
               VerdictText(verdict, WindowVerdictWords())};
  row.failed = Failed(record, verdict);
  return row;
}

std::string SavePathOf(const std::string& utf8Path, TrafficSaveFormat format) {
  const std::filesystem::path path(std::u8string(utf8Path.begin(), utf8Path.end()));
  if (path.has_extension() || !path.has_filename()) return utf8Path;
  return utf8Path + (format == TrafficSaveFormat::kCsv ? ".csv" : ".txt");
}

TrafficSaveFormat SaveFormatOf(bool csvFilterChosen, const std::string& utf8Path) {
  return csvFilterChosen || EndsWithCsv(utf8Path) ? TrafficSaveFormat::kCsv : TrafficSaveFormat::kText;
}

TrafficRows::Change TrafficRows::take(std::vector<TrafficRecord> records) {
  if (records.empty()) return {};
  if (!paused_) return append(std::move(records));
  for (TrafficRecord& record : records) held_.push_back(std::move(record));
  while (held_.size() > limit_) {
    held_.pop_front();
    ++dropped_;
  }
  return {};
}

TrafficRows::Change TrafficRows::append(std::vector<TrafficRecord> records) {
  const size_t listed = rows_.size();
  for (const TrafficRecord& record : records) rows_.push_back(RowOf(record));
  const size_t excess = rows_.size() > limit_ ? rows_.size() - limit_ : 0;
  rows_.erase(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(excess));
  dropped_ += excess;
  // Rows that came and went in this one call never reached the window's list.
  const size_t removedListed = std::min(excess, listed);
  return {removedListed, records.size() - (excess - removedListed)};
}

TrafficRows::Change TrafficRows::setPaused(bool paused) {
  if (paused == paused_) return {};
  paused_ = paused;
  if (paused) return {};
  std::vector<TrafficRecord> held(std::make_move_iterator(held_.begin()), std::make_move_iterator(held_.end()));
  held_.clear();
  return append(std::move(held));
}

void TrafficRows::clear() {
  rows_.clear();
  held_.clear();
  dropped_ = 0;
}

std::string TrafficRows::statusText() const {
  std::string text = std::to_string(rows_.size()) + Tr("tools", " 帧");
  if (paused_) text += Tr("tools", "，已暂停：") + std::to_string(held_.size()) + Tr("tools", " 帧待显示");
  if (dropped_ > 0) text += Tr("tools", "（较早的 ") + std::to_string(dropped_) + Tr("tools", " 帧已移除）");
  return text;
}

std::string TrafficRows::detailText(size_t index) const {
  return index < rows_.size() ? TraceLine(rows_[index].record, WindowVerdictWords()) : std::string();
}

std::string TrafficRows::selectedText(std::vector<size_t> indices) const {
  std::sort(indices.begin(), indices.end());
  std::string text;
  for (size_t index : indices)
    if (index < rows_.size()) text += TraceLine(rows_[index].record) + '\n';
  return text;
}

std::string TrafficRows::fileText(TrafficSaveFormat format) const {
  std::string text;
  if (format == TrafficSaveFormat::kText) {
    for (const TrafficRow& row : rows_) text += TraceLine(row.record) + '\n';
    return text;
  }
  std::array<std::string, kTrafficColumns> titles;
  for (size_t c = 0; c < titles.size(); ++c) titles[c] = kTrafficColumnTitles[c].text();
  text += CsvLine(titles);
  for (const TrafficRow& row : rows_) {
    std::array<std::string, kTrafficColumns> cells = row.cells;
    std::string& time = cells[static_cast<size_t>(TrafficColumn::kTimeColumn)];
    time = DateOf(row.record.wallTime()) + " " + time;
    text += CsvLine(cells);
  }
  return text;
}

bool TrafficRows::saveTo(const std::filesystem::path& path, TrafficSaveFormat format, bool byteOrderMark) const {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  const std::string text = ByteOrderMarked(byteOrderMark && format == TrafficSaveFormat::kCsv, fileText(format));
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.flush();
  return static_cast<bool>(file);
}
