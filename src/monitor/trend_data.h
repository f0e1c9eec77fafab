#pragma once
// What a trend window plots, whatever draws it: the values seen for every
// column of the target (so a quantity picked later shows its past too), which
// columns are picked (at most eight), and the picture of the last N minutes:
// each picked curve's points in the axis' unit before now, the time axis and
// the value range. Samples older than the longest span fall off.
#include <chrono>
#include <cstdint>
#include <deque>
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
  std::vector<TrendPoint> points;
};

struct TrendPicture {
  double from = 0;  // the time axis runs from here to 0, in its unit
  bool inMinutes = false;  // seconds for the short spans, minutes for the long ones
  const char* timeTitle = "";
  int tickCount = 5;  // ticks on round numbers
  double low = 0;  // the value axis, with a margin around what is shown
  double high = 0;
  std::vector<TrendCurve> curves;  // the picked ones, in column order
};

class TrendData {
 public:
  static constexpr int kMaxPicked = 8;
  static constexpr int kInitiallyPicked = 3;
  // Enough for the longest axis at one poll a second; faster polling keeps less time.
  static constexpr size_t kSamplesKept = 7200;
  static constexpr int64_t kLongestSpanMs = 60 * 60 * 1000;

  // Starts afresh for a new target: its columns, the first few picked, nothing seen.
  void reset(const std::vector<QuantityColumn>& columns);
  const std::vector<QuantityColumn>& columns() const { return columns_; }

  bool picked(int column) const { return picked_[static_cast<size_t>(column)]; }
  // Picks or drops a column; false when a pick would make more than kMaxPicked.
  bool pick(int column, bool on);
  std::vector<int> pickedColumns() const;

  // An ok poll's values, at its wall-clock time.
  void add(const PollResult& result);
  size_t samplesOf(int column) const { return seen_[static_cast<size_t>(column)].size(); }

  // The last `minutes` before `nowMs` (wall clock, ms since the epoch).
  TrendPicture picture(int64_t nowMs, int minutes) const;

 private:
  struct Sample {
    int64_t ms;
    double value;
  };
  std::vector<QuantityColumn> columns_;
  std::vector<bool> picked_;
  std::vector<std::deque<Sample>> seen_;  // per column
};

int64_t WallClockMs(std::chrono::system_clock::time_point at);
