#pragma once
// What a trend window plots, whatever draws it: the values seen for every
// column of the target (so a quantity picked later shows its past too), which
// columns are picked (at most eight), and the picture of the last N minutes:
// each picked curve's points in the axis' unit before now, the time axis and
// one value range per unit. Each span keeps its own history decimated to a
// fixed number of time buckets (about one per pixel column of a chart): the
// lowest and the highest value of each, with their times. So every span fills
// at any poll rate, a single spike survives, and the memory per column is
// fixed. Samples older than the longest span fall off.
#include <array>
#include <chrono>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "monitor/poller.h"

inline constexpr int kTrendMinuteChoices[] = {1, 5, 15, 60};
inline constexpr int kTrendDefaultMinutesIndex = 1;
inline constexpr int kPollIntervalChoicesMs[] = {0, 200, 500, 1000, 2000, 5000};
inline constexpr int kDefaultPollIntervalMs = 1000;
// "最近 5 分钟"
std::string TrendSpanText(int minutes);
// "连续" for back-to-back polls, else "200 毫秒".
std::string PollIntervalText(int milliseconds);

struct TrendPoint {
  double x;  // in the axis' unit, up to 0 (now)
  double y;
};

struct TrendCurve {
  int column;
  std::string name;  // the column's heading
  int axis = 0;  // into TrendPicture::axes
  // In time order; a bucket that saw more than one value gives its lowest and
  // its highest, so a line through them draws the bucket's extent.
  std::vector<TrendPoint> points;
};

// A value axis: the picked curves of one unit share it.
struct TrendAxis {
  std::string unit;  // may be empty: a plain register word
  double low = 0;  // with a margin around what is shown
  double high = 0;
};

struct TrendPicture {
  double from = 0;  // the time axis runs from here to 0, in its unit
  bool inMinutes = false;  // seconds for the short spans, minutes for the long ones
  const char* timeTitle = "";
  int tickCount = 5;  // ticks on round numbers
  double low = 0;  // every curve's range, for a chart with a single value axis
  double high = 0;
  std::vector<TrendAxis> axes;  // one per unit, in the order of the curves that use them
  std::vector<TrendCurve> curves;  // the picked ones, in column order
};

class TrendData {
 public:
  static constexpr int kMaxPicked = 8;
  static constexpr int kInitiallyPicked = 3;
  static constexpr int64_t kLongestSpanMs = 60 * 60 * 1000;
  static constexpr size_t kSpanCount = std::size(kTrendMinuteChoices);
  // Buckets per span: more than a trend chart's pixel columns.
  static constexpr int kBucketsPerSpan = 1200;

  // Starts afresh for a new target: its columns, the first few picked, nothing seen.
  void reset(const std::vector<QuantityColumn>& columns);
  const std::vector<QuantityColumn>& columns() const { return columns_; }

  bool picked(int column) const { return picked_[static_cast<size_t>(column)]; }
  // Picks or drops a column; false when a pick would make more than kMaxPicked.
  bool pick(int column, bool on);
  std::vector<int> pickedColumns() const;
  // Picks exactly these (unknown ones and those beyond kMaxPicked left out).
  void setPickedColumns(const std::vector<int>& columns);

  // An ok poll's values, at its wall-clock time.
  void add(const PollResult& result);
  // The bytes the history of all columns holds: fixed by the column count.
  size_t historyBytes() const;

  // The last `minutes` before `nowMs` (wall clock, ms since the epoch): one of
  // kTrendMinuteChoices.
  TrendPicture picture(int64_t nowMs, int minutes) const;

 private:
  // The lowest and highest value seen in one bucket of a span, with their
  // times as offsets into the bucket.
  struct Bucket {
    int64_t index = -1;  // ms / the span's bucket length; -1: empty
    uint32_t lowAt = 0;
    uint32_t highAt = 0;
    double low = 0;
    double high = 0;
  };
  // Per span: kBucketsPerSpan + 1 buckets, a ring by bucket index.
  using History = std::array<std::vector<Bucket>, kSpanCount>;

  std::vector<QuantityColumn> columns_;
  std::vector<bool> picked_;
  std::vector<History> seen_;  // per column, made at its first value
};

int64_t WallClockMs(std::chrono::system_clock::time_point at);
