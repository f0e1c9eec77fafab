#pragma once
// The 通讯监视 list without a toolkit: each frame's cells and verdict, which
// rows are failed replies, the row limit, frames held while paused, and the
// text a copy or a save writes. The Qt and the Win32 window show these rows.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "link/traffic_tap.h"
#include "console/texts.h"

inline constexpr TrText kTrafficWindowTitle = TrNoop("tools", "通讯监视");
inline constexpr TrText kPauseText = TrNoop("tools", "暂停");
inline constexpr TrText kResumeText = TrNoop("tools", "继续");
inline constexpr TrText kClearText = TrNoop("tools", "清除");
inline constexpr TrText kCopyText = TrNoop("tools", "复制");
inline constexpr TrText kSaveText = TrNoop("tools", "保存…");
inline constexpr TrText kSaveTitle = TrNoop("tools", "保存通讯记录");
inline constexpr TrText kTextFilter = TrNoop("tools", "文本文件 (*.txt)");
inline constexpr TrText kCsvFilter = TrNoop("tools", "CSV 文件 (*.csv)");
inline constexpr TrText kSaveFailed = TrNoop("tools", "保存失败！");

// How often a window takes what the tap queued.
inline constexpr int kTrafficDrainMs = 80;

enum class TrafficColumn { kTimeColumn, kSinceColumn, kDirectionColumn, kLineColumn, kBytesColumn, kVerdictColumn };
inline constexpr int kTrafficColumns = 6;
inline constexpr std::array<TrText, kTrafficColumns> kTrafficColumnTitles{
    TrNoop("tools", "时间"), TrNoop("tools", "相对(秒)"), TrNoop("tools", "方向"), TrNoop("tools", "线路"), TrNoop("tools", "数据(十六进制)"), TrNoop("tools", "判定")};
// Widths in pixels at the window's 9-point font.
inline constexpr std::array<int, kTrafficColumns> kTrafficColumnWidths{120, 90, 40, 90, 330, 300};

// The text colour of a failed reply's row.
struct RowColour {
  uint8_t red, green, blue;
};
inline constexpr RowColour kFailedRowColour{0xB0, 0x00, 0x00};

struct TrafficRow {
  TrafficRecord record;
  std::array<std::string, kTrafficColumns> cells;
  // A bad CRC or MBAP header, a reply to another request, dropped bytes, a
  // transfer that timed out or failed.
  bool failed = false;

  const std::string& cell(TrafficColumn column) const { return cells[static_cast<size_t>(column)]; }
};

TrafficRow RowOf(const TrafficRecord& record);

enum class TrafficSaveFormat { kText, kCsv };
// CSV when its filter was chosen or the name ends in .csv, else text.
TrafficSaveFormat SaveFormatOf(bool csvFilterChosen, const std::string& utf8Path);
// The name saved to: one without an extension gets the format's (".txt", ".csv").
std::string SavePathOf(const std::string& utf8Path, TrafficSaveFormat format);

class TrafficRows {
 public:
  static constexpr size_t kMaxRows = 10000;  // older rows go, so a long session stays bounded

  // What a window must redo on its list: rows gone from the top, rows added at the end.
  struct Change {
    size_t removedFromTop = 0;
    size_t added = 0;
    bool any() const { return removedFromTop || added; }
  };

  explicit TrafficRows(size_t limit = kMaxRows) : limit_(limit) {}

  // Frames the tap queued: listed, or held while paused.
  Change take(std::vector<TrafficRecord> records);
  // Resuming lists the held frames.
  Change setPaused(bool paused);
  void clear();

  size_t size() const { return rows_.size(); }
  const TrafficRow& row(size_t index) const { return rows_[index]; }
  bool paused() const { return paused_; }
  size_t held() const { return held_.size(); }
  // "12 帧，已暂停：3 帧待显示（较早的 5 帧已移除）".
  std::string statusText() const;
  // The row whole as a trace line, in the window's words, for the detail line.
  std::string detailText(size_t index) const;
  // The rows (any order) one trace line each, in list order.
  std::string selectedText(std::vector<size_t> indices) const;
  // Every row: trace lines, or the columns as CSV under their titles.
  std::string fileText(TrafficSaveFormat format) const;
  // A CSV file starts with a UTF-8 byte-order mark when `byteOrderMark` (text files never).
  bool saveTo(const std::filesystem::path& path, TrafficSaveFormat format, bool byteOrderMark = false) const;

 private:
  Change append(std::vector<TrafficRecord> records);

  std::deque<TrafficRow> rows_;
  std::deque<TrafficRecord> held_;
  size_t dropped_ = 0;
  bool paused_ = false;
  size_t limit_;
};
